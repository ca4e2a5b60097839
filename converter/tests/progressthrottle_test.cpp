#include "converter/progressthrottle.h"

#include <gtest/gtest.h>

#include <vector>

namespace wt {
namespace {

using namespace std::chrono_literals;

// The steps shown of a run of `total` steps, one every `step`, with an
// interval of 50 ms.
std::vector<int> Shown(int total, ProgressThrottle::Clock::duration step) {
  const ProgressThrottle::Clock::time_point start;
  ProgressThrottle throttle(total, 50ms, start);
  std::vector<int> shown;
  for (int done = 1; done <= total; ++done) {
    if (throttle.Due(done, start + done * step)) shown.push_back(done);
  }
  return shown;
}

TEST(ProgressThrottleTest, EachPercentageAtMostOnceAnIntervalAndTheLastStep) {
  std::vector<int> everyFiftieth;
  for (int done = 50; done <= 1000; done += 50) everyFiftieth.push_back(done);
  EXPECT_EQ(Shown(1000, 1ms), everyFiftieth);
  EXPECT_EQ(Shown(20000, 0ms), std::vector<int>{20000});
  EXPECT_EQ(Shown(3, 1s), (std::vector<int>{1, 2, 3}));
  const std::vector<int> percentages = Shown(32767, 1s);
  ASSERT_EQ(percentages.size(), 100u);
  EXPECT_EQ(percentages.front(), 328);  // 327 steps are still 0 %
  EXPECT_EQ(Shown(0, 1s), std::vector<int>{});
}

}  // namespace
}  // namespace wt
