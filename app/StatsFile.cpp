#include "StatsFile.h"

#include <cstring>

namespace kurvix {

namespace {

constexpr size_t kExtendedSize = 10; // significand (8 bytes), then sign and exponent (2 bytes)
constexpr size_t kReservedSize = 256;

// Reads little-endian fields one after the other from a buffer known to be long enough.
class FieldReader {
  public:
    explicit FieldReader(const uint8_t* at) : at_(at) {}

    uint32_t U32() {
        const uint32_t v = static_cast<uint32_t>(at_[0]) | static_cast<uint32_t>(at_[1]) << 8 |
                           static_cast<uint32_t>(at_[2]) << 16 |
                           static_cast<uint32_t>(at_[3]) << 24;
        at_ += 4;
        return v;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    uint64_t U64() {
        const uint64_t low = U32();
        return low | static_cast<uint64_t>(U32()) << 32;
    }
    double Double() {
        const uint64_t bits = U64();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    bool Bool() { return *at_++ != 0; }
    long double Extended() {
        long double v;
        std::memset(&v, 0, sizeof v);
        std::memcpy(&v, at_, kExtendedSize); // the x87 type's memory layout is the file's
        at_ += kExtendedSize;
        return v;
    }

  private:
    const uint8_t* at_;
};

// Appends little-endian fields to a byte vector.
class FieldWriter {
  public:
    explicit FieldWriter(std::vector<uint8_t>& out) : out_(out) {}

    void U32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            out_.push_back(static_cast<uint8_t>(v >> shift));
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void Double(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        U32(static_cast<uint32_t>(bits));
        U32(static_cast<uint32_t>(bits >> 32));
    }
    void Bool(bool v) { out_.push_back(v ? 1 : 0); }
    void Extended(long double v) {
        uint8_t bytes[sizeof(long double)];
        std::memcpy(bytes, &v, sizeof v);
        out_.insert(out_.end(), bytes, bytes + kExtendedSize);
    }
    void Zeros(size_t count) { out_.insert(out_.end(), count, 0); }

  private:
    std::vector<uint8_t>& out_;
};

bool HeaderIsValid(const uint8_t* data) {
    FieldReader header(data);
    const uint32_t magic = header.U32();
    const uint32_t major = header.U32();
    const uint32_t minor = header.U32();
    return magic == kStatsMagic && major == kStatsVersionMajor && minor == kStatsVersionMinor;
}

StatsRecord ReadRecord(const uint8_t* data) {
    FieldReader in(data);
    StatsRecord r;
    r.ScreenWidth = in.Double();
    r.ScreenHeight = in.Double();
    r.StartMinimized = in.Bool();
    r.AutoSave = in.Bool();
    r.AutoSaveInterval = in.U32();
    r.StartDate = in.Double();
    r.StartDateCopy = in.Double();
    r.SaveMoment = in.Double();
    r.TimeOn = in.U32();
    r.Left = in.I32();
    r.Top = in.I32();
    r.Pixels = in.Extended();
    r.Distance = in.Extended();
    r.ClicksLeft = in.U32();
    r.ClicksRight = in.U32();
    r.ClicksMiddle = in.U32();
    r.WheelTicks = in.U32();
    r.TrackPixels = in.Extended();
    r.TrackDistance = in.Extended();
    r.TrackClicksLeft = in.U32();
    r.TrackClicksRight = in.U32();
    r.TrackClicksMiddle = in.U32();
    r.TrackWheelTicks = in.U32();
    return r;
}

void WriteRecord(FieldWriter& out, const StatsRecord& r) {
    out.Double(r.ScreenWidth);
    out.Double(r.ScreenHeight);
    out.Bool(r.StartMinimized);
    out.Bool(r.AutoSave);
    out.U32(r.AutoSaveInterval);
    out.Double(r.StartDate);
    out.Double(r.StartDateCopy);
    out.Double(r.SaveMoment);
    out.U32(r.TimeOn);
    out.I32(r.Left);
    out.I32(r.Top);
    out.Extended(r.Pixels);
    out.Extended(r.Distance);
    out.U32(r.ClicksLeft);
    out.U32(r.ClicksRight);
    out.U32(r.ClicksMiddle);
    out.U32(r.WheelTicks);
    out.Extended(r.TrackPixels);
    out.Extended(r.TrackDistance);
    out.U32(r.TrackClicksLeft);
    out.U32(r.TrackClicksRight);
    out.U32(r.TrackClicksMiddle);
    out.U32(r.TrackWheelTicks);
    out.Zeros(kReservedSize);
}

// The grid block as read item by item: only complete 4-byte counts count; the rest stay 0.
std::vector<uint32_t> ReadGrid(const uint8_t* block, size_t blockSize, size_t cellCount) {
    std::vector<uint32_t> grid(cellCount, 0);
    const size_t present = blockSize / 4 < cellCount ? blockSize / 4 : cellCount;
    FieldReader in(block);
    for (size_t i = 0; i < present; ++i)
        grid[i] = in.U32();
    return grid;
}

} // namespace

std::optional<StatsFileContents> DecodeStatsFile(const uint8_t* data, size_t size, int gridWidth,
                                                 int gridHeight) {
    if (data == nullptr || size < kStatsGridOffset || !HeaderIsValid(data))
        return std::nullopt;
    const size_t cells = gridWidth > 0 && gridHeight > 0
                             ? static_cast<size_t>(gridWidth) * static_cast<size_t>(gridHeight)
                             : 0;
    StatsFileContents contents;
    contents.Record = ReadRecord(data + kStatsHeaderSize);
    contents.Grid = ReadGrid(data + kStatsGridOffset, size - kStatsGridOffset, cells);
    return contents;
}

std::vector<uint8_t> EncodeStatsFile(const StatsRecord& record, const uint32_t* grid,
                                     size_t cellCount) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kStatsGridOffset + 4 * cellCount);
    FieldWriter out(bytes);
    out.U32(kStatsMagic);
    out.U32(kStatsVersionMajor);
    out.U32(kStatsVersionMinor);
    out.U32(0); // reserved
    WriteRecord(out, record);
    for (size_t i = 0; i < cellCount; ++i)
        out.U32(grid[i]);
    return bytes;
}

StatsRecord DefaultStatsRecord(const StatsDefaultsInput& input) {
    StatsRecord r;
    r.Left = (input.ScreenWidthPixels - input.WindowWidth) / 2;
    r.Top = (input.ScreenHeightPixels - input.WindowHeight) / 2;
    r.ScreenWidth = -1.0;
    r.ScreenHeight = -1.0;
    r.StartMinimized = false;
    r.AutoSave = true;
    r.AutoSaveInterval = kDefaultAutoSaveInterval;
    r.TimeOn = 0;
    r.StartDate = input.Now;
    r.StartDateCopy = input.Now;
    return r;
}

} // namespace kurvix
