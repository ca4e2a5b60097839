#include "converter/readcor1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/numeric.h"
#include "converter/libreria.h"
#include "converter/tests/testfiles.h"

namespace wt {
namespace {

namespace fs = std::filesystem;

std::string Right(std::string_view text, std::size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
}

// An atom line in the reader's columns.
std::string AtomLine(std::string_view x, std::string_view y, std::string_view z,
                     std::string_view symbol, std::string_view tag) {
  return Right(x, 15) + Right(y, 15) + Right(z, 15) + "  " + std::string(symbol) +
         std::string(23, ' ') + Right(tag, 3);
}

// A marker, the count line, the line that is not read, the atom lines.
std::string Step(std::string_view count, std::initializer_list<std::string> atoms) {
  std::string text = "$ step\r\n" + std::string(count) + "\r\nenergy\r\n";
  for (const std::string& atom : atoms) text += atom + "\r\n";
  return text;
}

class ReadCor1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() /
            ("wt_readcor1_" + std::to_string(getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override { fs::remove(path_); }

  std::string File(std::string_view bytes) {
    testing::WriteBytes(path_, bytes);
    return path_.string();
  }
  ReadStatus Read(std::string_view bytes, int k) { return ReadStep(File(bytes), k, molecule_); }

  fs::path path_;
  Molecule molecule_;
};

TEST_F(ReadCor1Test, CountStepsCountsEveryLineBeginningWithADollar) {
  EXPECT_EQ(CountSteps(File("title\r\n$ 1\r\n 1\r\n\r\n $ no\r\n$\r\n$$\r\n\r\nend")).stepCount, 3);
  EXPECT_EQ(CountSteps(File("$a\n$b\r$c")).stepCount, 3);
  EXPECT_EQ(CountSteps(File("")).stepCount, 0);
}

TEST_F(ReadCor1Test, ReadsTheSampleFile) {
  const std::string sample = std::string(WT_SAMPLE_DIR) + "/temp64";
  EXPECT_EQ(CountSteps(sample).stepCount, 3);
  ASSERT_EQ(ReadStep(sample, 2, molecule_), ReadStatus::Loaded);
  EXPECT_EQ(XyzFileText("", molecule_).substr(0, 47),
            "\r\n 12 \r\nC      1.40000    .00000    .00000\r\nC  ");
  EXPECT_EQ(molecule_.GetAtom(12).tag, 1);
  EXPECT_EQ(molecule_.GetCharge(), 0.0);
}

TEST_F(ReadCor1Test, FieldsAreTakenFromTheirColumns) {
  const std::string full = AtomLine("1", "2", "3", "Cl", "17");
  // The count is columns 1 to 6 only; short lines give zeros and blanks; a
  // comma ends a number, D is an exponent, an inner blank is dropped.
  const std::string file = "$\n  5   9999\n\n" + full.substr(0, 72) + "\n" + full.substr(0, 47) +
                           "\n      4.5\n" + AtomLine("1,5", "1.5D+02", "1 5", " C", "2.5") + "\n" +
                           AtomLine("0", "0", "0", "C ", "-3") + "\n";
  ASSERT_EQ(Read(file, 1), ReadStatus::Loaded);
  ASSERT_EQ(molecule_.AtomCount(), 5);
  const Atom noTag = molecule_.GetAtom(1), noSymbol = molecule_.GetAtom(2),
             onlyX = molecule_.GetAtom(3), quirks = molecule_.GetAtom(4);
  EXPECT_EQ(noTag.Symbol(), "Cl");
  EXPECT_EQ(noTag.z, 3.0f);
  EXPECT_EQ(noTag.tag, 0);
  EXPECT_EQ(noSymbol.Symbol(), "  ");
  EXPECT_EQ(noSymbol.z, 3.0f);
  EXPECT_EQ(onlyX.x, 4.5f);
  EXPECT_EQ(onlyX.y + onlyX.z, 0.0f);
  EXPECT_EQ(quirks.x, 1.0f);
  EXPECT_EQ(quirks.y, 150.0f);
  EXPECT_EQ(quirks.z, 15.0f);
  EXPECT_EQ(quirks.Symbol(), " C");
  EXPECT_EQ(quirks.tag, 2);
  EXPECT_EQ(molecule_.GetAtom(5).Symbol(), "C ");
  EXPECT_EQ(molecule_.GetAtom(5).tag, -3);
}

TEST_F(ReadCor1Test, EmptyStepsAndStepsBeyondTheLastMarker) {
  molecule_.SetCharge(5);
  EXPECT_EQ(Read(Step("0", {}), 1), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.GetCharge(), 0.0);
  EXPECT_EQ(Read(Step("-5", {}), 1), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.AtomCount(), 0);
  molecule_.SetCharge(7);
  for (int k : {2, 0, -1}) {
    EXPECT_EQ(Read(Step("1", {AtomLine("0", "0", "0", "H ", "1")}), k), ReadStatus::StepNotFound);
    EXPECT_EQ(molecule_.AtomCount(), 0);
  }
  EXPECT_EQ(molecule_.GetCharge(), 7.0);
}

TEST_F(ReadCor1Test, StepsOf400And401Atoms) {
  for (int n : {400, 401}) {
    std::string file = "$\r\n" + std::to_string(n) + "\r\n\r\n";
    for (int i = 1; i <= n; ++i) file += AtomLine(std::to_string(i), "0", "0", "C ", "1") + "\r\n";
    ASSERT_EQ(Read(file, 1), ReadStatus::Loaded);
    ASSERT_EQ(molecule_.AtomCount(), n);
    EXPECT_EQ(molecule_.GetAtom(n).x, static_cast<float>(n));
  }
}

TEST_F(ReadCor1Test, CutShortOrOutOfRangeStepsLoadNothing) {
  const std::string atom = AtomLine("1", "1", "1", "H ", "1");
  molecule_.SetCharge(3);
  EXPECT_EQ(Read(Step("3", {atom, atom}), 1), ReadStatus::CutShort);
  EXPECT_EQ(molecule_.AtomCount(), 0);
  EXPECT_EQ(molecule_.GetCharge(), 3.0);
  EXPECT_EQ(Read("$\r\n", 1), ReadStatus::CutShort);
  EXPECT_EQ(Read("$\r\n0", 1), ReadStatus::CutShort);
  EXPECT_EQ(Read(Step("1", {atom}) + "$ still being written\r\n", 2), ReadStatus::CutShort);
  EXPECT_EQ(Read(Step("100000", {atom}), 1), ReadStatus::CountTooLarge);
  EXPECT_EQ(Read(Step("-40000", {atom}), 1), ReadStatus::CountTooLarge);
  EXPECT_EQ(Read(Step("2", {atom, AtomLine("1", "1", "1", "H ", "1D9")}), 1),
            ReadStatus::TagTooLarge);
  EXPECT_EQ(molecule_.AtomCount(), 0);
  EXPECT_EQ(Read(Step("1", {AtomLine("1", "-1E39", "1", "H ", "1")}), 1),
            ReadStatus::CoordinateTooLarge);
}

TEST_F(ReadCor1Test, MissingFilesAndTooManyMarkersAreReported) {
  std::string reason;
  EXPECT_EQ(ReadStep((path_ / "none").string(), 1, molecule_, &reason), ReadStatus::Unreadable);
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_EQ(CountSteps((path_ / "none").string()).status, ReadStatus::Unreadable);
  EXPECT_FALSE(MarkerIndex::Build((path_ / "none").string()).has_value());

  std::string markers;
  for (int i = 0; i < 32767; ++i) markers += "$\n";
  EXPECT_EQ(CountSteps(File(markers)).stepCount, 32767);
  StepCount tooMany = CountSteps(File(markers + "$\n"));
  EXPECT_EQ(tooMany.status, ReadStatus::TooManySteps);
  EXPECT_EQ(tooMany.stepCount, 0);
  EXPECT_EQ(ReadFailureText(tooMany.status, "C:\\a.cor", 0, ""),
            "The file 'C:\\a.cor' holds more than 32767 steps");
  EXPECT_EQ(ReadFailureText(ReadStatus::CutShort, "C:\\a.cor", 3, ""),
            "Step 3 of the file 'C:\\a.cor' is incomplete: the file ends inside it");
}

TEST(FieldValueTest, AgreesWithTheNumericRule) {
  for (std::string_view field :
       {"", "   ", "     1.42000000", "-0.000", "+12", "1.", ".5", "-", "1 5", "1,5", "1.5D+02",
        "\t2", "123456789012345", "1234567890123456", "0.0000000000000001", "1..2", "12a"}) {
    EXPECT_EQ(FieldValue(field), NumericValue(field)) << '"' << field << '"';
    EXPECT_EQ(std::signbit(FieldValue(field)), std::signbit(NumericValue(field))) << field;
  }
  std::mt19937 random(7);
  std::uniform_int_distribution<int> digit(0, 9), length(1, 17), sign(0, 2);
  for (int i = 0; i < 20000; ++i) {
    std::string field = sign(random) == 0 ? "-" : "";
    const int digits = length(random);
    const int point = std::uniform_int_distribution<int>(0, digits)(random);
    for (int d = 0; d < digits; ++d) {
      if (d == point) field += '.';
      field += static_cast<char>('0' + digit(random));
    }
    ASSERT_EQ(FieldValue(Right(field, 15)), NumericValue(field)) << field;
  }
}

// Reading through the index gives the files that reading each step from the
// top gives.
class MarkerIndexTest : public ReadCor1Test {
 protected:
  void ExpectSameAsFromTheTop(const std::string& path, const std::vector<int>& order) {
    std::optional<MarkerIndex> index = MarkerIndex::Build(path);
    ASSERT_TRUE(index);
    EXPECT_EQ(static_cast<int>(index->MarkerCount()), CountSteps(path).stepCount);
    Molecule fromTop;
    for (int k : order) {
      ASSERT_EQ(index->ReadStep(k, molecule_), ReadStep(path, k, fromTop)) << k;
      ASSERT_EQ(XyzFileText("", molecule_), XyzFileText("", fromTop)) << k;
    }
  }
};

TEST_F(MarkerIndexTest, DollarLineInsideABlockOpensAStepOfItsOwn) {
  // Step 1's second atom line is marker 2; step 2's count line is step 1's
  // third atom line.
  const std::string path =
      File("head\r\n" + Step("3", {AtomLine("1", "0", "0", "C ", "1"), "$2 in a block", "1"}) +
           "skip\r\n" + AtomLine("9", "9", "9", "N ", "3") + "\r\n" +
           Step("1", {AtomLine("4", "0", "0", "H ", "4")}) + "$ cut");
  EXPECT_EQ(CountSteps(path).stepCount, 4);
  ASSERT_EQ(ReadStep(path, 1, molecule_), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.AtomCount(), 3);
  ASSERT_EQ(ReadStep(path, 2, molecule_), ReadStatus::Loaded);
  ASSERT_EQ(molecule_.AtomCount(), 1);
  EXPECT_EQ(molecule_.GetAtom(1).Symbol(), "N ");
  ExpectSameAsFromTheTop(path, {0, 1, 2, 3, 4, 5});
  ExpectSameAsFromTheTop(path, {4, 3, 2, 1, 2, 2, 1});
}

TEST_F(MarkerIndexTest, FarStepsAreReachedForwardAndBackward) {
  std::string file;
  std::vector<int> order;
  for (int s = 1; s <= 40; ++s) {
    const int n = s % 7 == 0 ? 900 : s % 5;  // some steps span more than a buffer
    file += "$\n" + std::to_string(n) + "\nskip\n";
    for (int i = 0; i < n; ++i) file += AtomLine(std::to_string(s), "1", "0", "C ", "1") + "\n";
    order.push_back(s);
  }
  const std::string path = File(file);
  ExpectSameAsFromTheTop(path, order);
  std::shuffle(order.begin(), order.end(), std::mt19937(3));
  ExpectSameAsFromTheTop(path, order);
}

}  // namespace
}  // namespace wt
