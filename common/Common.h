// Small helpers shared by the program's units.
#pragma once

#include <cstdarg>
#include <string>

namespace kurvix {

// printf-style formatting into a new string. The text is formed in a buffer of 2048 bytes:
// longer output is cut after 2047 characters without an error. An empty (or null) format
// gives an empty string.
std::string FormatString(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

std::string FormatStringV(const char* format, va_list args);

} // namespace kurvix
