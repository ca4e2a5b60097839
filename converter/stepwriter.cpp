#include "converter/stepwriter.h"

#include <system_error>
#include <utility>

namespace wt {

StepWriter::StepWriter(std::size_t depth) : files_(depth) {
  try {
    thread_ = std::jthread([this] { Run(); });
  } catch (const std::system_error&) {
    // No thread to be had: Put writes each file itself.
  }
}

// Files still waiting are dropped; the jthread joins once the file being
// written is done.
StepWriter::~StepWriter() {
  files_.Stop();
}

bool StepWriter::Put(OutputFile file) {
  if (!thread_.joinable()) return !failure_ && Write(file);
  return files_.Put(std::move(file));
}

bool StepWriter::Write(OutputFile& file) {
  std::string reason;
  if (!WriteOutputFile(file, &reason)) {
    failure_ = Failure{std::move(file.name), std::move(reason)};
    return false;
  }
  written_.fetch_add(1, std::memory_order_release);
  return true;
}

StepWriter::Outcome StepWriter::Finish() {
  files_.Close();
  if (thread_.joinable()) thread_.join();
  if (error_) std::rethrow_exception(error_);
  return {written_.load(), failure_};
}

void StepWriter::Run() {
  // An exception must not end the process from this thread: it goes to the
  // caller, at Finish.
  try {
    while (std::optional<OutputFile> file = files_.Take()) {
      if (!Write(*file)) break;
    }
  } catch (...) {
    error_ = std::current_exception();
  }
  // Whatever ended the writing, nothing more is taken: the caller's Put
  // says so rather than wait.
  files_.Stop();
}

}  // namespace wt
