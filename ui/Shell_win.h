// The shell and the version resource of a file.
#pragma once

#include <cstdint>
#include <string>

namespace kurvix::ui {

// Opens a document, web address or mailto: link with the program the user has for it
// (ShellExecute with the verb "open", no owner, shown normally). The result is not reported.
void ShellOpen(const std::string& target);

// The fixed version information of a file: file version (most, least significant doubleword)
// and product version (likewise). False, with the outputs unchanged, when the file has none or
// it cannot be read.
bool ReadFileVersion(const std::string& path, uint32_t& fileMS, uint32_t& fileLS,
                     uint32_t& productMS, uint32_t& productLS);

} // namespace kurvix::ui
