#include "common/handoff.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace wt {
namespace {

TEST(HandoffTest, ItemsArriveInOrderAndNeverMoreThanTheDepthAhead) {
  constexpr int kItems = 20000;
  constexpr std::size_t kDepth = 3;
  Handoff<int> handoff(kDepth);
  std::atomic<int> put{0};
  std::atomic<bool> refused{false};
  // Joined on every way out, and closing the hand-over whatever happens.
  std::jthread maker([&] {
    for (int i = 0; i < kItems && !refused; ++i) {
      if (handoff.Put(i)) {
        put.fetch_add(1);
      } else {
        refused = true;
      }
    }
    handoff.Close();
  });
  int taken = 0;
  int outOfOrder = 0, tooFarAhead = 0;
  while (std::optional<int> item = handoff.Take()) {
    outOfOrder += *item != taken;
    ++taken;
    // Beyond what has been taken, at most kDepth can have been put.
    tooFarAhead += put.load() > taken + static_cast<int>(kDepth);
  }
  maker.join();
  EXPECT_FALSE(refused);
  EXPECT_EQ(taken, kItems);
  EXPECT_EQ(outOfOrder, 0);
  EXPECT_EQ(tooFarAhead, 0);
  EXPECT_EQ(handoff.Take(), std::nullopt);  // closed stays closed
}

TEST(HandoffTest, ATakerThatStopsReleasesAWaitingMaker) {
  Handoff<std::vector<int>> handoff(2);
  std::atomic<int> refused{0};
  std::jthread maker([&] {
    for (int i = 0; i < 100; ++i) {
      if (!handoff.Put(std::vector<int>(100, i))) refused.fetch_add(1);
    }
  });
  EXPECT_EQ(handoff.Take(), std::vector<int>(100, 0));
  handoff.Stop();
  maker.join();                   // would wait for ever if a Put still waited for room
  EXPECT_GE(refused.load(), 97);  // 0 and 1 went through, perhaps 2
  EXPECT_FALSE(handoff.Put({}));
}

TEST(HandoffTest, AMakerThatStopsReleasesAWaitingTaker) {
  Handoff<int> handoff(2);
  std::optional<int> taken = 0;
  std::jthread taker([&] { taken = handoff.Take(); });  // nothing comes: it waits
  handoff.Stop();
  taker.join();  // would wait for ever if Take still waited
  EXPECT_EQ(taken, std::nullopt);
  EXPECT_FALSE(handoff.Put(1));
  EXPECT_EQ(handoff.Take(), std::nullopt);
}

TEST(HandoffTest, AClosedHandoffGivesWhatIsLeftThenNothing) {
  Handoff<int> handoff(4);
  ASSERT_TRUE(handoff.Put(1));
  ASSERT_TRUE(handoff.Put(2));
  handoff.Close();
  EXPECT_EQ(handoff.Take(), 1);
  EXPECT_EQ(handoff.Take(), 2);
  EXPECT_EQ(handoff.Take(), std::nullopt);
}

}  // namespace
}  // namespace wt
