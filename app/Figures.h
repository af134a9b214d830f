// The texts of the statistics panels' figures. Separators are the user's regional settings,
// passed in by the caller.
#pragma once

#include <cstdint>
#include <string>

namespace kurvix {

struct NumberSeparators {
    std::string Thousands = ",";
    std::string Decimal = ".";
};

// Metres: sign when negative, the integer part grouped in threes, the decimal separator and
// exactly four decimals, rounded from at most 18 significant digits (1,234.5679).
std::string FormatMetres(long double metres, const NumberSeparators& separators);

// Pixels: the value truncated toward zero, grouped in threes, with a sign when negative; whole
// numbers of any size (past 18 significant digits the rest are zeros).
std::string FormatPixels(long double pixels, const NumberSeparators& separators);

// Click and wheel counts: 0 to 4,294,967,295, grouped in threes.
std::string FormatCount(uint32_t count, const NumberSeparators& separators);

// Time on: days.hh:mm:ss, the day count with as many digits as it needs (1.02:03:04).
std::string FormatTimeOn(uint32_t seconds);

// A Track figure of an extended total: the total minus its base at the last Clear, subtracted
// in full 64-bit precision whatever the caller's x87 precision setting.
long double TrackDifference(long double total, long double base);

// A Track figure of a count: the difference modulo 2^32, right across a wrap of the total.
inline uint32_t TrackDifference(uint32_t total, uint32_t base) { return total - base; }

} // namespace kurvix
