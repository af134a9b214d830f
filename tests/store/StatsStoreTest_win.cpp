// The statistics file on a real disk under Wine: round trip, a failure injected at every step of
// a save, a file held open by someone else while the save replaces it, and a location where
// nothing can be written.
#include "StatsStore_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <thread>

namespace kurvix {
namespace {

constexpr int kGridWidth = 80;
constexpr int kGridHeight = 60;
constexpr size_t kCells = kGridWidth * kGridHeight;
constexpr size_t kFileSize = kStatsGridOffset + 4 * kCells; // 19602

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of a whole file whose values all derive from n, so files of different saves differ
// everywhere.
std::vector<uint8_t> StatsBytes(uint32_t n) {
    StatsRecord record;
    record.ScreenWidth = 33.8;
    record.ScreenHeight = 27.1;
    record.AutoSave = true;
    record.AutoSaveInterval = 60000;
    record.TimeOn = n;
    record.Left = -7;
    record.Pixels = n * 1.5L;
    record.ClicksLeft = n;
    record.ClicksRight = 0xFFFFFFFFu - n;
    std::vector<uint32_t> grid(kCells);
    for (size_t i = 0; i < kCells; ++i)
        grid[i] = n * 4800u + static_cast<uint32_t>(i);
    return EncodeStatsFile(record, grid.data(), grid.size());
}

// A folder of its own beside the system's temporary files, with a space and dots in its name.
class StatsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        dir_ = std::string(temp) + "kurvix store.v2." + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr) || Exists(dir_));
        path_ = dir_ + "\\Kurvix.dat";
        temp_ = SaveTempName(path_);
    }
    void TearDown() override {
        DeleteFileA(path_.c_str());
        DeleteFileA(temp_.c_str());
        RemoveDirectoryA(dir_.c_str());
    }
    void WriteRaw(const std::vector<uint8_t>& bytes) {
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    std::string dir_, path_, temp_;
};

TEST_F(StatsStoreTest, SavesAndLoadsThroughTheRealFile) {
    EXPECT_FALSE(ReadFileStart(path_, kFileSize).has_value());
    EXPECT_FALSE(LoadStatsFile(path_, kGridWidth, kGridHeight).has_value());

    // A temporary file left by a killed save is simply overwritten.
    std::ofstream(temp_) << "left over";
    for (uint32_t n : {1u, 2u}) { // the second save replaces an existing file
        const SaveStatus status = SaveFileBytes(path_, StatsBytes(n));
        ASSERT_TRUE(status.Ok()) << SaveFailureMessage(status);
        EXPECT_EQ(status.Path, path_);
        EXPECT_EQ(FileBytes(path_), StatsBytes(n));
        EXPECT_FALSE(Exists(temp_));
    }

    const auto loaded = LoadStatsFile(path_, kGridWidth, kGridHeight);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(EncodeStatsFile(loaded->Record, loaded->Grid.data(), loaded->Grid.size()),
              StatsBytes(2));

    // Bytes past the grid are neither read nor a reason to reject the file.
    std::vector<uint8_t> longer = StatsBytes(3);
    longer.resize(longer.size() + 100000, 0xAB);
    WriteRaw(longer);
    EXPECT_EQ(ReadFileStart(path_, kFileSize)->size(), kFileSize);
    ASSERT_TRUE(LoadStatsFile(path_, kGridWidth, kGridHeight).has_value());
    EXPECT_EQ(LoadStatsFile(path_, kGridWidth, kGridHeight)->Record.ClicksLeft, 3u);
}

TEST_F(StatsStoreTest, TheFileNameIsTheExecutablesWithDat) {
    char exe[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    ASSERT_GT(length, 4u);
    const std::string name = GetStatsFileName();
    EXPECT_EQ(name, std::string(exe, length - 4) + ".dat"); // "....exe" -> "....dat"
}

// The real file operations, failing once at the failAt-th call of the save's own steps (Remove
// is cleanup and never fails here). A failing Write writes half of its bytes first, as a disk
// that fills up does.
class FailAtCall : public SaveFileOps {
  public:
    static constexpr uint32_t kInjected = ERROR_DISK_FULL;
    FailAtCall(SaveFileOps& real, int failAt) : real_(real), failAt_(failAt) {}

    uint32_t Create(const std::string& path) override {
        return Fails() ? kInjected : real_.Create(path);
    }
    uint32_t Write(const uint8_t* data, size_t size) override {
        if (!Fails())
            return real_.Write(data, size);
        real_.Write(data, size / 2);
        return kInjected;
    }
    uint32_t Flush() override { return Fails() ? kInjected : real_.Flush(); }
    uint32_t Close() override {
        const uint32_t error = real_.Close();
        return Fails() ? kInjected : error;
    }
    uint32_t Replace(const std::string& from, const std::string& to) override {
        return Fails() ? kInjected : real_.Replace(from, to);
    }
    uint32_t Remove(const std::string& path) override { return real_.Remove(path); }

    int Calls() const { return calls_; }

  private:
    bool Fails() { return ++calls_ == failAt_; }

    SaveFileOps& real_;
    int failAt_;
    int calls_ = 0;
};

TEST_F(StatsStoreTest, AFailureAtAnyStepKeepsThePreviousFileAndLeavesNoTemporaryFile) {
    const SaveStep steps[] = {SaveStep::Create, SaveStep::Write, SaveStep::Flush, SaveStep::Close,
                              SaveStep::Replace};
    for (const bool hadFile : {true, false}) {
        for (int failAt = 1; failAt <= 5; ++failAt) {
            SCOPED_TRACE(testing::Message()
                         << "failing call " << failAt << ", old file " << hadFile);
            DeleteFileA(path_.c_str());
            if (hadFile) {
                ASSERT_TRUE(SaveFileBytes(path_, StatsBytes(10)).Ok());
            }

            Win32SaveFileOps real;
            FailAtCall ops(real, failAt);
            const std::vector<uint8_t> next = StatsBytes(11);
            const SaveStatus status = SaveReplacing(ops, path_, next.data(), next.size());
            EXPECT_EQ(status.Step, steps[failAt - 1]);
            EXPECT_EQ(status.Error, FailAtCall::kInjected);
            EXPECT_EQ(status.Path, path_);
            EXPECT_FALSE(Exists(temp_));
            if (hadFile) {
                EXPECT_EQ(FileBytes(path_), StatsBytes(10));
            } else {
                EXPECT_FALSE(Exists(path_));
            }

            // The next save goes on as usual.
            ASSERT_TRUE(SaveFileBytes(path_, next).Ok());
            EXPECT_EQ(FileBytes(path_), next);
        }
    }
    // The five steps above are all a save has: one more call site would show here.
    Win32SaveFileOps real;
    FailAtCall ops(real, 0);
    const std::vector<uint8_t> bytes = StatsBytes(12);
    EXPECT_TRUE(SaveReplacing(ops, path_, bytes.data(), bytes.size()).Ok());
    EXPECT_EQ(ops.Calls(), 5);
}

// A reader's handle on the file, as another program holding it open would have (no delete
// sharing, so the file cannot be replaced while it is open).
HANDLE OpenForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST_F(StatsStoreTest, AFileHeldOpenIsReplacedOnceItIsReleased) {
    ASSERT_TRUE(SaveFileBytes(path_, StatsBytes(20)).Ok());
    const HANDLE held = OpenForReading(path_);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(150);
        CloseHandle(held);
    });

    Win32SaveFileOps ops(40, 25); // retries for up to a second
    const std::vector<uint8_t> next = StatsBytes(21);
    const SaveStatus status = SaveReplacing(ops, path_, next.data(), next.size());
    release.join();
    EXPECT_TRUE(status.Ok()) << SaveFailureMessage(status);
    EXPECT_EQ(FileBytes(path_), next);
    EXPECT_FALSE(Exists(temp_));
}

TEST_F(StatsStoreTest, AFileHeldOpenThroughoutIsReportedAndKept) {
    ASSERT_TRUE(SaveFileBytes(path_, StatsBytes(30)).Ok());
    const HANDLE held = OpenForReading(path_);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    Win32SaveFileOps ops(3, 10);
    const std::vector<uint8_t> next = StatsBytes(31);
    const SaveStatus status = SaveReplacing(ops, path_, next.data(), next.size());
    CloseHandle(held);
    EXPECT_EQ(status.Step, SaveStep::Replace);
    EXPECT_TRUE(status.Error == ERROR_ACCESS_DENIED || status.Error == ERROR_SHARING_VIOLATION)
        << status.Error;
    EXPECT_EQ(FileBytes(path_), StatsBytes(30));
    EXPECT_FALSE(Exists(temp_));
}

TEST(StatsStore, ALocationWithoutWriteAccessIsReportedWithThePath) {
    // The host's /sys through Wine's drive Z: refuses new files even to the superuser.
    if (!Exists("Z:\\sys"))
        GTEST_SKIP() << "no Z:\\sys";
    const std::string path = "Z:\\sys\\Kurvix.dat";
    const SaveStatus status = SaveFileBytes(path, StatsBytes(40));
    EXPECT_FALSE(status.Ok());
    EXPECT_EQ(status.Step, SaveStep::Create);
    EXPECT_EQ(status.Path, path);
    EXPECT_NE(status.Error, 0u);
    const std::string message = SaveFailureMessage(status);
    EXPECT_NE(message.find(path), std::string::npos) << message;
    EXPECT_FALSE(Exists(path));
}

} // namespace
} // namespace kurvix
