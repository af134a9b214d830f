// The About dialog's version line from the executable's version resource. Platform-free: the
// caller reads the resource and the string table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kurvix {

// The four doublewords of the fixed version information, in the order ReadFileVersion gives.
struct FileVersion {
    uint32_t fileMS = 0;
    uint32_t fileLS = 0;
    uint32_t productMS = 0;
    uint32_t productLS = 0;
};

// `versionFormat` (string 1005, "Version %d.%d Build %d") formatted with major and minor from
// the product version's first two numbers and the build from the file version's last; the
// text `internalVersion` (string 1010, "Internal Version") when there is no version.
std::string VersionLine(const std::optional<FileVersion>& version, const std::string& versionFormat,
                        const std::string& internalVersion);

} // namespace kurvix
