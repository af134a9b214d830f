// The Preferences dialog's texts, Apply state and what reaches the library, without a window.
#include "PreferencesModel.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kurvix {
namespace {

class FakeStore final : public ScreenSizeStore {
  public:
    double width = 28.5, height = 21.4; // a library size of 285 mm by 214 mm
    std::pair<double, double> detected{34.0, 27.0};
    std::vector<std::pair<double, double>> sets;
    double Width() override { return width; }
    double Height() override { return height; }
    void Set(double w, double h) override {
        sets.emplace_back(w, h);
        width = w;
        height = h;
    }
    void Detect() override { std::tie(width, height) = detected; }
};

class PreferencesModelTest : public ::testing::Test {
  protected:
    FakeStore store;
    PreferencesModel model{store};
};

TEST_F(PreferencesModelTest, ShowingFillsTheEditsFromTheLibraryWithApplyDisabled) {
    EXPECT_FALSE(model.ApplyEnabled());
    model.SetText(SizeEdit::Width, "12");
    model.Show('.');
    EXPECT_EQ(model.WidthText(), "28.5");
    EXPECT_EQ(model.HeightText(), "21.4");
    EXPECT_FALSE(model.ApplyEnabled());
    store.width = 12.25;
    model.Show(',');
    EXPECT_EQ(model.WidthText(), "12,25");
}

TEST_F(PreferencesModelTest, APresetFillsTheEditsAndEnablesApplyWithoutApplying) {
    model.Show('.');
    model.ChoosePreset(2);
    EXPECT_EQ(model.WidthText(), "33.32");
    EXPECT_EQ(model.HeightText(), "24.99");
    EXPECT_TRUE(model.ApplyEnabled());
    EXPECT_TRUE(store.sets.empty()); // Cancel leaves the library unchanged
    const char* const texts[][2] = {{"27.44", "20.58"}, {"29.4", "22.05"},  {"33.32", "24.99"},
                                    {"37.24", "27.93"}, {"41.16", "30.87"}, {"45.08", "33.81"}};
    for (int tag = 0; tag < 6; ++tag) {
        model.ChoosePreset(tag);
        EXPECT_EQ(model.WidthText(), texts[tag][0]) << kScreenPresets[tag].caption;
        EXPECT_EQ(model.HeightText(), texts[tag][1]) << kScreenPresets[tag].caption;
    }
    model.ChoosePreset(6); // no such item
    EXPECT_EQ(model.WidthText(), "45.08");
}

TEST_F(PreferencesModelTest, ApplyPassesAnyNumberOnAndDisablesItself) {
    model.Show('.');
    model.SetText(SizeEdit::Width, "0");
    model.SetText(SizeEdit::Height, " -10 ");
    EXPECT_TRUE(model.ApplyEnabled());
    EXPECT_EQ(model.Apply().bad, SizeEdit::None);
    ASSERT_EQ(store.sets.size(), 1u);
    EXPECT_EQ(store.sets[0], std::make_pair(0.0, -10.0));
    EXPECT_FALSE(model.ApplyEnabled());
}

TEST_F(PreferencesModelTest, AMalformedEditNamesTheEditToCorrectAndAppliesNothing) {
    struct Case {
        const char *width, *height;
        SizeEdit bad;
    } const cases[] = {
        {"33.32", "12,5", SizeEdit::Height}, {"", "24.99", SizeEdit::Width},
        {"x", "y", SizeEdit::Width},         {"1e400", "20", SizeEdit::Width},
        {"20", "-1e400", SizeEdit::Height},
    };
    for (const auto& c : cases) {
        model.Show('.');
        model.SetText(SizeEdit::Width, c.width);
        model.SetText(SizeEdit::Height, c.height);
        EXPECT_EQ(model.Apply().bad, c.bad) << c.width << " / " << c.height;
        EXPECT_TRUE(model.ApplyEnabled());
    }
    EXPECT_TRUE(store.sets.empty());
    model.Show(',');
    model.SetText(SizeEdit::Width, "12,5");
    EXPECT_EQ(model.Apply().bad, SizeEdit::None); // that locale's separator
    EXPECT_EQ(store.sets.at(0).first, 12.5);
}

TEST_F(PreferencesModelTest, AutoDetectAppliesAtOnceAndShowsTheDetectedSize) {
    model.Show('.');
    model.AutoDetect();
    EXPECT_EQ(store.width, 34.0); // in force before any Apply; Cancel keeps it
    EXPECT_EQ(model.WidthText(), "34");
    EXPECT_EQ(model.HeightText(), "27");
    EXPECT_TRUE(model.ApplyEnabled()); // the texts changed
    model.Show('.');
    model.AutoDetect(); // the same size again: no text changes
    EXPECT_FALSE(model.ApplyEnabled());
}

} // namespace
} // namespace kurvix
