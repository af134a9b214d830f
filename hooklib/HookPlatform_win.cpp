#include "HookPlatform_win.h"

namespace kurvix {

namespace {

class ScreenDC {
  public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_)
            ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    explicit operator bool() const { return dc_ != nullptr; }
    int Caps(int index) const { return GetDeviceCaps(dc_, index); }

  private:
    HDC dc_;
};

class ProcessHandle {
  public:
    explicit ProcessHandle(HANDLE h) : h_(h) {}
    ~ProcessHandle() {
        if (h_)
            CloseHandle(h_);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE get() const { return h_; }

  private:
    HANDLE h_;
};

uint32_t SelfId() { return GetCurrentProcessId(); }

bool OwnerAlive(uint32_t pid) {
    ProcessHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process.get())
        return GetLastError() != ERROR_INVALID_PARAMETER; // no such process: gone
    return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

void Relax() { Sleep(0); }

bool DisplaySizeMm(int& width, int& height) {
    ScreenDC dc;
    if (!dc)
        return false;
    width = dc.Caps(HORZSIZE);
    height = dc.Caps(VERTSIZE);
    return true;
}

bool DisplayResolution(int& pixelsX, int& pixelsY) {
    ScreenDC dc;
    if (!dc)
        return false;
    pixelsX = dc.Caps(HORZRES);
    pixelsY = dc.Caps(VERTRES);
    return true;
}

const HookPlatform kPlatform = {{SelfId, OwnerAlive, Relax}, {DisplaySizeMm, DisplayResolution}};

} // namespace

const HookPlatform& Win32HookPlatform() { return kPlatform; }

} // namespace kurvix
