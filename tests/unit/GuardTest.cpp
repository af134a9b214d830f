// The guard's exclusion under threads hammering one block, and its recovery from a holder
// whose process died inside it.
#include "Guard.h"
#include "Accounting.h"
#include "BlockAccess.h"
#include "FakeHookPlatform.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace kurvix {
namespace {

class NoCursor final : public CursorMover {
  public:
    void MoveCursor(int32_t, int32_t) override {}
};

TEST(GuardTest, ThreadsHammeringOneBlockLoseNoCount) {
    SharedBlock block = FreshBlock();
    block.CellsPerPixelX = block.CellsPerPixelY = 0.05;
    constexpr int kThreads = 4, kRounds = 20000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&block, t] {
            test::UseExtendedPrecision();
            BlockAccess access(block, test::FakePlatform());
            NoCursor cursor;
            for (int i = 0; i < kRounds; ++i) {
                {
                    GuardLock lock(block.Guard, test::FakePlatform().guard);
                    AccountMouseEvent(block, MouseEvent{msg::LButtonDown, t * 20, 0}, cursor);
                    AccountMouseEvent(block, MouseEvent{msg::MouseWheel, 0, 0}, cursor);
                    AccountMouseEvent(block, MouseEvent{msg::MouseMove, i % 2, 0}, cursor);
                }
                access.AddHookCall();
                if (i % 64 == 0) // exports interleave with the hook
                    access.SetPixelFrequency(t, 59, access.GetPixelFrequency(t, 59) + 1);
            }
        });
    for (auto& th : threads)
        th.join();
    BlockAccess access(block, test::FakePlatform());
    EXPECT_EQ(access.GetMouseClicksLeft(), uint32_t{kThreads * kRounds});
    EXPECT_EQ(access.GetMouseWheelTicks(), uint32_t{kThreads * kRounds});
    EXPECT_EQ(access.GetHookCount(), uint32_t{kThreads * kRounds});
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(access.GetPixelFrequency(t, 0), uint32_t{kRounds});
        EXPECT_EQ(access.GetPixelFrequency(t, 59), uint32_t{(kRounds + 63) / 64});
    }
    EXPECT_EQ(block.Guard, 0u);
}

TEST(GuardTest, HolderIdIsStoredAndClearedOnRelease) {
    uint32_t word = 0;
    {
        GuardLock lock(word, test::FakePlatform().guard);
        EXPECT_EQ(word, test::FakeProcesses::self);
    }
    EXPECT_EQ(word, 0u);
}

TEST(GuardTest, GuardOfADeadProcessIsTakenOver) {
    uint32_t word = 4242; // held by a process that was killed inside it
    test::FakeProcesses::dead = {4242};
    test::FakeProcesses::ownerChecks = 0;
    {
        GuardLock lock(word, test::FakePlatform().guard);
        EXPECT_EQ(word, test::FakeProcesses::self);
    }
    EXPECT_EQ(word, 0u);
    EXPECT_GE(test::FakeProcesses::ownerChecks.load(), 1);
    test::FakeProcesses::dead.clear();
}

TEST(GuardTest, EndingProcessFreesOnlyItsOwnHold) {
    uint32_t word = 77;
    ReleaseGuardHeldBy(word, 78); // another process holds it: untouched
    EXPECT_EQ(word, 77u);
    ReleaseGuardHeldBy(word, 77);
    EXPECT_EQ(word, 0u);
    ReleaseGuardHeldBy(word, 77); // free stays free
    EXPECT_EQ(word, 0u);
}

TEST(GuardTest, GuardOfALiveProcessIsWaitedFor) {
    uint32_t word = 4343; // held by another live process
    std::atomic<bool> acquired{false};
    std::thread waiter([&] {
        GuardLock lock(word, test::FakePlatform().guard);
        acquired = true;
    });
    while (test::FakeProcesses::ownerChecks.load() < 3)
        std::this_thread::yield();
    EXPECT_FALSE(acquired.load());
    __atomic_store_n(&word, 0u, __ATOMIC_RELEASE); // the holder finishes
    waiter.join();
    EXPECT_TRUE(acquired.load());
    EXPECT_EQ(word, 0u);
}

} // namespace
} // namespace kurvix
