// Reading a text file line by line, fast and without limits on line length.
//
// A line ends at CR LF, at a bare LF or at a bare CR; the terminator is not
// part of the line. A last line without a terminator is a line all the same;
// a file that ends with a terminator has no empty line after it. Every other
// byte, NUL included, belongs to the line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wt {

class LineReader {
 public:
  // Opens the file at the system path `path` (mapped to the host). Nothing
  // when it cannot be opened; `reason` says why.
  static std::optional<LineReader> Open(std::string_view path, std::string* reason = nullptr);

  LineReader(LineReader&& other) noexcept;
  LineReader& operator=(LineReader&& other) noexcept;
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;
  ~LineReader();

  // The next line, valid until the next call; false at the end of the file or
  // on a read error (see Failed()).
  bool Next(std::string_view* line);

  // The next line whose first character is `first`, the lines before it
  // passed over: what calling Next until such a line comes gives, failures
  // and offsets included, without looking at each line passed over.
  bool NextStartingWith(char first, std::string_view* line);

  // True once the end of the file is reached: no further line.
  bool AtEnd();

  // Byte offset of the start of the next line.
  std::uint64_t Offset();

  // Goes on reading from a byte offset that Offset() returned.
  bool Seek(std::uint64_t offset);

  // True when reading failed (as opposed to ending normally): the OS
  // reported an error, or a line is longer than kMaxLineLength.
  bool Failed() const { return failed_; }

  // Why reading failed, in the OS's words; empty when it did not.
  const std::string& FailureReason() const { return reason_; }

  // The longest line read: a longer one (a file without line ends, a device
  // that never ends) is a failure rather than a line held in memory.
  static constexpr std::size_t kMaxLineLength = std::size_t{64} << 20;

  // The bytes taken from the file at a time: lines that end within one read
  // are found without copying.
  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;

 private:
  explicit LineReader(std::FILE* file);
  bool Fill();
  void SkipPendingLf();
  bool NextSpanning(std::string_view* line);

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // unread part of buffer_: [begin_, end_)
  std::size_t end_ = 0;
  std::string long_;  // a line that spans refills
  std::uint64_t offset_ = 0;
  bool eof_ = false;
  bool failed_ = false;
  std::string reason_;
  bool skipLf_ = false;  // the last line ended at a CR: an LF right after belongs to it
};

}  // namespace wt
