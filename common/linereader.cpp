#include "common/linereader.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/paths.h"

namespace wt {
namespace {

// The first CR or LF in [p, end), or end. Eight bytes are looked at a time
// for bytes below 14 (CR is 13, LF 10), which subtracting 14 from each byte
// marks: the lowest mark is exact, marks above it may be false, and each is
// looked at in turn. Text has few other bytes that low (a tab now and then).
// Lines are mostly short, where two searches of the library for the two
// bytes cost more than the line itself.
const char* FindLineEnd(const char* p, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  if constexpr (std::endian::native == std::endian::little) {  // the first byte lowest
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      for (std::uint64_t marks = (word - kOnes * 14) & ~word & kHighs; marks != 0;
           marks &= marks - 1) {
        const char* c = p + std::countr_zero(marks) / 8;
        if (*c == '\r' || *c == '\n') return c;
      }
      p += 8;
    }
  }
  while (p != end && *p != '\r' && *p != '\n') ++p;
  return p;
}

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

}  // namespace

std::optional<LineReader> LineReader::Open(std::string_view path, std::string* reason) {
  std::optional<std::string> host = HostPath(path);
  if (!host) {
    if (reason) *reason = "the drives folder is unknown (neither WINTARVO_DRIVES nor HOME is set)";
    return std::nullopt;
  }
  errno = 0;
  std::FILE* file = host->empty() ? nullptr : std::fopen(host->c_str(), "rb");
  if (!file) {
    if (reason) *reason = std::strerror(host->empty() || errno == 0 ? ENOENT : errno);
    return std::nullopt;
  }
  return LineReader(file);
}

LineReader::LineReader(std::FILE* file) : file_(file), buffer_(kBufferSize) {}

LineReader::LineReader(LineReader&& other) noexcept {
  *this = std::move(other);
}

LineReader& LineReader::operator=(LineReader&& other) noexcept {
  if (this != &other) {
    if (file_) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
    buffer_ = std::move(other.buffer_);
    begin_ = other.begin_;
    end_ = other.end_;
    long_ = std::move(other.long_);
    offset_ = other.offset_;
    eof_ = other.eof_;
    failed_ = other.failed_;
    reason_ = std::move(other.reason_);
    skipLf_ = other.skipLf_;
  }
  return *this;
}

LineReader::~LineReader() {
  if (file_) std::fclose(file_);
}

bool LineReader::Fill() {
  if (eof_) return false;
  begin_ = 0;
  errno = 0;
  end_ = std::fread(buffer_.data(), 1, kBufferSize, file_);
  if (end_ == 0) {
    eof_ = true;
    if (std::ferror(file_)) {
      failed_ = true;
      reason_ = std::strerror(errno ? errno : EIO);
    }
    return false;
  }
  return true;
}

void LineReader::SkipPendingLf() {
  if (!skipLf_) return;
  if (begin_ == end_) Fill();
  if (begin_ < end_ && buffer_[begin_] == '\n') {
    ++begin_;
    ++offset_;
  }
  skipLf_ = false;
}

std::uint64_t LineReader::Offset() {
  SkipPendingLf();
  return offset_;
}

bool LineReader::AtEnd() {
  SkipPendingLf();
  return begin_ == end_ && !Fill();
}

bool LineReader::Next(std::string_view* line) {
  if (skipLf_) SkipPendingLf();
  if (begin_ == end_ && !Fill()) return false;
  const char* start = buffer_.data() + begin_;
  const char* end = buffer_.data() + end_;
  const char* stop = FindLineEnd(start, end);
  if (stop == end) return NextSpanning(line);
  const std::size_t length = static_cast<std::size_t>(stop - start);
  std::size_t used = length + 1;
  if (*stop == '\r') {
    // The LF of a CR LF is taken now when it is buffered.
    if (stop + 1 == end) {
      skipLf_ = true;
    } else if (stop[1] == '\n') {
      ++used;
    }
  }
  begin_ += used;
  offset_ += used;
  *line = std::string_view(start, length);
  return true;
}

// A line that does not end within the buffer: gathered in long_ over refills.
bool LineReader::NextSpanning(std::string_view* line) {
  long_.clear();
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const char* stop = FindLineEnd(start, start + available);
    if (stop != start + available) {
      const std::size_t length = static_cast<std::size_t>(stop - start);
      begin_ += length + 1;
      offset_ += length + 1;
      skipLf_ = *stop == '\r';
      long_.append(start, length);
      *line = long_;
      return true;
    }
    // No terminator in what is buffered: keep it and read on.
    if (long_.size() + available > kMaxLineLength) {
      failed_ = true;
      reason_ = "a line is longer than " + std::to_string(kMaxLineLength >> 20) + " MiB";
      eof_ = true;
      begin_ = end_ = 0;
      long_.clear();
      return false;
    }
    long_.append(start, available);
    offset_ += available;
    begin_ = end_;
    if (!Fill()) {
      *line = long_;
      return true;
    }
  }
}

bool LineReader::NextStartingWith(char first, std::string_view* line) {
  for (;;) {
    if (AtEnd()) return false;
    // begin_ is the start of a line. A line starts there or right after a CR
    // or an LF, so only the bytes equal to `first` need a closer look.
    const char* base = buffer_.data();
    const char* start = base + begin_;
    const char* end = base + end_;
    const char* found = *start == first ? start : nullptr;
    for (const char* from = start + 1; !found && from < end;) {
      const char* c =
          static_cast<const char*>(std::memchr(from, first, static_cast<std::size_t>(end - from)));
      if (!c) break;
      if (IsLineEnd(c[-1])) found = c;
      from = c + 1;
    }
    if (found) {
      // The lines passed over end within the buffer: none can be too long.
      offset_ += static_cast<std::size_t>(found - start);
      begin_ = static_cast<std::size_t>(found - base);
      return Next(line);
    }
    // Pass over the lines that end within the buffer; the one that runs on
    // past it, which does not start with `first`, is read as Next reads it.
    const char* last = end;
    while (last > start && !IsLineEnd(last[-1])) --last;
    if (last == start) {
      std::string_view passed;
      if (!NextSpanning(&passed)) return false;
      continue;
    }
    offset_ += static_cast<std::size_t>(last - start);
    begin_ = static_cast<std::size_t>(last - base);
    skipLf_ = last[-1] == '\r';
  }
}

bool LineReader::Seek(std::uint64_t offset) {
  // fseek takes a long, which is 32 bits on some systems: go there in steps
  // that fit rather than wrap.
  constexpr std::uint64_t kStep = static_cast<std::uint64_t>(std::numeric_limits<long>::max());
  bool ok = std::fseek(file_, 0, SEEK_SET) == 0;
  for (std::uint64_t left = offset; ok && left > 0;) {
    const std::uint64_t step = left < kStep ? left : kStep;
    ok = std::fseek(file_, static_cast<long>(step), SEEK_CUR) == 0;
    left -= step;
  }
  if (!ok) {
    failed_ = true;
    reason_ = std::strerror(errno ? errno : EIO);
    return false;
  }
  std::clearerr(file_);
  begin_ = end_ = 0;
  offset_ = offset;
  eof_ = false;
  skipLf_ = false;
  return true;
}

}  // namespace wt
