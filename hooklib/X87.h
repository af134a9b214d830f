// Square root, sine and cosine on the x87 unit, by its own instructions. Both builds (x86-64
// natively and i686 for Windows) use these, so they compute the same bits; the C libraries'
// long double routines differ between the two.
#pragma once

namespace kurvix {

inline long double X87Sqrt(long double x) {
    long double r;
    __asm__("fsqrt" : "=t"(r) : "0"(x));
    return r;
}

inline long double X87Sin(long double x) {
    long double r;
    __asm__("fsin" : "=t"(r) : "0"(x));
    return r;
}

inline long double X87Cos(long double x) {
    long double r;
    __asm__("fcos" : "=t"(r) : "0"(x));
    return r;
}

// Conversion to a whole number toward zero, without a detour through a narrower integer.
inline long double TruncateExtended(long double x) {
    constexpr long double kAllWhole = 9223372036854775808.0L; // 2^63: from here on, no fraction
    if (!(x > -kAllWhole && x < kAllWhole))
        return x; // already whole, infinite or NaN
    return static_cast<long double>(static_cast<long long>(x));
}

} // namespace kurvix
