// STEPWRITER: the files of All Steps written on a thread of their own, one
// after another in the order they are handed over, while the caller makes
// the next ones.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "converter/libreria.h"

namespace wt {

class StepWriter {
 public:
  // A file that could not be written: its name and why, in the OS's words.
  struct Failure {
    std::string name;
    std::string reason;
  };

  // How the writing ended: the first `written` files handed over are
  // written; the failure, when there is one, is that of the file after them,
  // and no file after it is written.
  struct Outcome {
    std::size_t written = 0;
    std::optional<Failure> failure;
  };

  // Starts the writing thread; at most `depth` files (at least 1) wait for
  // it, so memory does not grow with the number of files.
  explicit StepWriter(std::size_t depth);
  StepWriter(const StepWriter&) = delete;
  StepWriter& operator=(const StepWriter&) = delete;

  // Lets the file being written finish, drops those still waiting and ends
  // the thread: no thread outlives the writer, even when an exception ends
  // the caller's work.
  ~StepWriter();

  // Hands over the next file, to be written with WriteFileAtomically after
  // every one handed over before it; waits while `depth` files wait. False
  // once a file has failed: `file` is then dropped, like every file after
  // the failed one. An exception thrown while writing is thrown here.
  bool Put(OutputFile file);

  // The number of files written so far.
  std::size_t Written() const;

  // Waits until every file handed over is written or one has failed, and
  // ends the thread; nothing may be handed over after it. An exception
  // thrown while writing is thrown here.
  Outcome Finish();

 private:
  void Run(std::stop_token stop);
  void WriteInOrder(std::stop_token stop);
  bool Ended() const { return failure_.has_value() || error_ != nullptr; }

  const std::size_t depth_;
  mutable std::mutex mutex_;
  std::condition_variable_any work_;  // a file waits, or no more will come
  std::condition_variable room_;      // a file is taken, or the writing ended
  std::deque<OutputFile> waiting_;
  std::size_t written_ = 0;
  bool closed_ = false;  // Finish: no more files come
  std::optional<Failure> failure_;
  std::exception_ptr error_;
  // Last, so that it is started once the rest is in place and joined before
  // any of it goes.
  std::jthread thread_;
};

}  // namespace wt
