#include "Timer_win.h"

#include "Window_win.h"

#include <set>

namespace kurvix::ui {

namespace {

// The hidden window that receives the WM_TIMER messages of all timers; each timer's id is its
// own address, checked against the live timers because a WM_TIMER may still be queued after
// its timer stopped.
class TimerWindow : public Window {
  public:
    static TimerWindow& Instance() {
        static TimerWindow window;
        return window;
    }
    std::set<Timer*> live;

  protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_TIMER)
            return Default(msg, wParam, lParam);
        auto* timer = reinterpret_cast<Timer*>(wParam);
        if (live.count(timer) && timer->Enabled() && timer->OnTimer)
            timer->OnTimer();
        return 0;
    }

  private:
    TimerWindow() { CreateOwn("KurvixTimers", 0, 0, "", 0, 0, 0, 0, HWND_MESSAGE); }
};

} // namespace

Timer::~Timer() {
    enabled_ = false;
    Update();
}

void Timer::SetInterval(unsigned intervalMs) {
    if (intervalMs == interval_)
        return;
    interval_ = intervalMs;
    if (running_) { // restart with the new interval
        KillTimer(TimerWindow::Instance().Handle(), reinterpret_cast<UINT_PTR>(this));
        running_ = false;
    }
    Update();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Update();
}

void Timer::Update() {
    TimerWindow& window = TimerWindow::Instance();
    const bool run = enabled_ && interval_ > 0;
    if (run && !running_) {
        running_ =
            SetTimer(window.Handle(), reinterpret_cast<UINT_PTR>(this), interval_, nullptr) != 0;
        if (running_)
            window.live.insert(this);
    } else if (!run && running_) {
        KillTimer(window.Handle(), reinterpret_cast<UINT_PTR>(this));
        window.live.erase(this);
        running_ = false;
    }
}

} // namespace kurvix::ui
