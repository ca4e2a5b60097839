#include "common/linereader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace wt {
namespace {

namespace fs = std::filesystem;

class LineReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() /
            ("wt_lines_" + std::to_string(getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
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

TEST_F(LineReaderTest, MissingFileAndFolderAreReported) {
  std::string reason;
  EXPECT_FALSE(LineReader::Open((path_ / "none").string(), &reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_FALSE(LineReader::Open("", &reason));
}

TEST_F(LineReaderTest, FolderReadsAsFailure) {
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
