#include "Common.h"

#include <cstdio>

namespace kurvix {

namespace {
constexpr size_t kFormatBufferSize = 2048;
}

std::string FormatStringV(const char* format, va_list args) {
    if (format == nullptr || *format == '\0')
        return std::string();
    char buffer[kFormatBufferSize] = {};
    // Some C libraries leave a cut text unterminated and report -1; the last byte is forced to
    // the terminator in every case, so the text ends after at most 2047 characters.
    std::vsnprintf(buffer, sizeof buffer, format, args);
    buffer[sizeof buffer - 1] = '\0';
    return std::string(buffer);
}

std::string FormatString(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatStringV(format, args);
    va_end(args);
    return text;
}

} // namespace kurvix
