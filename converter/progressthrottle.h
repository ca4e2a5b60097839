// How often a long run shows how far it is. Showing (a repaint, a pass
// through the event queue) costs far more than a step of the work, so the
// display is brought up to date only when the whole percentage it shows
// changes, and at most once an interval.
#pragma once

#include <chrono>

namespace wt {

class ProgressThrottle {
 public:
  using Clock = std::chrono::steady_clock;

  // A run of `total` steps that showed 0 % at `start`.
  ProgressThrottle(int total, Clock::duration interval, Clock::time_point start)
      : total_(total), interval_(interval), shownAt_(start) {}

  // True when `done` steps, reached at `now`, are to be shown: their
  // percentage differs from the one shown last, and `interval` has passed
  // since then or this is the last step. A true answer counts as shown.
  bool Due(int done, Clock::time_point now);

 private:
  int total_;
  Clock::duration interval_;
  Clock::time_point shownAt_;
  long long shownPercent_ = 0;
};

}  // namespace wt
