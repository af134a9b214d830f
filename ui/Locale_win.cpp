#include "Locale_win.h"

#include <windows.h>

namespace kurvix::ui {

namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
    char buffer[16] = {};
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length - 1)) : fallback;
}

} // namespace

NumberFormatSettings UserNumberFormat() {
    return {LocaleText(LOCALE_STHOUSAND, ","), LocaleText(LOCALE_SDECIMAL, ".")};
}

} // namespace kurvix::ui
