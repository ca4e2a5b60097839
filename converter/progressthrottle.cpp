#include "converter/progressthrottle.h"

namespace wt {

bool ProgressThrottle::Due(int done, Clock::time_point now) {
  if (total_ <= 0) return false;
  const long long percent = static_cast<long long>(done) * 100 / total_;
  if (percent == shownPercent_) return false;
  // The last step is always shown, so that a finished run never stays on
  // the screen short of its end.
  if (done < total_ && now - shownAt_ < interval_) return false;
  shownPercent_ = percent;
  shownAt_ = now;
  return true;
}

}  // namespace wt
