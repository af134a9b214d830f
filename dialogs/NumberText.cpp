#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace kurvix {

namespace {

constexpr int kSignificantDigits = 15;

// "ddd" with the decimal exponent e (value = d.dd x 10^e) in fixed notation.
std::string FixedNotation(const std::string& digits, int exponent, char separator) {
    if (exponent < 0)
        return "0" + std::string(1, separator) + std::string(-exponent - 1, '0') + digits;
    const size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return digits + std::string(integerDigits - digits.size(), '0');
    return digits.substr(0, integerDigits) + separator + digits.substr(integerDigits);
}

std::string ScientificNotation(const std::string& digits, int exponent, char separator) {
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1)
        text += separator + digits.substr(1);
    return text + "E" + std::to_string(exponent);
}

} // namespace

std::string FloatToText(double value, char decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // Rounded to 15 significant digits: [-]d.dddddddddddddde[+-]xx
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, kSignificantDigits - 1)
                         .ptr;
    const std::string_view rounded(buffer, static_cast<size_t>(end - buffer));
    const size_t e = rounded.find('e');
    std::string digits = std::string(1, rounded[0]) + std::string(rounded.substr(2, e - 2));
    digits.erase(digits.find_last_not_of('0') + 1);
    int exponent = 0;
    std::from_chars(rounded.data() + e + 2, rounded.data() + rounded.size(), exponent);
    if (rounded[e + 1] == '-')
        exponent = -exponent;

    const std::string sign = value < 0 ? "-" : "";
    if (exponent >= -5 && exponent < kSignificantDigits)
        return sign + FixedNotation(digits, exponent, decimalSeparator);
    return sign + ScientificNotation(digits, exponent, decimalSeparator);
}

namespace {

// Reads the grammar of TextToFloat into the form std::from_chars takes ("-12.5e+3").
class NumberScanner {
  public:
    NumberScanner(std::string_view text, char separator) : text_(text), separator_(separator) {}

    // False for text outside the grammar.
    bool Scan() {
        SkipBlanks();
        Sign(false);
        if (!Mantissa())
            return false;
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            normal_ += 'e';
            Sign(true);
            if (!Exponent())
                return false;
        }
        SkipBlanks();
        return pos_ == text_.size();
    }

    const std::string& Normalised() const { return normal_; }

    // Whether the number is smaller than 1 in size (it is not zero): its leading digit's
    // decimal position plus the exponent is negative.
    bool BelowOne() const { return leadingPosition_ + exponent_ < 0; }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }

    // An optional sign; from_chars takes '-' only before the mantissa.
    void Sign(bool exponent) {
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
            if (text_[pos_] == '-' || exponent)
                normal_ += text_[pos_];
            negativeExponent_ = exponent && text_[pos_] == '-';
            ++pos_;
        }
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    // Digits with at most one separator.
    bool Mantissa() {
        int64_t digits = 0, integerDigits = 0, leadingIndex = -1;
        bool point = false;
        for (; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (IsDigit(c)) {
                if (c != '0' && leadingIndex < 0)
                    leadingIndex = digits;
                ++digits;
                integerDigits += point ? 0 : 1;
                normal_ += c;
            } else if (c == separator_ && !point) {
                point = true;
                normal_ += '.';
            } else {
                break;
            }
        }
        leadingPosition_ = integerDigits - 1 - leadingIndex;
        return digits > 0;
    }

    bool Exponent() {
        const size_t start = pos_;
        int64_t value = 0;
        for (; pos_ < text_.size() && IsDigit(text_[pos_]); ++pos_) {
            normal_ += text_[pos_];
            if (value < 1000000) // far beyond any double; keeps the sum from overflowing
                value = value * 10 + (text_[pos_] - '0');
        }
        exponent_ = negativeExponent_ ? -value : value;
        return pos_ > start;
    }

    std::string_view text_;
    char separator_;
    size_t pos_ = 0;
    std::string normal_;
    int64_t leadingPosition_ = 0; // power of ten of the first non-zero digit (0: units)
    bool negativeExponent_ = false;
    int64_t exponent_ = 0;
};

} // namespace

std::optional<double> TextToFloat(std::string_view text, char decimalSeparator) {
    NumberScanner scanner(text, decimalSeparator);
    if (!scanner.Scan())
        return std::nullopt;
    const std::string& normal = scanner.Normalised();
    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error == std::errc::result_out_of_range && scanner.BelowOne())
        return normal[0] == '-' ? -0.0 : 0.0; // too small for a double: zero
    if (error != std::errc() || end != normal.data() + normal.size())
        return std::nullopt; // too large for a double (it would be infinite)
    return value;
}

} // namespace kurvix
