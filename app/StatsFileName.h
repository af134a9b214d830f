// Where the statistics file lies: beside the executable, with the executable's name and the
// extension ".dat".
#pragma once

#include <string>

namespace kurvix {

// The statistics file of the executable at exePath: the part of the last path component from
// its last dot on becomes ".dat"; a name without a dot gets ".dat" appended. Dots in folder
// names are not extensions. Both '\\' and '/' separate folders.
std::string StatsFileNameFor(const std::string& exePath);

} // namespace kurvix
