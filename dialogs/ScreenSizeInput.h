// The Preferences dialog's rules for the screen size: the monitor presets and the reading of the
// two edits before the size goes to the hook library. Platform-free.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kurvix {

// A monitor of the presets menu: 4:3, 2.45 cm of diagonal per nominal inch.
struct ScreenPreset {
    const char* caption;
    double widthCm;
    double heightCm;
};

// Indexed by the menu item's tag (0 to 5): 14, 15, 17, 19, 21 and 23 inch.
extern const std::array<ScreenPreset, 6> kScreenPresets;

// The texts a preset puts into the width and height edits.
struct ScreenSizeTexts {
    std::string width;
    std::string height;
};
ScreenSizeTexts SizeTexts(double widthCm, double heightCm, char decimalSeparator);

enum class SizeEdit { None, Width, Height };

// The two edits read as numbers. `bad` names the edit to correct (the width edit when both
// are malformed); the sizes are meaningful only when it is None. Any number is accepted, zero
// and negative ones included, but none too large for a double.
struct ScreenSizeEntry {
    SizeEdit bad = SizeEdit::None;
    double widthCm = 0;
    double heightCm = 0;
};
ScreenSizeEntry ReadScreenSize(std::string_view widthText, std::string_view heightText,
                               char decimalSeparator);

} // namespace kurvix
