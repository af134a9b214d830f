// The loader under a deterministic fuzzer: seeded mutations of valid and short files, each
// decoded from a buffer of exactly its size (natively under the address and undefined-behaviour
// sanitizers). Every outcome must be the defaults or the load that the bytes describe.
#include "StatsBytes.h"
#include "StatsFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace kurvix {
namespace {

constexpr int kInputs = 6000;

// Small, unbiased-enough draws from one seeded generator.
class Mutator {
  public:
    explicit Mutator(uint32_t seed) : random_(seed) {}

    size_t Below(size_t n) { return n == 0 ? 0 : random_() % n; }

    std::vector<uint8_t> Next(const std::vector<uint8_t>& seed) {
        std::vector<uint8_t> b = seed;
        const int steps = 1 + static_cast<int>(Below(4));
        for (int i = 0; i < steps; ++i)
            Mutate(b);
        return b;
    }

  private:
    void Mutate(std::vector<uint8_t>& b) {
        switch (Below(6)) {
        case 0: // cut anywhere, most often near the header and record
            b.resize(Below(4) ? Below(kStatsGridOffset + 8) : Below(b.size() + 1));
            break;
        case 1: // grow with random bytes
            for (size_t n = Below(64); n > 0; --n)
                b.push_back(static_cast<uint8_t>(random_()));
            break;
        case 2: // flip bits in the header
            if (!b.empty())
                b[Below(b.size() < 16 ? b.size() : 16)] ^= static_cast<uint8_t>(1u << Below(8));
            break;
        case 3: // overwrite a byte anywhere
            if (!b.empty())
                b[Below(b.size())] = static_cast<uint8_t>(random_());
            break;
        case 4: // set one header word to a value near the valid ones
            if (b.size() >= 16)
                test::PutU32(b, 4 * Below(4),
                             static_cast<uint32_t>(Below(8)) + (Below(2) ? 0x19800826u : 0u));
            break;
        default: // restore a valid header
            if (b.size() >= 16) {
                test::PutU32(b, 0, kStatsMagic);
                test::PutU32(b, 4, 1);
                test::PutU32(b, 8, 5);
            }
            break;
        }
    }

    std::mt19937 random_;
};

// What the bytes say, read independently of the codec.
void ExpectOutcomeMatchesBytes(const std::vector<uint8_t>& b) {
    std::unique_ptr<uint8_t[]> exact(new uint8_t[b.size()]); // nothing readable past the end
    std::copy(b.begin(), b.end(), exact.get());
    const auto loaded = DecodeStatsFile(exact.get(), b.size(), 80, 60);

    const bool valid = b.size() >= 402 && test::GetU32(b, 0) == 0x19800828u &&
                       test::GetU32(b, 4) == 1 && test::GetU32(b, 8) == 5;
    ASSERT_EQ(loaded.has_value(), valid) << "size " << b.size();
    if (!valid)
        return;
    const StatsRecord& r = loaded->Record;
    ASSERT_EQ(r.StartMinimized, b[32] != 0);
    ASSERT_EQ(r.AutoSaveInterval, test::GetU32(b, 34));
    ASSERT_EQ(r.TimeOn, test::GetU32(b, 62));
    ASSERT_EQ(static_cast<uint32_t>(r.Top), test::GetU32(b, 70));
    ASSERT_EQ(r.TrackWheelTicks, test::GetU32(b, 142));
    ASSERT_EQ(loaded->Grid.size(), 4800u);
    for (size_t i = 0; i < 4800; ++i) {
        const size_t at = 402 + 4 * i;
        ASSERT_EQ(loaded->Grid[i], at + 4 <= b.size() ? test::GetU32(b, at) : 0u) << i;
    }
    // A valid load encodes back to the same header and record, apart from the ignored parts.
    const std::vector<uint8_t> again = EncodeStatsFile(r, loaded->Grid.data(), loaded->Grid.size());
    for (size_t i = 16; i < 146; ++i) {
        const bool boolByte = i == 32 || i == 33; // bools are written back as 0 or 1
        ASSERT_EQ(again[i], boolByte ? (b[i] != 0) : b[i]) << "record byte " << i;
    }
}

TEST(StatsFileFuzzTest, EveryInputLoadsOrFallsBackToDefaults) {
    const std::vector<uint8_t> golden = test::GoldenFile();
    const std::vector<uint8_t> seeds[] = {
        golden,
        std::vector<uint8_t>(golden.begin(), golden.begin() + 402),
        std::vector<uint8_t>(golden.begin(), golden.begin() + 16),
        {},
    };
    Mutator mutator(20261211);
    int loads = 0;
    for (int i = 0; i < kInputs; ++i) {
        const std::vector<uint8_t> input = mutator.Next(seeds[mutator.Below(4)]);
        ExpectOutcomeMatchesBytes(input);
        if (HasFatalFailure())
            return;
        loads += input.size() >= 402 && test::GetU32(input, 0) == kStatsMagic &&
                 test::GetU32(input, 4) == 1 && test::GetU32(input, 8) == 5;
    }
    // Both outcomes occur often enough for the run to mean something.
    EXPECT_GT(loads, kInputs / 10);
    EXPECT_LT(loads, kInputs * 9 / 10);
}

} // namespace
} // namespace kurvix
