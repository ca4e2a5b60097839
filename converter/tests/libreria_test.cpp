#include "converter/libreria.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "converter/tests/testfiles.h"

namespace wt {
namespace {

using testing::CrLf;

// No zero before the point; the digits of the float itself, widened exactly;
// exact halves away from zero, a negative value keeping its sign, beyond 32
// bits in units of the fifth decimal too; whole floats from 1e10 on. The
// fuzz target holds every float read against the plain rule
// (reference_coordinate.h).
TEST(NumberFieldsTest, CoordinatePatternOfFiveDecimals) {
  std::string patterns;
  for (float value : {0.25f, -0.25f, -0.0f, 1234.56789f, 0.015625f, -0.015625f, -1e-7f,
                      -100000.015625f, 1e14f, -FLT_MAX, INFINITY}) {
    patterns += FormatCoordinate(value) + " ";
  }
  EXPECT_EQ(patterns,
            ".25000 -.25000 .00000 1234.56787 .01563 -.01563 -.00000 -100000.01563 "
            "100000000376832.00000 -340282346638528859811704183484516925440.00000 inf ");
}

TEST(ExportTest, NamesAndConfirmations) {
  EXPECT_EQ(TargetFileName(NumberedBasePath(7), 4), "C:\\zorb\\tarvo007.in");
  EXPECT_EQ(NumberedBasePath(1000), "C:\\zorb\\tarvo1000");
  EXPECT_EQ(CreatedText(3), "The file 'C:\\zorb\\tarvo.com' is created");
  EXPECT_EQ(CreatedText(-1), "The file 'C:\\zorb\\tarvo.mol' is created");
}

class WriterTest : public ::testing::Test {
 protected:
  // The bytes of the file that ExportMolecule wrote.
  std::string Export(std::int16_t kind, std::string_view basePath = kSingleStepBasePath) {
    std::string reason;
    EXPECT_TRUE(ExportMolecule(basePath, kind, molecule_, route_, &reason)) << reason;
    return testing::ReadBytes(*HostPath(TargetFileName(basePath, kind)));
  }
  static std::string Golden(std::string_view name) {
    return testing::ReadBytes(std::string(WT_GOLDEN_DIR) + "/" + std::string(name));
  }

  testing::TempDrives drives_;
  Molecule molecule_;
  RouteLine route_;
};

TEST_F(WriterTest, WaterInAllFourKinds) {
  molecule_.AddAtom("O ", 0, 0, 0.1173, 8);
  molecule_.AddAtom("H ", 0, 0.7572, -0.4692, 1);
  molecule_.AddAtom("H ", 0, -0.7572, -0.4692, 1);
  molecule_.SetCharge(0);
  EXPECT_EQ(Export(1), Golden("water.mol"));
  EXPECT_EQ(Export(2), Golden("water.xyz"));
  EXPECT_EQ(Export(3), Golden("water.com"));
  EXPECT_EQ(Export(4), Golden("water.in"));
  EXPECT_EQ(Export(5), Golden("water.mol"));
  route_.SetRouteLine("# B3LYP/6-31G*");
  EXPECT_EQ(Export(3), "# B3LYP/6-31G*" + Golden("water.com").substr(11));
  EXPECT_EQ(Export(1, NumberedBasePath(2)).substr(0, 29), "TITLE\r\nC:\\zorb\\tarvo002.mol\r\n");
  EXPECT_EQ(Export(4, NumberedBasePath(3)).substr(0, 27), "Titl  C:\\zorb\\tarvo003.in\r\n");
}

TEST_F(WriterTest, EmptyMoleculeGivesTheFixedLinesAndReplacesTheFile) {
  molecule_.AddAtom("H ", 0, 0, 0, 0);
  Export(2);
  molecule_.ResetMolecule();
  molecule_.SetCharge(0);
  EXPECT_EQ(Export(1), CrLf({"TITLE", "C:\\zorb\\tarvo.mol", "CELL", " 1  1  1  90  90  90",
                             "COORD", "1   0   0   0", "GROUP", "P1"}));
  EXPECT_EQ(Export(2), CrLf({"C:\\zorb\\tarvo.xyz", " 0 "}));
  EXPECT_EQ(Export(3), CrLf({"# HF/STO-3G", "", "C:\\zorb\\tarvo.com", "", " 0   1", "", ""}));
  EXPECT_EQ(Export(4), CrLf({"Titl  C:\\zorb\\tarvo.in", "Par  0 ", "Cell ", "End "}));
}

// The widest coordinates that fit: written whole, the fields glued where a
// coordinate fills its field, as the fixed columns that readers count on.
TEST_F(WriterTest, TheWidestCoordinatesThatFitAreWrittenWhole) {
  molecule_.AddAtom("CL", -999.5, 9999.5, -999.5, 0);
  molecule_.AddAtom("H ", 0, -0.25, 1234.5, 0);
  molecule_.SetCharge(0);
  EXPECT_EQ(Export(2), Golden("widest.xyz"));
  EXPECT_EQ(Export(3), Golden("widest.com"));
  EXPECT_EQ(Export(4), Golden("widest.in"));
  molecule_.ResetMolecule();
  molecule_.AddAtom("Th", -99999.5, 999999.5, -99999.5, 0);
  molecule_.AddAtom("X ", 0, 1.5, -0.25, 0);
  EXPECT_EQ(Export(1), Golden("widest.mol"));
}

// A coordinate that does not fit its field is never cut: the file is not
// written, the old one stays, and the reason names the atom, the axis and
// the whole value.
TEST_F(WriterTest, ACoordinateWiderThanItsFieldIsRefusedAndTheOldFileKept) {
  struct Case {
    std::int16_t kind;
    float x, y, z;
    const char* reason;
  };
  const Case cases[] = {
      {2, -1234.5f, 12345.5f, 0, "atom 2 has x = -1234.50000, wider than its 10-character field"},
      {3, 0, 10000, 0, "atom 2 has y = 10000.00000, wider than its 10-character field"},
      {4, 0, 0, -1000, "atom 2 has z = -1000.00000, wider than its 10-character field"},
      {1, 0, 1000000.5f, 0, "atom 2 has y = 1000000.50000, wider than its 12-character field"},
      {1, -100000, 0, 0, "atom 2 has x = -100000.00000, wider than its 12-character field"},
      {5, 0, 0, 1e30f,
       "atom 2 has z = 1000000015047466219876688855040.00000, wider than its 12-character field"},
  };
  for (const Case& c : cases) {
    molecule_.ResetMolecule();
    molecule_.AddAtom("H ", 1, 2, 3, 0);
    molecule_.AddAtom("C ", c.x, c.y, c.z, 0);
    molecule_.AddAtom("C ", 1e9, 1e9, 1e9, 0);  // later atoms are not looked at
    const std::string target = TargetFileName(kSingleStepBasePath, c.kind);
    drives_.Write(target.substr(8), "old file\r\n");
    std::string reason;
    EXPECT_FALSE(ExportMolecule(kSingleStepBasePath, c.kind, molecule_, route_, &reason));
    EXPECT_EQ(reason, c.reason);
    EXPECT_EQ(drives_.Read(target.substr(8)), "old file\r\n") << target;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(drives_.Zorb("")), {}), 1)
        << "only the old file is there";
    std::filesystem::remove(drives_.Zorb(target.substr(8)));
  }
}

}  // namespace
}  // namespace wt
