// The About dialog's version line and its placement on the main window.
#include "Placement.h"
#include "VersionLine.h"

#include <gtest/gtest.h>

namespace kurvix {
namespace {

constexpr const char* kFormat = "Version %d.%d Build %d";
constexpr const char* kInternal = "Internal Version";

// a.b.c.d as the two doublewords of the fixed version information.
FileVersion Versions(const uint16_t (&file)[4], const uint16_t (&product)[4]) {
    auto ms = [](const uint16_t(&v)[4]) { return uint32_t{v[0]} << 16 | v[1]; };
    auto ls = [](const uint16_t(&v)[4]) { return uint32_t{v[2]} << 16 | v[3]; };
    return FileVersion{ms(file), ls(file), ms(product), ls(product)};
}

TEST(VersionLineTest, MajorAndMinorFromTheProductVersionBuildFromTheFileVersion) {
    struct Case {
        uint16_t file[4], product[4];
        const char* line;
    } const cases[] = {
        {{3, 2, 0, 57}, {3, 2, 0, 57}, "Version 3.2 Build 57"},
        {{9, 8, 7, 45}, {2, 3, 11, 12}, "Version 2.3 Build 45"},
        {{0, 0, 0, 0}, {0, 0, 0, 0}, "Version 0.0 Build 0"},
        {{1, 1, 0xFFFF, 65535}, {65535, 65535, 1, 1}, "Version 65535.65535 Build 65535"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VersionLine(Versions(c.file, c.product), kFormat, kInternal), c.line);
}

TEST(VersionLineTest, NoVersionGivesTheInternalText) {
    EXPECT_EQ(VersionLine(std::nullopt, kFormat, kInternal), kInternal);
    EXPECT_EQ(VersionLine(FileVersion{}, "", kInternal), ""); // a missing string 1005
}

TEST(PlacementTest, CentresOnTheOwnerTruncatingTowardZero) {
    const WindowBounds main{100, 50, 400, 301};
    EXPECT_EQ(CentredOn(main, 268, 207).left, 166);
    EXPECT_EQ(CentredOn(main, 268, 207).top, 97);
    // Wider and taller than the owner: reaches past its left and top edges.
    EXPECT_EQ(CentredOn(main, 403, 400).left, 99); // -3 / 2 = -1
    EXPECT_EQ(CentredOn(main, 403, 400).top, 1);   // -99 / 2 = -49
    EXPECT_EQ(CentredOn(WindowBounds{-32000, -32000, 160, 28}, 268, 207).left, -32054);
}

} // namespace
} // namespace kurvix
