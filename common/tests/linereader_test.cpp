#include "common/linereader.h"
#include "platform/tests/testfolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <utility>

namespace wt {
namespace {

namespace fs = std::filesystem;

class LineReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = TestPath("wt_lines"); }
  void TearDown() override { fs::remove(path_); }

  std::vector<std::string> LinesOf(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
    std::optional<LineReader> reader = LineReader::Open(path_.string());
    EXPECT_TRUE(reader.has_value());
    std::vector<std::string> lines;
    std::string_view line;
    while (reader && reader->Next(&line)) lines.emplace_back(line);
    EXPECT_FALSE(reader->Failed());
    return lines;
  }
  fs::path path_;
};

using Lines = std::vector<std::string>;

TEST_F(LineReaderTest, CrLfLfAndCrEndLines) {
  EXPECT_EQ(LinesOf("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(LinesOf("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(LinesOf("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(LinesOf("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(LinesOf("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(LinesOf("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_TRUE(LinesOf("").empty());
}

TEST_F(LineReaderTest, NulBytesBelongToTheLine) {
  EXPECT_EQ(LinesOf(std::string("a\0b\r\n", 5)), (Lines{std::string("a\0b", 3)}));
}

// Line ends are searched for eight bytes at a time among the bytes below
// 14; every other byte value stays in its line, across the buffer's end too.
TEST_F(LineReaderTest, AnyBytesSplitAsThePlainRuleSplitsThem) {
  std::mt19937 random(31);
  for (int round = 0; round < 8; ++round) {
    // Lines of any byte values, CR and LF among them, over more than two
    // buffers' worth.
    std::string bytes;
    while (bytes.size() < 2 * LineReader::kBufferSize + 100) {
      const unsigned pick = random() % 300;
      bytes += static_cast<char>(pick < 256 ? pick : pick % 2 ? '\r' : '\n');
    }
    Lines expected;
    for (std::size_t i = 0; i < bytes.size();) {
      const std::size_t end = std::min(bytes.find_first_of("\r\n", i), bytes.size());
      expected.push_back(bytes.substr(i, end - i));
      i = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    ASSERT_EQ(LinesOf(bytes), expected);
  }
}

TEST_F(LineReaderTest, LinesLongerThanTheBuffer) {
  std::string big(3 * 65536 + 17, 'x');
  EXPECT_EQ(LinesOf(big + "\r\nshort\r\n" + big), (Lines{big, "short", big}));
  // A CR LF split across two refills is one terminator.
  std::string edge(65535, 'y');
  EXPECT_EQ(LinesOf(edge + "\r\nz"), (Lines{edge, "z"}));
}

TEST_F(LineReaderTest, OffsetsAllowSeekingBackToALine) {
  std::ofstream(path_, std::ios::binary) << "one\r\ntwo\nthree\rfour";
  std::optional<LineReader> reader = LineReader::Open(path_.string());
  ASSERT_TRUE(reader);
  std::string_view line;
  std::vector<std::uint64_t> offsets;
  for (;;) {
    offsets.push_back(reader->Offset());
    if (!reader->Next(&line)) break;
  }
  EXPECT_EQ(offsets, (std::vector<std::uint64_t>{0, 5, 9, 15, 19}));
  ASSERT_TRUE(reader->Seek(offsets[2]));
  ASSERT_TRUE(reader->Next(&line));
  EXPECT_EQ(line, "three");
  ASSERT_TRUE(reader->Next(&line));
  EXPECT_EQ(line, "four");
  EXPECT_TRUE(reader->AtEnd());
}

// Each line the reader gives with the offset after it.
using Passed = std::vector<std::pair<std::string, std::uint64_t>>;

class NextStartingWithTest : public LineReaderTest {
 protected:
  // By Next, keeping the lines that start with `first`; and by
  // NextStartingWith.
  std::pair<Passed, Passed> BothWays(const std::string& bytes, char first) {
    std::ofstream(path_, std::ios::binary) << bytes;
    Passed byNext, byScan;
    std::string_view line;
    std::optional<LineReader> reader = LineReader::Open(path_.string());
    while (reader->Next(&line)) {
      if (!line.empty() && line[0] == first) byNext.emplace_back(line, reader->Offset());
    }
    EXPECT_FALSE(reader->Failed());
    reader = LineReader::Open(path_.string());
    while (reader->NextStartingWith(first, &line)) byScan.emplace_back(line, reader->Offset());
    EXPECT_FALSE(reader->Failed());
    EXPECT_TRUE(reader->AtEnd());
    return {byNext, byScan};
  }
};

TEST_F(NextStartingWithTest, FindsTheLinesThatNextFinds) {
  EXPECT_EQ(BothWays("$a\r\nb$\r\n $\n$\r$\r\r\n$x", '$').second,
            (Passed{{"$a", 4}, {"$", 13}, {"$", 15}, {"$x", 19}}));
  EXPECT_EQ(BothWays("", '$').second, Passed{});
  EXPECT_EQ(BothWays("no\r\nmarker", '$').second, Passed{});
}

TEST_F(NextStartingWithTest, AgreesWithNextAcrossRefills) {
  const std::size_t size = LineReader::kBufferSize;
  std::mt19937 random(11);
  const char* const ends[] = {"\r\n", "\n", "\r"};
  // Random files of several buffers: lines of any length (some longer than a
  // buffer), any terminator, "$" at line starts and inside lines.
  for (int file = 0; file < 40; ++file) {
    std::string bytes;
    while (bytes.size() < 3 * size) {
      const unsigned shape = random() % 100;
      std::size_t length = shape < 2 ? size + random() % size : random() % 120;
      std::string line(length, 'x');
      for (char& c : line) c = "ab $,"[random() % 5];
      if (!line.empty() && random() % 4 == 0) line[0] = '$';
      bytes += line + ends[random() % 3];
    }
    auto [byNext, byScan] = BothWays(bytes, '$');
    ASSERT_EQ(byNext, byScan) << file;
  }
  // A terminator as the last byte of a buffer, and a CR LF cut by a refill,
  // before a "$" line and before another line.
  for (std::string end : {"\r", "\n", "\r\n"}) {
    for (std::size_t at : {size - 1, size, size + 1}) {
      for (std::string next : {"$next", "next"}) {
        std::string bytes = "$first\r\n";
        bytes += std::string(at - bytes.size() - (end.size() - 1), 'y') + end + next + "\r\n$\r\n";
        auto [byNext, byScan] = BothWays(bytes, '$');
        ASSERT_EQ(byNext, byScan) << end.size() << " " << at << " " << next;
      }
    }
  }
}

TEST_F(NextStartingWithTest, ALineTooLongFailsAsWithNext) {
  const std::size_t tooLong = LineReader::kMaxLineLength + LineReader::kBufferSize;
  std::ofstream(path_, std::ios::binary) << "a\r\n" + std::string(tooLong, 'x') + "\r\n$\r\n";
  std::string_view line;
  std::optional<LineReader> byNext = LineReader::Open(path_.string());
  while (byNext->Next(&line)) {
  }
  std::optional<LineReader> byScan = LineReader::Open(path_.string());
  EXPECT_FALSE(byScan->NextStartingWith('$', &line));
  EXPECT_TRUE(byScan->Failed());
  EXPECT_TRUE(byNext->Failed());
  EXPECT_EQ(byScan->FailureReason(), "a line is longer than 64 MiB");
  EXPECT_EQ(byNext->FailureReason(), byScan->FailureReason());
}

TEST_F(LineReaderTest, MissingFileAndFolderAreReported) {
  std::string reason;
  EXPECT_FALSE(LineReader::Open((path_ / "none").string(), &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(LineReader::Open("", &reason));
  // A folder may open on some systems; it then fails at its first line.
  fs::create_directories(path_);
  std::optional<LineReader> reader = LineReader::Open(path_.string());
  std::string_view line;
  if (reader) {
    EXPECT_FALSE(reader->Next(&line));
    EXPECT_TRUE(reader->Failed());
  }
  fs::remove(path_);
}

}  // namespace
}  // namespace wt
