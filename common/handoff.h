// Handing work from the thread that makes it to the thread that uses it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace wt {

// Items passed in order from one maker thread to one taker thread, at most
// `depth` of them waiting: a maker that runs ahead waits for room, so what is
// held stays bounded however long the work. Either side may stop the
// hand-over for both, the maker when it gives up, the taker when it can do
// no more.
template <typename T>
class Handoff {
 public:
  explicit Handoff(std::size_t depth) : depth_(depth < 1 ? 1 : depth) {}
  Handoff(const Handoff&) = delete;
  Handoff& operator=(const Handoff&) = delete;

  // Maker: passes `item` on once there is room. False, and the item dropped,
  // once the hand-over has stopped.
  bool Put(T item) {
    std::unique_lock lock(mutex_);
    roomOrStop_.wait(lock, [this] { return stopped_ || items_.size() < depth_; });
    if (stopped_) return false;
    items_.push_back(std::move(item));
    lock.unlock();
    itemOrEnd_.notify_one();
    return true;
  }

  // Maker: nothing more comes.
  void Close() {
    {
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    itemOrEnd_.notify_one();
  }

  // Taker: the next item, once there is one; nothing when the maker has
  // closed and every item has been taken, or once the hand-over has stopped.
  std::optional<T> Take() {
    std::unique_lock lock(mutex_);
    itemOrEnd_.wait(lock, [this] { return closed_ || stopped_ || !items_.empty(); });
    if (stopped_ || items_.empty()) return std::nullopt;
    std::optional<T> item(std::move(items_.front()));
    items_.pop_front();
    lock.unlock();
    roomOrStop_.notify_one();
    return item;
  }

  // Either side: nothing more is passed. What waits is dropped; Put and Take,
  // waiting or to come, return false and nothing.
  void Stop() {
    std::deque<T> dropped;
    {
      std::lock_guard lock(mutex_);
      stopped_ = true;
      dropped.swap(items_);
    }
    roomOrStop_.notify_one();
    itemOrEnd_.notify_one();
  }

 private:
  const std::size_t depth_;
  std::mutex mutex_;
  std::condition_variable roomOrStop_;
  std::condition_variable itemOrEnd_;
  std::deque<T> items_;
  bool closed_ = false;
  bool stopped_ = false;
};

}  // namespace wt
