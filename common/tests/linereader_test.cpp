#include "common/linereader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <utility>

#include "platform/tests/testfolder.h"

namespace wt {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::pair<std::string, std::uint64_t>>;

class LineReaderTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(path_); }
  LineReader Open(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
    std::optional<LineReader> reader = LineReader::Open(path_.string());
    EXPECT_TRUE(reader.has_value());
    return std::move(*reader);
  }
  // Next gives the lines the plain rule cuts at CR LF, LF and CR, every other
  // byte in its line, each with the offset after it; NextStartingWith gives
  // those that begin with "$"; a seek to an offset goes back to its line.
  void ExpectThePlainRule(const std::string& bytes) {
    Lines expected, expectedMarked, lines, marked;
    for (std::size_t i = 0; i < bytes.size();) {
      const std::size_t end = std::min(bytes.find_first_of("\r\n", i), bytes.size());
      const std::size_t next = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
      expected.emplace_back(bytes.substr(i, end - i), std::min(next, bytes.size()));
      if (end > i && bytes[i] == '$') expectedMarked.push_back(expected.back());
      i = next;
    }
    std::string_view line;
    const auto read = [&](bool marked, Lines* into) {
      LineReader reader = Open(bytes);
      while (marked ? reader.NextStartingWith('$', &line) : reader.Next(&line)) {
        into->emplace_back(line, 0);  // taken before Offset, which may refill the buffer
        into->back().second = reader.Offset();
      }
      EXPECT_FALSE(reader.Failed());
      EXPECT_TRUE(reader.AtEnd());
      return reader;
    };
    LineReader reader = read(false, &lines);
    read(true, &marked);
    const std::string shown = ::testing::PrintToString(bytes.substr(0, 40));
    ASSERT_EQ(lines, expected) << shown;
    ASSERT_EQ(marked, expectedMarked) << shown;
    if (expected.size() < 2) return;
    for (const std::size_t i : {std::size_t{0}, expected.size() - 2}) {  // the second from within
      ASSERT_TRUE(reader.Seek(expected[i].second) && reader.Next(&line)) << shown;
      EXPECT_EQ(line, expected[i + 1].first) << shown;
    }
  }
  const fs::path path_ = TestPath("wt_lines");
};

TEST_F(LineReaderTest, LinesEndAtCrLfLfOrCrWhereverTheBufferEnds) {
  std::string reason;
  EXPECT_FALSE(LineReader::Open((path_ / "none").string(), &reason));
  EXPECT_EQ(reason, "No such file or directory");
  for (const char* bytes : {"$a\r\nb\nc\rd", "a\r\n\r\n", "a\r\r\n$b", "\n\r$b", "", "$"}) {
    ExpectThePlainRule(bytes);
  }
  // Lines longer than the buffer, and a terminator as the last byte of a
  // buffer or a CR LF cut by a refill, before a "$" line and before another.
  const std::size_t size = LineReader::kBufferSize;
  const std::string big(3 * size + 17, 'x');
  ExpectThePlainRule(big + "\r\n$short\r\n$" + big);
  for (const std::string end : {"\r", "\n", "\r\n"}) {
    for (const std::size_t at : {size - 1, size, size + 1}) {
      for (const std::string next : {"$next", "next"}) {
        std::string bytes = "$first\r\n";
        bytes += std::string(at - bytes.size() - (end.size() - 1), 'y') + end + next + "\r\n$\r\n";
        ExpectThePlainRule(bytes);
      }
    }
  }
  // Files of several buffers: lines of any length (some longer than a
  // buffer), any terminator, "$" at line starts and inside lines, and now
  // and then any byte value: line ends are searched for eight bytes at a
  // time among the bytes below 14.
  std::mt19937 random(11);
  for (int file = 0; file < 40; ++file) {
    std::string bytes;
    while (bytes.size() < 3 * size) {
      std::string line(random() % 100 < 2 ? size + random() % size : random() % 120, 'x');
      for (char& c : line) {
        c = random() % 8 == 0 ? static_cast<char>(random() % 256) : "ab $,"[random() % 5];
      }
      if (!line.empty() && random() % 4 == 0) line[0] = '$';
      bytes += line + (random() % 3 == 0 ? "\r\n" : random() % 2 ? "\n" : "\r");
    }
    ExpectThePlainRule(bytes);
  }
}

}  // namespace
}  // namespace wt
