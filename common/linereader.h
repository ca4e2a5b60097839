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

  // True once the end of the file is reached: no further line.
  bool AtEnd();

  // Byte offset of the start of the next line.
  std::uint64_t Offset();

  // Goes on reading from a byte offset that Offset() returned.
  bool Seek(std::uint64_t offset);

  // True when reading failed (as opposed to ending normally).
  bool Failed() const { return failed_; }

 private:
  explicit LineReader(std::FILE* file);
  bool Fill();
  void SkipPendingLf();

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // unread part of buffer_: [begin_, end_)
  std::size_t end_ = 0;
  std::string long_;       // a line that spans refills
  std::uint64_t offset_ = 0;
  bool eof_ = false;
  bool failed_ = false;
  bool skipLf_ = false;    // the last line ended at a CR: an LF right after belongs to it
};

}  // namespace wt
