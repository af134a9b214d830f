// The hook procedure's body under Wine: it counts every call, applies the event, passes the
// message on, and survives faults inside the accounting with the thread's floating-point
// state, the guard and exception handling intact.
#include "HookPlatform_win.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kurvix {
namespace {

unsigned short ControlWord() {
    unsigned short cw;
    __asm__ volatile("fnstcw %0" : "=m"(cw));
    return cw;
}

void SetControlWord(unsigned short cw) { __asm__ volatile("fldcw %0" : : "m"(cw)); }

unsigned short StatusWord() {
    unsigned short sw;
    __asm__ volatile("fnstsw %0" : "=m"(sw));
    return sw;
}

unsigned Mxcsr() {
    unsigned v;
    __asm__ volatile("stmxcsr %0" : "=m"(v));
    return v;
}

class HookProcTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartHookRuntime();
        block.CellsPerPixelX = 80 / 1024.0;
        block.CellsPerPixelY = 60 / 768.0;
        block.MetresPerPixelX = block.MetresPerPixelY = 0.0003;
    }
    LRESULT Call(int code, UINT message, LONG x, LONG y) {
        MOUSEHOOKSTRUCT info{};
        info.pt = {x, y};
        return HandleHookCall(block, nullptr, code, message, reinterpret_cast<LPARAM>(&info));
    }
    SharedBlock block = FreshBlock();
};

TEST_F(HookProcTest, CountsEveryCallAndAppliesOnlyActions) {
    Call(HC_ACTION, WM_LBUTTONDOWN, 512, 384);
    Call(HC_NOREMOVE, WM_LBUTTONDOWN, 512, 384);
    Call(-1, WM_LBUTTONDOWN, 512, 384);
    Call(HC_ACTION, WM_MOUSEWHEEL, 0, 0);
    EXPECT_EQ(block.HookCount, 4u);
    EXPECT_EQ(block.MouseClicksLeft, 1u);
    EXPECT_EQ(block.PixelFrequency[30][40], 1u);
    EXPECT_EQ(block.MouseWheelTicks, 1u);
    EXPECT_EQ(block.Guard, 0u);
}

TEST_F(HookProcTest, RestoresTheThreadsFloatingPointState) {
    const unsigned short callerCw = 0x027F; // 53-bit precision, all masked: not the library's
    SetControlWord(callerCw);
    const unsigned callerMxcsr = Mxcsr();
    Call(HC_ACTION, WM_MOUSEMOVE, 10, 10);
    Call(HC_ACTION, WM_MOUSEMOVE, 13, 14);
    EXPECT_EQ(ControlWord(), callerCw);
    EXPECT_EQ(Mxcsr(), callerMxcsr);
    EXPECT_EQ(block.Pixels, 5.0L); // computed with the library's 64-bit precision
    SetControlWord(0x037F);
}

// Faults that the accounting can meet: an invalid x87 operation (0 x infinity with the
// library's unmasked exceptions), a signalling NaN loaded from the block, and a bad pointer.
TEST_F(HookProcTest, FaultEndsOnlyThatEventAndPassesTheMessageOn) {
    struct Case {
        const char* what;
        void (*prepare)(SharedBlock&);
        UINT message;
        bool badPointer;
    } cases[] = {
        {"zero times infinity",
         [](SharedBlock& b) {
             b.MetresPerPixelX = __builtin_inf();
             b.HavePosition = true;
             b.LastX = 100;
             b.LastY = 100;
         },
         WM_MOUSEMOVE, false},
        {"signalling NaN", [](SharedBlock& b) { b.CellsPerPixelX = __builtin_nans(""); },
         WM_LBUTTONDOWN, false},
        {"bad pointer", [](SharedBlock&) {}, WM_LBUTTONDOWN, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        block = FreshBlock();
        block.CellsPerPixelX = 80 / 1024.0;
        block.CellsPerPixelY = 60 / 768.0;
        c.prepare(block);
        const unsigned short callerCw = ControlWord();
        const unsigned short callerStatus = StatusWord() & 0x3F;
        if (c.badPointer)
            HandleHookCall(block, nullptr, HC_ACTION, c.message, static_cast<LPARAM>(0x10));
        else
            Call(HC_ACTION, c.message, 100, 300);
        EXPECT_EQ(block.Guard, 0u);
        EXPECT_EQ(block.HookCount, 1u);
        EXPECT_EQ(ControlWord(), callerCw);
        EXPECT_EQ(StatusWord() & 0x3F, callerStatus);
        // The next event is accounted as usual.
        block.CellsPerPixelX = 80 / 1024.0;
        Call(HC_ACTION, WM_RBUTTONDOWN, 512, 384);
        EXPECT_EQ(block.MouseClicksRight, 1u);
        EXPECT_EQ(block.HookCount, 2u);
    }
    // The thread's own exception handling still works after the faults.
    bool caught = false;
    try {
        throw std::runtime_error("after");
    } catch (const std::runtime_error&) {
        caught = true;
    }
    EXPECT_TRUE(caught);
}

} // namespace
} // namespace kurvix
