// TDateTime: a double counting days since 30 December 1899 00:00 local time, the fraction being
// the time of day.
#pragma once

namespace kurvix {

struct CivilTime {
    int Year;
    int Month; // 1..12
    int Day;   // 1..31
    int Hour;
    int Minute;
    int Second;
    int Millisecond;
};

// The TDateTime of a local date and time. Before 30 December 1899 the day count is negative
// and the time of day still counts forward from midnight (so 29 December 1899 06:00 is -1.25).
double ToDateTime(const CivilTime& t);

} // namespace kurvix
