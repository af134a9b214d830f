#include "ScreenSizeInput.h"

#include "NumberText.h"

namespace kurvix {

const std::array<ScreenPreset, 6> kScreenPresets = {{
    {"14 Inch", 27.44, 20.58},
    {"15 Inch", 29.4, 22.05},
    {"17 Inch", 33.32, 24.99},
    {"19 Inch", 37.24, 27.93},
    {"21 Inch", 41.16, 30.87},
    {"23 Inch", 45.08, 33.81},
}};

ScreenSizeTexts SizeTexts(double widthCm, double heightCm, char decimalSeparator) {
    return ScreenSizeTexts{FloatToText(widthCm, decimalSeparator),
                           FloatToText(heightCm, decimalSeparator)};
}

ScreenSizeEntry ReadScreenSize(std::string_view widthText, std::string_view heightText,
                               char decimalSeparator) {
    ScreenSizeEntry entry;
    // The height first, so that a bad width, noted last, is the one to correct.
    if (const auto height = TextToFloat(heightText, decimalSeparator))
        entry.heightCm = *height;
    else
        entry.bad = SizeEdit::Height;
    if (const auto width = TextToFloat(widthText, decimalSeparator))
        entry.widthCm = *width;
    else
        entry.bad = SizeEdit::Width;
    return entry;
}

} // namespace kurvix
