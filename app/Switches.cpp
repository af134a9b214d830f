#include "Switches.h"

#include <cctype>

namespace kurvix {

const char* const kMinimizeSwitchWords[5] = {"m", "min", "minimize", "minimized", "autorun"};
const char* const kAutoRunSwitch = "/autorun";

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Reads one parameter starting at pos (separators already skipped); moves pos past it.
std::string ReadParameter(const std::string& line, size_t& pos) {
    std::string param;
    while (pos < line.size() && !IsSeparator(line[pos])) {
        if (line[pos] != '"') {
            param += line[pos++];
            continue;
        }
        ++pos; // opening quote
        while (pos < line.size() && line[pos] != '"')
            param += line[pos++];
        if (pos < line.size())
            ++pos; // closing quote
    }
    return param;
}

void SkipSeparatorsAndEmptyQuotes(const std::string& line, size_t& pos) {
    for (;;) {
        while (pos < line.size() && IsSeparator(line[pos]))
            ++pos;
        if (line.compare(pos, 2, "\"\"") != 0)
            return;
        pos += 2;
    }
}

bool EqualsIgnoringCase(const std::string& text, size_t from, const char* word) {
    size_t i = from;
    for (; *word != '\0'; ++word, ++i) {
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) !=
                                    std::tolower(static_cast<unsigned char>(*word)))
            return false;
    }
    return i == text.size();
}

bool IsSwitch(const std::string& param, const char* word) {
    return !param.empty() && (param[0] == '-' || param[0] == '/') &&
           EqualsIgnoringCase(param, 1, word);
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> params;
    size_t pos = 0;
    for (;;) {
        SkipSeparatorsAndEmptyQuotes(commandLine, pos);
        if (pos >= commandLine.size())
            return params;
        params.push_back(ReadParameter(commandLine, pos));
    }
}

bool HasMinimizeSwitch(const std::vector<std::string>& parameters) {
    for (const char* word : kMinimizeSwitchWords)
        for (const std::string& param : parameters)
            if (IsSwitch(param, word))
                return true;
    return false;
}

std::string AutoRunCommand(const std::string& programPath) {
    const bool quote = programPath.find(' ') != std::string::npos;
    const std::string path = quote ? '"' + programPath + '"' : programPath;
    return path + ' ' + kAutoRunSwitch;
}

} // namespace kurvix
