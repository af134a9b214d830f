// Numbers as the user reads and types them, with the user's decimal separator (the caller reads
// it from the locale). Platform-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kurvix {

// General format with 15 significant digits: trailing zeros dropped and the separator written
// only when a fraction remains (32, 28.5, 20.58 for 20.580000000000002). Fixed notation for
// values with at most 15 digits before the separator and at least 0.00001 in size, otherwise
// scientific notation with "E" and the exponent (1E20, 1.5E-7).
std::string FloatToText(double value, char decimalSeparator);

// A decimal number: optional blanks, an optional sign, digits with at most one decimal
// separator, an optional exponent ("E" or "e", an optional sign and digits) and optional
// trailing blanks. No grouping separators. Returns nothing for any other text, the empty text
// included, and for a number too large for a double; a number too small for one becomes zero.
std::optional<double> TextToFloat(std::string_view text, char decimalSeparator);

} // namespace kurvix
