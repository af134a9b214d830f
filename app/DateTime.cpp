#include "DateTime.h"

#include <cstdint>

namespace kurvix {

namespace {

// Days from 1 January 1970 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr double kMillisecondsPerDay = 86400000.0;

} // namespace

double ToDateTime(const CivilTime& t) {
    const int64_t days = DaysFromCivil(t.Year, t.Month, t.Day) - DaysFromCivil(1899, 12, 30);
    const int64_t ms =
        ((static_cast<int64_t>(t.Hour) * 60 + t.Minute) * 60 + t.Second) * 1000 + t.Millisecond;
    const double fraction = static_cast<double>(ms) / kMillisecondsPerDay;
    const double whole = static_cast<double>(days);
    return days >= 0 ? whole + fraction : whole - fraction;
}

} // namespace kurvix
