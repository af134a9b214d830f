// The hook procedure's body. It runs inside every process on the desktop, so it must never
// take its host down: the x87 state of the thread is saved and restored around the work, and
// a fault inside the accounting (an x87 exception, an access violation) is caught by an SEH
// frame of our own and ends only that one event.
#include "Accounting.h"
#include "HookPlatform_win.h"

#include <excpt.h>

namespace kurvix {

namespace {

constexpr unsigned short kLibraryControlWord = 0x1332; // 64-bit precision, nearest, IM ZM OM on
constexpr unsigned kDefaultMxcsr = 0x1F80;             // all SSE exceptions masked

// The thread's floating-point state for the duration of one hook call.
class FpuStateGuard {
  public:
    FpuStateGuard() {
        __asm__ volatile("fnsave %0\n\t"
                         "fldcw %1"
                         : "=m"(x87_)
                         : "m"(kLibraryControlWord)
                         : "memory", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)",
                           "st(7)");
        __asm__ volatile("stmxcsr %0\n\t"
                         "ldmxcsr %1"
                         : "=m"(mxcsr_)
                         : "m"(kDefaultMxcsr));
    }
    ~FpuStateGuard() {
        __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr_));
        __asm__ volatile("fnclex\n\t"
                         "frstor %0"
                         :
                         : "m"(x87_)
                         : "memory", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)",
                           "st(7)");
    }
    FpuStateGuard(const FpuStateGuard&) = delete;
    FpuStateGuard& operator=(const FpuStateGuard&) = delete;

  private:
    unsigned char x87_[108];
    unsigned mxcsr_ = 0;
};

struct HookWork {
    SharedBlock* block;
    WPARAM wParam;
    LPARAM lParam;
};

class SystemCursor final : public CursorMover {
  public:
    void MoveCursor(int32_t x, int32_t y) override { SetCursorPos(x, y); }
};

__attribute__((noinline)) void AccountHookEvent(HookWork* work) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(work->lParam);
    const MouseEvent event{static_cast<uint32_t>(work->wParam), info->pt.x, info->pt.y};
    SystemCursor cursor;
    AccountMouseEvent(*work->block, event, cursor);
    __asm__ volatile("fwait"); // a deferred x87 exception is raised here, still inside the frame
}

#if defined(__i386__)

// An SEH registration record on the stack, linked at fs:0 for the guarded work. Its handler
// unwinds the frames above it and lands back in RunGuarded through __builtin_longjmp.
struct SehRecord {
    SehRecord* next;
    void* handler;
    void* landing[5];
};

SehRecord* SehTop() {
    SehRecord* top;
    __asm__ volatile("movl %%fs:0, %0" : "=r"(top));
    return top;
}

void SetSehTop(SehRecord* record) {
    __asm__ volatile("movl %0, %%fs:0" : : "r"(record) : "memory");
}

extern "C" EXCEPTION_DISPOSITION __cdecl KurvixLandOnFault(EXCEPTION_RECORD* record,
                                                           void* establisher, CONTEXT*, void*) {
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    RtlUnwind(establisher, nullptr, record, nullptr);
    __builtin_longjmp(static_cast<SehRecord*>(establisher)->landing, 1);
}

// Runs the accounting of one event; false when a fault ended it.
__attribute__((noinline)) bool RunGuarded(HookWork* work) {
    SehRecord record;
    record.next = SehTop();
    record.handler = reinterpret_cast<void*>(&KurvixLandOnFault);
    if (__builtin_setjmp(record.landing)) {
        SetSehTop(record.next);
        return false;
    }
    SetSehTop(&record);
    AccountHookEvent(work);
    SetSehTop(record.next);
    return true;
}

#elif defined(__x86_64__)

// On x86-64 SEH is table-based: RunGuarded names KurvixLandOnFault64 as its language handler,
// which the dispatcher calls for a fault anywhere below RunGuarded's frame. The landing buffer
// of the thread's current guarded run sits in a TLS slot.
DWORD g_landingSlot = TLS_OUT_OF_INDEXES;

extern "C" EXCEPTION_DISPOSITION KurvixLandOnFault64(EXCEPTION_RECORD* record, void*, CONTEXT*,
                                                     void*) {
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    void** landing = static_cast<void**>(TlsGetValue(g_landingSlot));
    if (!landing)
        return ExceptionContinueSearch;
    __builtin_longjmp(landing, 1);
}

// Wine also keeps a frame list in the TEB (fs:0's place on x86-64), to which its dispatcher
// adds a frame around the call of a language handler; landing back skips its removal, so the
// list is put back as it was. On Windows the list is unused there and this changes nothing.
__attribute__((noinline)) bool RunGuarded(HookWork* work) {
    if (g_landingSlot == TLS_OUT_OF_INDEXES)
        return (AccountHookEvent(work), true); // no slot: run unprotected rather than not at all
    __asm__ volatile(".seh_handler KurvixLandOnFault64, @except");
    NT_TIB* tib;
    __asm__("movq %%gs:0x30, %0" : "=r"(tib)); // the TEB's own address
    _EXCEPTION_REGISTRATION_RECORD* const frames = tib->ExceptionList;
    void* landing[5];
    if (__builtin_setjmp(landing)) {
        tib->ExceptionList = frames;
        TlsSetValue(g_landingSlot, nullptr);
        return false;
    }
    TlsSetValue(g_landingSlot, landing);
    AccountHookEvent(work);
    TlsSetValue(g_landingSlot, nullptr);
    return true;
}

#endif

} // namespace

void StartHookRuntime() {
#if defined(__x86_64__)
    if (g_landingSlot == TLS_OUT_OF_INDEXES)
        g_landingSlot = TlsAlloc();
#endif
}

void StopHookRuntime() {
#if defined(__x86_64__)
    if (g_landingSlot != TLS_OUT_OF_INDEXES)
        TlsFree(g_landingSlot);
    g_landingSlot = TLS_OUT_OF_INDEXES;
#endif
}

LRESULT HandleHookCall(SharedBlock& block, HHOOK next, int code, WPARAM wParam, LPARAM lParam) {
    {
        FpuStateGuard fpu;
        BlockAccess access(block, Win32HookPlatform());
        access.AddHookCall();
        if (code == HC_ACTION) {
            bool completed;
            {
                GuardLock lock(block.Guard, Win32HookPlatform().guard);
                HookWork work{&block, wParam, lParam};
                completed = RunGuarded(&work);
            }
            if (!completed)
                OutputDebugStringA("Kurvix hook exception");
        }
    }
    return CallNextHookEx(next, code, wParam, lParam);
}

} // namespace kurvix
