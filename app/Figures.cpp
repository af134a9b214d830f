#include "Figures.h"

#include "Common.h"
#include "X87.h"
#include "X87Math.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kurvix {

namespace {

constexpr int kSignificantDigits = 18;
constexpr int kMetreDecimals = 4;

// A decimal value: 0.Digits x 10^Point (Digits may be empty for zero).
struct Decimal {
    bool Negative = false;
    std::string Digits;
    int Point = 0;
};

// The value rounded to 18 significant digits by the C library's exact conversion.
Decimal ToDecimal(long double value) {
    Decimal d;
    d.Negative = std::signbit(value);
    if (value == 0)
        return d;
    char text[64];
#if defined(__MINGW32__)
    __mingw_snprintf(text, sizeof text, "%.*Le", kSignificantDigits - 1, value);
#else
    std::snprintf(text, sizeof text, "%.*Le", kSignificantDigits - 1, value);
#endif
    const char* p = text;
    if (*p == '-')
        ++p;
    for (; *p != 'e' && *p != '\0'; ++p)
        if (*p >= '0' && *p <= '9')
            d.Digits.push_back(*p);
    d.Point = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    return d;
}

// Keeps `keep` leading digits, rounding half up on the digit that follows.
void RoundDigits(Decimal& d, int keep) {
    if (keep >= static_cast<int>(d.Digits.size()))
        return;
    if (keep < 0) {
        d.Digits.clear();
        return;
    }
    const bool up = d.Digits[keep] >= '5';
    d.Digits.resize(keep);
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.Digits[i] == '9')
        d.Digits[i--] = '0';
    if (i >= 0) {
        ++d.Digits[i];
    } else {
        d.Digits.insert(d.Digits.begin(), '1');
        ++d.Point;
    }
}

char DigitAt(const Decimal& d, int position) {
    return position >= 0 && position < static_cast<int>(d.Digits.size()) ? d.Digits[position] : '0';
}

std::string Grouped(const std::string& digits, const std::string& separator) {
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

std::string FormatFixed(long double value, int decimals, const NumberSeparators& separators) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    Decimal d = ToDecimal(value);
    RoundDigits(d, d.Point + decimals);

    std::string whole;
    for (int i = 0; i < d.Point; ++i)
        whole += DigitAt(d, i);
    if (whole.empty())
        whole = "0";
    std::string text = Grouped(whole, separators.Thousands);
    if (decimals > 0) {
        text += separators.Decimal;
        for (int i = 0; i < decimals; ++i)
            text += DigitAt(d, d.Point + i);
    }
    const bool zero = d.Digits.find_first_not_of('0') == std::string::npos;
    return d.Negative && !zero ? "-" + text : text;
}

} // namespace

std::string FormatMetres(long double metres, const NumberSeparators& separators) {
    return FormatFixed(metres, kMetreDecimals, separators);
}

std::string FormatPixels(long double pixels, const NumberSeparators& separators) {
    return FormatFixed(TruncateExtended(pixels), 0, separators);
}

std::string FormatCount(uint32_t count, const NumberSeparators& separators) {
    return Grouped(std::to_string(count), separators.Thousands);
}

std::string FormatTimeOn(uint32_t seconds) {
    const uint32_t days = seconds / 86400u;
    const uint32_t hours = seconds % 86400u / 3600u;
    const uint32_t minutes = seconds % 3600u / 60u;
    return FormatString("%d.%02d:%02d:%02d", static_cast<int>(days), static_cast<int>(hours),
                        static_cast<int>(minutes), static_cast<int>(seconds % 60u));
}

long double TrackDifference(long double total, long double base) {
    volatile long double a = total, b = base; // memory reads and writes keep the subtraction
    volatile long double difference;          // inside the precision scope
    {
        X87ExtendedPrecision precision;
        difference = a - b;
    }
    return difference;
}

} // namespace kurvix
