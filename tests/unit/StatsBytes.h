// Statistics files built byte by byte from the file's table of offsets, independently of the
// codec under test.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace kurvix::test {

constexpr size_t kGoldenSize = 19602; // 16 + 386 + 80 x 60 x 4

inline void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline uint32_t GetU32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

inline void PutDouble(std::vector<uint8_t>& b, size_t at, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    PutU32(b, at, static_cast<uint32_t>(bits));
    PutU32(b, at + 4, static_cast<uint32_t>(bits >> 32));
}

// An extended value as 20 hex digits, most significant first: sign and exponent (4 digits),
// then the significand (16 digits). Stored least significant byte first.
inline void PutExtendedHex(std::vector<uint8_t>& b, size_t at, const std::string& hex) {
    for (size_t i = 0; i < 10; ++i)
        b[at + 9 - i] = static_cast<uint8_t>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
}

// The 10 significant bytes of a long double, as PutExtendedHex writes them.
inline std::string ExtendedHex(long double v) {
    uint8_t bytes[sizeof(long double)];
    std::memcpy(bytes, &v, sizeof v);
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (int i = 9; i >= 0; --i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 15];
    }
    return hex;
}

// The grid count that the golden file gives cell (x, y); above 2^31 in every other row.
inline uint32_t GoldenCell(int x, int y) {
    return static_cast<uint32_t>(y * 1000 + x) + (y % 2 ? 0x80000000u : 0u);
}

// A valid file of the full size with a distinct value in every field.
inline std::vector<uint8_t> GoldenFile() {
    std::vector<uint8_t> b(kGoldenSize, 0);
    PutU32(b, 0, 0x19800828);
    PutU32(b, 4, 1);
    PutU32(b, 8, 5);
    PutU32(b, 12, 0);
    PutDouble(b, 16, 33.8);
    PutDouble(b, 24, 27.1);
    b[32] = 1; // start minimized
    b[33] = 0; // auto save off
    PutU32(b, 34, 123456);
    PutDouble(b, 38, 45000.25);
    PutDouble(b, 46, 45000.5);
    PutDouble(b, 54, 46000.75);
    PutU32(b, 62, 3000000000u);
    PutU32(b, 66, static_cast<uint32_t>(-20));
    PutU32(b, 70, 30000);
    PutExtendedHex(b, 74, "4016e9b6a5e51d932112");
    PutExtendedHex(b, 84, "400afeb39e9394c001a2");
    PutU32(b, 94, 0x80000001u);
    PutU32(b, 98, 2);
    PutU32(b, 102, 3);
    PutU32(b, 106, 4000000000u);
    PutExtendedHex(b, 110, "c00bf000000000000abc"); // negative
    PutExtendedHex(b, 120, "7fff8000000000000001"); // signalling NaN
    PutU32(b, 130, 11);
    PutU32(b, 134, 0xFFFFFFFFu);
    PutU32(b, 138, 13);
    PutU32(b, 142, 14);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            PutU32(b, 402 + 4 * (y * 80 + x), GoldenCell(x, y));
    return b;
}

} // namespace kurvix::test
