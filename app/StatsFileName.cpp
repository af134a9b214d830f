#include "StatsFileName.h"

namespace kurvix {

std::string StatsFileNameFor(const std::string& exePath) {
    const size_t separator = exePath.find_last_of("\\/:");
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const size_t dot = exePath.rfind('.');
    const size_t stemEnd = (dot != std::string::npos && dot >= nameStart) ? dot : exePath.size();
    return exePath.substr(0, stemEnd) + ".dat";
}

} // namespace kurvix
