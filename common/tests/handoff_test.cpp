#include "common/handoff.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace wt {
namespace {

TEST(HandoffTest, ItemsArriveInOrderNeverMoreThanTheDepthAheadAndAllOfThem) {
  constexpr int kItems = 20000;
  constexpr int kDepth = 3;
  Handoff<int> handoff(kDepth);
  std::atomic<int> put{0};
  // Joined on every way out, and closing the hand-over whatever happens.
  std::jthread maker([&] {
    for (int i = 0; i < kItems && handoff.Put(i); ++i) ++put;
    handoff.Close();
  });
  int taken = 0, wrong = 0;
  // In order, and beyond what was taken at most kDepth put.
  while (auto item = handoff.Take()) wrong += *item != taken++ || put > taken + kDepth;
  maker.join();
  EXPECT_EQ(put, kItems);
  EXPECT_EQ(taken, kItems);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(handoff.Take(), std::nullopt);  // closed stays closed

  // What is left when the maker closes is taken all the same.
  Handoff<int> closed(4);
  ASSERT_TRUE(closed.Put(1) && closed.Put(2));
  closed.Close();
  EXPECT_EQ((std::vector{closed.Take(), closed.Take(), closed.Take()}),
            (std::vector<std::optional<int>>{1, 2, std::nullopt}));
}

TEST(HandoffTest, AStopReleasesTheOtherSideWaiting) {
  Handoff<std::vector<int>> handoff(2);
  std::atomic<int> refused{0};
  std::jthread maker([&] {
    for (int i = 0; i < 100; ++i) refused += !handoff.Put(std::vector<int>(100, i));
  });
  EXPECT_EQ(handoff.Take(), std::vector<int>(100, 0));
  handoff.Stop();                 // by the taker
  maker.join();                   // would wait for ever if a Put still waited for room
  EXPECT_GE(refused.load(), 97);  // 0 and 1 went through, perhaps 2

  Handoff<int> idle(2);
  std::optional<int> taken = 0;
  std::jthread taker([&] { taken = idle.Take(); });  // nothing comes: it waits
  idle.Stop();                                       // by the maker
  taker.join();                                      // would wait for ever if Take still waited
  EXPECT_EQ(taken, std::nullopt);
  EXPECT_FALSE(idle.Put(1));
  EXPECT_EQ(idle.Take(), std::nullopt);
}

}  // namespace
}  // namespace wt
