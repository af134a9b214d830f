// The user's regional number settings.
#pragma once

#include <string>

namespace kurvix::ui {

struct NumberFormatSettings {
    std::string Thousands; // the digit grouping separator
    std::string Decimal;   // the decimal separator
};

// The user's thousands and decimal separators from the Windows locale; "," and "." where the
// locale cannot be read.
NumberFormatSettings UserNumberFormat();

} // namespace kurvix::ui
