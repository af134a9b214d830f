// The hook's budget: applying a mouse event, and every guarded section of the exports, allocates
// no memory. This program replaces the global operator new with one that counts its calls.
#include "Accounting.h"
#include "BlockAccess.h"
#include "FakeHookPlatform.h"
#include "Guard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace kurvix {
namespace {

class CountingCursor final : public CursorMover {
  public:
    void MoveCursor(int32_t, int32_t) override { ++moves; }
    int moves = 0;
};

// Allocations made by `work`.
template <typename Work> long AllocationsDuring(Work work) {
    const long before = g_allocations;
    work();
    return g_allocations - before;
}

TEST(HookBudgetTest, TheCounterSeesAnAllocation) {
    EXPECT_EQ(AllocationsDuring([] { ::operator delete(::operator new(sizeof(int))); }), 1);
}

TEST(HookBudgetTest, AccountingAnEventAllocatesNothing) {
    test::UseExtendedPrecision();
    SharedBlock block = FreshBlock();
    block.EasterMode = true; // the longest path: every second move steps the circle
    block.MetresPerPixelX = block.MetresPerPixelY = 0.00025;
    block.CellsPerPixelX = 80 / 1024.0;
    block.CellsPerPixelY = 60 / 768.0;
    CountingCursor cursor;
    const MouseEvent events[] = {
        {msg::MouseMove, 100, 100},      {msg::NcMouseMove, 103, 104},
        {msg::MouseMove, 2000000, -5},   {msg::LButtonDown, 1023, 767},
        {msg::NcRButtonDblClk, 5, 5},    {msg::MButtonDown, 1024, 0},
        {msg::MouseWheel, 0, 0},         {msg::LButtonUp, 10, 10},
        {msg::NcMButtonDblClk, -13, 10},
    };
    for (const MouseEvent& e : events) {
        SCOPED_TRACE(e.message);
        EXPECT_EQ(AllocationsDuring([&] {
                      GuardLock lock(block.Guard, test::FakePlatform().guard);
                      AccountMouseEvent(block, e, cursor);
                  }),
                  0);
    }
    EXPECT_GT(cursor.moves, 0);
    EXPECT_EQ(block.MouseWheelTicks, 1u);
}

TEST(HookBudgetTest, ExportsAllocateNothing) {
    test::FakeDisplay::Reset();
    SharedBlock block = FreshBlock();
    BlockAccess access(block, test::FakePlatform());
    int min = 0, max = 0;
    EXPECT_EQ(AllocationsDuring([&] {
                  access.SetScreenSizeAuto();
                  access.SetScreenSize(32, 24);
                  access.SetPixelFrequency(79, 59, 7);
                  access.SetPixels(access.GetPixels() + 1.5L);
                  access.SetMouseClicksLeft(access.GetMouseClicksLeft() + 1);
                  access.SetHookCount(access.GetHookCount() + 1);
                  access.GetMinMaxPixelFrequency(min, max);
                  access.GetTotalPixelClicks();
              }),
              0);
    EXPECT_EQ(max, 7);
}

} // namespace
} // namespace kurvix
