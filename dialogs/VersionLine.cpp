#include "VersionLine.h"

#include "Common.h"

namespace kurvix {

std::string VersionLine(const std::optional<FileVersion>& version, const std::string& versionFormat,
                        const std::string& internalVersion) {
    if (!version)
        return internalVersion;
    const int major = static_cast<int>(version->productMS >> 16);
    const int minor = static_cast<int>(version->productMS & 0xFFFFu);
    const int build = static_cast<int>(version->fileLS & 0xFFFFu);
    return FormatString(versionFormat.c_str(), major, minor, build);
}

} // namespace kurvix
