#include "converter/stepwriter.h"

#include <algorithm>
#include <utility>

#include "platform/atomicfile.h"

namespace wt {

StepWriter::StepWriter(std::size_t depth)
    : depth_(std::max<std::size_t>(depth, 1)),
      thread_([this](std::stop_token stop) { Run(stop); }) {}

// The jthread asks the thread to stop and joins it; the waiting files go
// with the queue.
StepWriter::~StepWriter() = default;

bool StepWriter::Put(OutputFile file) {
  std::unique_lock lock(mutex_);
  room_.wait(lock, [this] { return waiting_.size() < depth_ || Ended(); });
  if (error_) std::rethrow_exception(error_);
  if (failure_) return false;
  waiting_.push_back(std::move(file));
  work_.notify_one();
  return true;
}

std::size_t StepWriter::Written() const {
  std::lock_guard lock(mutex_);
  return written_;
}

StepWriter::Outcome StepWriter::Finish() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  work_.notify_one();
  thread_.join();
  // The thread is gone: what it left needs no lock.
  if (error_) std::rethrow_exception(error_);
  return {written_, failure_};
}

void StepWriter::Run(std::stop_token stop) {
  // An exception must not end the process from this thread: it goes to the
  // caller, at its next Put or at Finish.
  try {
    WriteInOrder(stop);
  } catch (...) {
    std::lock_guard lock(mutex_);
    error_ = std::current_exception();
    waiting_.clear();
  }
  room_.notify_one();
}

void StepWriter::WriteInOrder(std::stop_token stop) {
  std::unique_lock lock(mutex_);
  for (;;) {
    work_.wait(lock, stop, [this] { return !waiting_.empty() || closed_; });
    if (stop.stop_requested() || waiting_.empty()) return;
    OutputFile file = std::move(waiting_.front());
    waiting_.pop_front();
    room_.notify_one();
    lock.unlock();
    std::string reason;
    const bool written = WriteFileAtomically(file.name, file.text, &reason);
    lock.lock();
    if (!written) {
      failure_ = Failure{std::move(file.name), std::move(reason)};
      waiting_.clear();
      return;
    }
    ++written_;
  }
}

}  // namespace wt
