// STEPWRITER: the files of All Steps written on a thread of their own, one
// after another in the order they are handed over, while the caller makes
// the next ones.
#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <optional>
#include <string>
#include <thread>

#include "common/handoff.h"
#include "converter/libreria.h"

namespace wt {

class StepWriter {
 public:
  // A file that could not be written: its name and why, in the OS's words
  // or its refusal.
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
  // it, so memory does not grow with the number of files. Where no thread
  // can be had, each file is written as it is handed over.
  explicit StepWriter(std::size_t depth);
  StepWriter(const StepWriter&) = delete;
  StepWriter& operator=(const StepWriter&) = delete;

  // Lets the file being written finish, drops those still waiting and ends
  // the thread: no thread outlives the writer, even when an exception ends
  // the caller's work.
  ~StepWriter();

  // Hands over the next file, to be written with WriteOutputFile after every
  // one handed over before it (a refused file fails there, in its turn);
  // waits while `depth` files wait. False
  // once the writing has ended early (a file failed, or an exception): `file`
  // is then dropped, like every file after the failed one.
  bool Put(OutputFile file);

  // The number of files written so far.
  std::size_t Written() const { return written_.load(std::memory_order_acquire); }

  // Waits until every file handed over is written or the writing has ended
  // early, and ends the thread; nothing may be handed over after it. An
  // exception thrown while writing is thrown here.
  Outcome Finish();

 private:
  void Run();
  // Writes `file`; false, with the failure kept, when it cannot be written.
  bool Write(OutputFile& file);

  Handoff<OutputFile> files_;
  std::atomic<std::size_t> written_{0};
  // Left by the thread, read once it is joined.
  std::optional<Failure> failure_;
  std::exception_ptr error_;
  // Last, so that it is started once the rest is in place and joined before
  // any of it goes.
  std::jthread thread_;
};

}  // namespace wt
