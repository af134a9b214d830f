// Message timers of the GUI thread: OnTimer runs from the message loop, so handlers never
// overlap. A timer whose interval is 0 never fires.
#pragma once

#include <functional>

namespace kurvix::ui {

class Timer {
  public:
    explicit Timer(unsigned intervalMs = 1000) : interval_(intervalMs) {}
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned intervalMs);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    std::function<void()> OnTimer;

  private:
    void Update();
    unsigned interval_;
    bool enabled_ = false;
    bool running_ = false;
};

} // namespace kurvix::ui
