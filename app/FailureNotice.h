// A failure the user hears of once per run: the first failed attempt says "tell now", every
// later one (failed or not) stays quiet, so a save that keeps failing every minute does not
// bury the user in messages while counting and saving go on.
#pragma once

namespace kurvix {

class FailureNotice {
  public:
    // The outcome of one attempt; true exactly when the user is to be told now.
    bool ShouldTell(bool failed) {
        if (!failed || told_)
            return false;
        told_ = true;
        return true;
    }
    bool Told() const { return told_; }

  private:
    bool told_ = false;
};

} // namespace kurvix
