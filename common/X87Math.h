// Extended-precision arithmetic that gives the same bits in every build: the x87 unit's own
// instructions for the exponential (the C libraries' long double routines differ between
// builds), and a scope that runs the unit at 64-bit precision with nearest rounding (the
// start-up settings of the builds differ).
#pragma once

#include <cmath>

namespace kurvix {

// Sets 64-bit precision and round-to-nearest for its lifetime, keeping the exception masks,
// and restores the caller's control word when it ends. Reads of inputs and writes of results
// that go through memory stay inside the scope (the switches are compiler barriers).
class X87ExtendedPrecision {
  public:
    X87ExtendedPrecision() {
        __asm__ volatile("fnstcw %0" : "=m"(saved_) : : "memory");
        const unsigned short extended = static_cast<unsigned short>((saved_ & ~0x0F00u) | 0x0300u);
        __asm__ volatile("fldcw %0" : : "m"(extended) : "memory");
    }
    ~X87ExtendedPrecision() { __asm__ volatile("fldcw %0" : : "m"(saved_) : "memory"); }
    X87ExtendedPrecision(const X87ExtendedPrecision&) = delete;
    X87ExtendedPrecision& operator=(const X87ExtendedPrecision&) = delete;

  private:
    unsigned short saved_;
};

namespace x87 {

inline long double Log2E() {
    long double r;
    __asm__("fldl2e" : "=t"(r));
    return r;
}

inline long double RoundToInteger(long double x) { // by the current rounding mode
    long double r;
    __asm__("frndint" : "=t"(r) : "0"(x));
    return r;
}

inline long double TwoToXMinusOne(long double x) { // x in [-1, 1]
    long double r;
    __asm__("f2xm1" : "=t"(r) : "0"(x));
    return r;
}

inline long double Scale(long double x, long double exponent) { // x * 2^trunc(exponent)
    long double r;
    __asm__("fscale" : "=t"(r) : "0"(x), "u"(exponent));
    return r;
}

} // namespace x87

// e^x on the x87 unit: 2^(x log2 e), split into a whole power of two (fscale) and a fraction
// in [-0.5, 0.5] (f2xm1). Run it inside X87ExtendedPrecision for the same bits everywhere.
inline long double X87Exp(long double x) {
    if (std::isnan(x))
        return x;
    if (std::isinf(x))
        return x > 0 ? x : 0.0L;
    const long double t = x * x87::Log2E();
    const long double whole = x87::RoundToInteger(t);
    const long double power = x87::TwoToXMinusOne(t - whole) + 1.0L;
    return x87::Scale(power, whole);
}

} // namespace kurvix
