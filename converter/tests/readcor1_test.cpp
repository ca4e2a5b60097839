#include "converter/readcor1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

#include "common/numeric.h"
#include "converter/libreria.h"
#include "converter/tests/testfiles.h"

namespace wt {
namespace {

using testing::AtomLine;
using testing::Step;

class ReadCor1Test : public ::testing::Test {
 protected:
  ReadStatus Read(std::string_view bytes, int k) {
    return ReadStep(drives_.Write("run.cor", bytes), k, molecule_);
  }
  int Count(std::string_view bytes) {
    return CountSteps(drives_.Write("run.cor", bytes)).stepCount;
  }

  testing::TempDrives drives_;
  Molecule molecule_;
};

TEST_F(ReadCor1Test, MarkersAndTheSampleFile) {
  EXPECT_EQ(Count("title\r\n$ 1\r\n 1\r\n\r\n $ no\r\n$\r\n$$\r\n\r\nend"), 3);
  EXPECT_EQ(Count("$a\n$b\r$c"), 3);
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
  ASSERT_EQ(Read("$\n  4   9999\n\n" + full.substr(0, 72) + "\n" + full.substr(0, 47) +
                     "\n      4.5\n" + AtomLine("1,5", "1.5D+02", "1 5", " C", "2.5") + "\n",
                 1),
            ReadStatus::Loaded);
  ASSERT_EQ(molecule_.AtomCount(), 4);
  EXPECT_EQ(
      XyzFileText("", molecule_),
      testing::CrLf({"", " 4 ", "Cl     1.00000   2.00000   3.00000",
                     "       1.00000   2.00000   3.00000", "       4.50000    .00000    .00000",
                     " C     1.00000 150.00000  15.00000"}));
  EXPECT_EQ(molecule_.GetAtom(1).tag, 0);
  EXPECT_EQ(molecule_.GetAtom(4).tag, 2);
}

TEST_F(ReadCor1Test, EmptyStepsAndStepsNotFound) {
  molecule_.SetCharge(5);
  EXPECT_EQ(Read(Step("0", {}), 1), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.GetCharge(), 0.0);
  EXPECT_EQ(Read(Step("-5", {}), 1), ReadStatus::Loaded);
  molecule_.SetCharge(7);
  for (int k : {2, 0, -1}) EXPECT_EQ(Read(testing::HydrogenStep(), k), ReadStatus::StepNotFound);
  EXPECT_EQ(molecule_.AtomCount(), 0);
  EXPECT_EQ(molecule_.GetCharge(), 7.0);
  std::string big = "$\n401\n\n";
  for (int i = 1; i <= 401; ++i) big += AtomLine(std::to_string(i), "0", "0", "C ") + "\n";
  ASSERT_EQ(Read(big, 1), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.GetAtom(401).x, 401.0f);
}

TEST_F(ReadCor1Test, CutShortOrOutOfRangeStepsLoadNothing) {
  const std::string atom = AtomLine("1", "1", "1", "H ");
  molecule_.SetCharge(3);
  const std::pair<std::string, ReadStatus> cases[] = {
      {Step("3", {atom, atom}), ReadStatus::CutShort},
      {"$\r\n", ReadStatus::CutShort},
      {"$\r\n0", ReadStatus::CutShort},
      {Step("100000", {atom}), ReadStatus::CountTooLarge},
      {Step("-40000", {atom}), ReadStatus::CountTooLarge},
      {Step("2", {atom, AtomLine("1", "1", "1", "H ", "1D9")}), ReadStatus::TagTooLarge},
      {Step("1", {AtomLine("1", "-1E39", "1", "H ")}), ReadStatus::CoordinateTooLarge}};
  for (const auto& [file, status] : cases) {
    EXPECT_EQ(Read(file, 1), status) << file;
    EXPECT_EQ(molecule_.AtomCount(), 0);
  }
  EXPECT_EQ(molecule_.GetCharge(), 3.0);
  EXPECT_EQ(Read(Step("1", {atom}) + "$ still being written\r\n", 2), ReadStatus::CutShort);
}

TEST_F(ReadCor1Test, MissingFilesAndTooManyMarkersAreReported) {
  std::string reason;
  EXPECT_EQ(ReadStep("c:\\zorb\\none", 1, molecule_, &reason), ReadStatus::Unreadable);
  EXPECT_EQ(ReadFailureText(ReadStatus::Unreadable, "c:\\zorb\\none", 1, reason),
            "The file 'c:\\zorb\\none' cannot be read: No such file or directory");
  EXPECT_EQ(CountSteps("c:\\zorb\\none").status, ReadStatus::Unreadable);
  std::string markers;
  for (int i = 0; i < 32767; ++i) markers += "$\n";
  EXPECT_EQ(Count(markers), 32767);
  StepCount tooMany = CountSteps(drives_.Write("run.cor", markers + "$\n"));
  EXPECT_EQ(tooMany.status, ReadStatus::TooManySteps);
  EXPECT_EQ(tooMany.stepCount, 0);
}

TEST_F(ReadCor1Test, ALineTooLongIsUnreadableWithItsReason) {
  const std::string path = testing::WriteLongLine(drives_, "long.cor", "$\r\n");
  const std::string tooLong = "a line is longer than 64 MiB";
  StepCount count = CountSteps(path);
  EXPECT_EQ(count.status, ReadStatus::Unreadable);
  EXPECT_EQ(count.reason, tooLong);
  for (int k : {1, 2}) {  // inside step 1's block; looking for marker 2
    std::string reason;
    EXPECT_EQ(ReadStep(path, k, molecule_, &reason), ReadStatus::Unreadable);
    EXPECT_EQ(reason, tooLong) << k;
  }
  std::string reason;
  EXPECT_FALSE(MarkerIndex::Build(path, &reason));
  EXPECT_EQ(reason, tooLong);
}

TEST(FieldValueTest, AgreesWithTheNumericRule) {
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    std::string field = random() % 3 == 0 ? "-" : "";
    const unsigned digits = 1 + random() % 17, point = random() % (digits + 1);
    for (unsigned d = 0; d < digits; ++d) {
      if (d == point) field += '.';
      field += static_cast<char>('0' + random() % 10);
    }
    ASSERT_EQ(FieldValue(testing::Right(field, 15)), NumericValue(field)) << field;
  }
  // Blanks, a sign, digits, a point, digits, blanks, in any lengths; in a
  // third of them one character replaced by one that numbers are made of or
  // end at.
  auto digits = [&](unsigned count) {
    std::string text;
    for (unsigned d = 0; d < count; ++d) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  for (int i = 0; i < 200000; ++i) {
    std::string field = std::string(random() % 4, ' ') + " +-"[random() % 3] +
                        digits(random() % 6) + (random() % 4 ? "." : "") + digits(random() % 18) +
                        std::string(random() % 3, ' ');
    if (random() % 3 == 0) field.erase(random() % field.size(), 1);
    if (!field.empty() && random() % 3 == 0) {
      field[random() % field.size()] = " 0123456789.-+eD,\t:"[random() % 20];
    }
    ASSERT_EQ(FieldValue(field), NumericValue(field)) << field;
    ASSERT_EQ(std::signbit(FieldValue(field)), std::signbit(NumericValue(field))) << field;
  }
  for (std::string_view field : {"", "-0.000", "+12", ".", "1 5", "\t2", "1.5D+02", "12a"}) {
    EXPECT_EQ(FieldValue(field), NumericValue(field)) << field;
    EXPECT_EQ(std::signbit(FieldValue(field)), std::signbit(NumericValue(field))) << field;
  }
}

// Reading through the index gives the files that reading each step from the
// top gives, whatever the order and the distance between the steps.
TEST_F(ReadCor1Test, MarkerIndexReadsAsFromTheTop) {
  // Step 1's second atom line is marker 2; step 2's count line is step 1's
  // third atom line; marker 3 opens a step too large for the buffer.
  std::string file = "head\r\n" + Step("3", {AtomLine("1", "0", "0", "C "), "$2", "1"}) +
                     "skip\r\n" + AtomLine("9", "9", "9", "N ") + "\r\n$\r\n900\r\n\r\n";
  for (int i = 0; i < 900; ++i) file += AtomLine(std::to_string(i), "1", "0", "O ") + "\r\n";
  file += testing::HydrogenStep() + "$ cut";
  const std::string path = drives_.Write("run.cor", file);
  std::optional<MarkerIndex> index = MarkerIndex::Build(path);
  ASSERT_TRUE(index);
  EXPECT_EQ(index->MarkerCount(), 5u);
  ASSERT_EQ(ReadStep(path, 2, molecule_), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.GetAtom(1).Symbol(), "N ");
  Molecule fromTop;
  for (int k : {0, 1, 2, 3, 4, 5, 6, 5, 4, 1, 3, 3, 2}) {
    ASSERT_EQ(index->ReadStep(k, molecule_), ReadStep(path, k, fromTop)) << k;
    ASSERT_EQ(XyzFileText("", molecule_), XyzFileText("", fromTop)) << k;
  }
}

// The count notes where each step begins; reading through those places
// gives what reading from the top gives, as long as the file keeps its size
// and time of change, and the file is read afresh once it does not.
class MarkerPlacesTest : public ReadCor1Test {
 protected:
  static std::string Steps(const std::string& head) {
    return head + Step("2", {AtomLine("1", "0", "0", "C "), AtomLine("2", "0", "0", "O ")}) +
           testing::HydrogenStep() + "$ empty\r\n0\r\n\r\n";
  }
  // The XYZ text of step k read from the top, and read through `places`.
  std::pair<std::string, std::string> BothWays(const std::string& path, int k,
                                               const MarkerPlaces& places) {
    Molecule fromTop, throughPlaces;
    const ReadStatus top = ReadStep(path, k, fromTop);
    EXPECT_EQ(ReadStep(path, k, places, throughPlaces), top) << k;
    return {XyzFileText("", fromTop), XyzFileText("", throughPlaces)};
  }
  void SetTime(const std::string& path, std::filesystem::file_time_type time) {
    std::filesystem::last_write_time(*HostPath(path), time);
  }
};

TEST_F(MarkerPlacesTest, CountedPlacesLeadToEachStep) {
  const std::string path = drives_.Write("run.cor", Steps("title\r\n"));
  const StepCount count = CountSteps(path);
  ASSERT_TRUE(count.places.stamp);
  EXPECT_EQ(count.places.blockStarts, (std::vector<std::uint64_t>{15, 188, 285}));
  for (int k : {0, 1, 2, 3, 4}) {
    auto [fromTop, throughPlaces] = BothWays(path, k, count.places);
    EXPECT_EQ(fromTop, throughPlaces) << k;
  }
  std::optional<MarkerIndex> index = MarkerIndex::Open(path, count.places);
  ASSERT_TRUE(index);
  ASSERT_EQ(index->ReadStep(2, molecule_), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.GetAtom(1).Symbol(), "H ");
}

TEST_F(MarkerPlacesTest, AChangedFileIsReadAfresh) {
  const std::string path = drives_.Write("run.cor", Steps("title\r\n"));
  const StepCount count = CountSteps(path);
  const auto counted = std::filesystem::last_write_time(*HostPath(path));
  // Another size: the steps have moved.
  drives_.Write("run.cor", Steps("a longer title\r\n"));
  SetTime(path, counted);
  for (int k : {1, 2, 3}) {
    auto [fromTop, throughPlaces] = BothWays(path, k, count.places);
    EXPECT_EQ(fromTop, throughPlaces) << k;
  }
  std::optional<MarkerIndex> index = MarkerIndex::Open(path, count.places);
  ASSERT_EQ(index->ReadStep(1, molecule_), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.AtomCount(), 2);
  // The same size, another time of change: step 1 is now empty.
  const std::string emptyFirst = Steps("$\r\n\r\n\r\n");
  drives_.Write("run.cor", emptyFirst);
  SetTime(path, counted + std::chrono::seconds(1));
  auto [fromTop, throughPlaces] = BothWays(path, 1, count.places);
  EXPECT_EQ(fromTop, throughPlaces);
  EXPECT_EQ(fromTop.substr(0, 7), "\r\n 0 \r\n");
  // The same size and time: the places are taken as they are.
  SetTime(path, counted);
  Molecule trusted;
  ASSERT_EQ(ReadStep(path, 1, count.places, trusted), ReadStatus::Loaded);
  EXPECT_EQ(trusted.AtomCount(), 2);
}

}  // namespace
}  // namespace wt
