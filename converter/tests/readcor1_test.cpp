#include "converter/readcor1.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

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
  for (const char* file : {"title\r\n$ 1\r\n 1\r\n\r\n $ no\r\n$\r\n$$\r\n\r\nend", "$a\n$b\r$c"}) {
    EXPECT_EQ(CountSteps(drives_.Write("run.cor", file)).stepCount, 3) << file;
  }
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
TEST_F(ReadCor1Test, ACountLineWithoutANumberOrBelow1IsAStepOfNoAtom) {
  for (const std::string& file :
       {Step("0", {}), Step("-5", {}), std::string("$\0\xff\r\n\xfe\x01\r\n\x80", 10)}) {
    molecule_.SetCharge(5);
    EXPECT_EQ(Read(file, 1), ReadStatus::Loaded);
    EXPECT_EQ(Described(molecule_) + std::to_string(*molecule_.GetCharge()), "\r\n 0 \r\n0.000000");
  }
}

// Through the index, and through the places the count noted while the file
// keeps its size and time of change, a step reads as from the top in any
// order: marker 2 is an atom line of step 1, whose third is step 2's count;
// step 3 is too large for the buffer, step 5 cut. A changed file is read afresh.
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
  const auto counted = std::filesystem::last_write_time(*HostPath(path));
  // The steps in this order through the places and an index opened on them.
  const auto read = [&](std::initializer_list<int> steps) {
    std::optional<MarkerIndex> index = MarkerIndex::Open(path, count.places);
    ASSERT_TRUE(index);
    for (int k : steps) {
      Molecule top, through, indexed;
      const ReadStatus status = ReadStep(path, k, top);
      EXPECT_EQ(ReadStep(path, k, count.places, through), status) << k;
      EXPECT_EQ(index->ReadStep(k, indexed), status) << k;
      EXPECT_EQ(Described(through) + Described(indexed), Described(top) + Described(top)) << k;
    }
  };
  read({0, 1, 3, 4, 5, 6, 5, 4, 1, 3, 3, 2});
  drives_.Write("run.cor", file("$\r\n\r\n\r\n"));  // the same size, another time
  std::filesystem::last_write_time(*HostPath(path), counted + std::chrono::seconds(1));
  read({1, 2});
  std::filesystem::last_write_time(*HostPath(path), counted);  // the same size and time
  ASSERT_EQ(ReadStep(path, 1, count.places, molecule_), ReadStatus::Loaded);
  EXPECT_EQ(molecule_.AtomCount(), 3);
}

}  // namespace
}  // namespace wt
