#include "converter/readcor1.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

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

// The atoms as the writers see them, and the tags.
std::string Described(const Molecule& molecule) {
  std::string text = XyzFileText("", molecule);
  for (int k = 1; k <= molecule.AtomCount(); ++k)
    text += " " + std::to_string(molecule.GetAtom(k).tag);
  return text;
}

// Markers are the lines that begin with "$", whatever ends the lines.
TEST_F(ReadCor1Test, MarkersAreLinesBeginningWithADollar) {
  EXPECT_EQ(Count("title\r\n$ 1\r\n 1\r\n\r\n $ no\r\n$\r\n$$\r\n\r\nend"), 3);
  EXPECT_EQ(Count("$a\n$b\r$c"), 3);
}

// The count is columns 1 to 6 only; short lines give zeros and blanks; a
// comma ends a number, D is an exponent, an inner blank is dropped; a NUL
// ends a number and stays in a symbol; nothing after column 75 is read. Lines
// end with CR LF, LF or CR, and may be a megabyte long.
TEST_F(ReadCor1Test, FieldsAreTakenFromTheirColumns) {
  const std::string megabyte(std::size_t{1} << 20, '9');
  const std::string full = AtomLine("1", "2", "3", "Cl", "17");
  const std::string nul(1, '\0');
  ASSERT_EQ(
      Read(megabyte + "\r$\n  5   9999\r\n\n" + full.substr(0, 72) + "\r" + full.substr(0, 47) +
               "\n      4.5\r\n" + AtomLine("1,5", "1.5D+02", "1 5", " C", "2.5") + megabyte +
               "\n" + AtomLine("2.5" + nul + "9", "", "-1", nul + "C") + "\r",
           1),
      ReadStatus::Loaded);
  EXPECT_EQ(Described(molecule_),
            testing::CrLf(
                {"", " 5 ", "Cl     1.00000   2.00000   3.00000",
                 "       1.00000   2.00000   3.00000", "       4.50000    .00000    .00000",
                 " C     1.00000 150.00000  15.00000", nul + "C     2.50000    .00000  -1.00000"}) +
                " 0 0 0 2 1");
}

// A count line without a number, or below 1, is a step of no atom.
TEST_F(ReadCor1Test, EmptyStepsAndStepsNotFound) {
  ASSERT_EQ(Read(testing::HydrogenStep(), 1), ReadStatus::Loaded);
  molecule_.SetCharge(5);
  for (const std::string& file :
       {Step("0", {}), Step("-5", {}), std::string("$\0\xff\r\n\xfe\x01\r\n\x80", 10)}) {
    EXPECT_EQ(Read(file, 1), ReadStatus::Loaded);
    EXPECT_EQ(molecule_.AtomCount(), 0);
  }
  EXPECT_EQ(molecule_.GetCharge(), 0.0);
  molecule_.SetCharge(7);
  for (int k : {2, 0, -1}) EXPECT_EQ(Read(testing::HydrogenStep(), k), ReadStatus::StepNotFound);
  EXPECT_EQ(molecule_.AtomCount(), 0);
  EXPECT_EQ(molecule_.GetCharge(), 7.0);
}

TEST_F(ReadCor1Test, ALineTooLongIsUnreadableWithItsReason) {
  const std::string path = testing::WriteLongLine(drives_, "long.cor", "$\r\n");
  std::string reasons[3];
  EXPECT_EQ(ReadStep(path, 1, molecule_, &reasons[0]), ReadStatus::Unreadable);  // in block 1
  EXPECT_EQ(ReadStep(path, 2, molecule_, &reasons[1]), ReadStatus::Unreadable);  // to marker 2
  EXPECT_FALSE(MarkerIndex::Build(path, &reasons[2]));
  for (const std::string& reason : reasons) EXPECT_EQ(reason, "a line is longer than 64 MiB");
}

// The road for plain decimals (blanks, a sign, up to 15 digits, eight at a
// time after the point) and the general one for the rest agree with the
// numeric rule, the sign of zero included.
TEST(FieldValueTest, AgreesWithTheNumericRule) {
  for (std::string_view field :
       {"", ".", "-0.000", "  +12  ", "123456789012345", "1234567890123456", "-0.12345678901234",
        ".1234567890123456", "98765432109876543", "0.123456789012345678901", "9.99999999",
        "1.2345678:", "1.234567/8", "1 5", "\t2", "1.5D+02", "12a", "1.5 x"}) {
    EXPECT_EQ(FieldValue(field), NumericValue(field)) << field;
    EXPECT_EQ(std::signbit(FieldValue(field)), std::signbit(NumericValue(field))) << field;
  }
}

// Through the index, and through the places the count noted while the file
// keeps its size and time of change, a step reads as from the top, in any
// order of the steps: here marker 2 is an atom line of step 1, step 2's count
// line is step 1's third atom line, marker 3 opens a step too large for the
// buffer and marker 5 is cut. A file changed since is read afresh.
TEST_F(ReadCor1Test, IndexAndCountedPlacesReadAsFromTheTop) {
  const auto file = [](const std::string& head) {
    std::string text = head + Step("3", {AtomLine("1", "0", "0", "C "), "$2", "1"}) + "skip\r\n" +
                       AtomLine("9", "9", "9", "N ") + "\r\n$\r\n900\r\n\r\n";
    for (int i = 0; i < 900; ++i) text += AtomLine(std::to_string(i), "1", "0", "O ") + "\r\n";
    return text + testing::HydrogenStep() + "$ cut";
  };
  const std::string path = drives_.Write("run.cor", file("title\r\n"));
  const StepCount count = CountSteps(path);
  ASSERT_EQ(count.stepCount, 5);
  ASSERT_TRUE(count.places.stamp);
  const auto counted = std::filesystem::last_write_time(*HostPath(path));
  // Step k from the top; by ReadStep through the places and by `index`, the same.
  const auto read = [&](int k, MarkerIndex& index) {
    Molecule top, through, indexed;
    const ReadStatus status = ReadStep(path, k, top);
    EXPECT_EQ(ReadStep(path, k, count.places, through), status) << k;
    EXPECT_EQ(index.ReadStep(k, indexed), status) << k;
    EXPECT_EQ(Described(through), Described(top)) << k;
    EXPECT_EQ(Described(indexed), Described(top)) << k;
    return Described(top);
  };
  std::optional<MarkerIndex> index = MarkerIndex::Open(path, count.places);
  ASSERT_TRUE(index);
  EXPECT_EQ(read(2, *index).substr(0, 9), "\r\n 1 \r\nN ");
  for (int k : {0, 1, 3, 4, 5, 6, 5, 4, 1, 3, 3, 2}) read(k, *index);
  // Another size: the steps have moved.
  drives_.Write("run.cor", file("a longer title\r\n"));
  std::filesystem::last_write_time(*HostPath(path), counted);
  index = MarkerIndex::Open(path, count.places);
  ASSERT_TRUE(index);
  for (int k : {1, 2, 3}) read(k, *index);
  // The same size, another time of change: step 1 is now empty.
  drives_.Write("run.cor", file("$\r\n\r\n\r\n"));
  std::filesystem::last_write_time(*HostPath(path), counted + std::chrono::seconds(1));
  index = MarkerIndex::Open(path, count.places);
  ASSERT_TRUE(index);
  EXPECT_EQ(read(1, *index).substr(0, 7), "\r\n 0 \r\n");
  // The same size and time: the places are taken as they are.
  std::filesystem::last_write_time(*HostPath(path), counted);
  ASSERT_EQ(ReadStep(path, 1, count.places, molecule_), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.AtomCount(), 3);
}

}  // namespace
}  // namespace wt
