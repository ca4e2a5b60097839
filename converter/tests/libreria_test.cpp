#include "converter/libreria.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "converter/tests/testfiles.h"

namespace wt {
namespace {

// Symbols cut or padded to 2, coordinates rounded to the nearest float, up to
// the largest 16-bit count of atoms.
TEST(MoleculeTest, AtomsAreStoredAsTheWritersExpectThemUpTo32767) {
  Molecule molecule;
  molecule.AddAtom("Cl1", 0.1, -1234.5, 0x1.fffffe8p+127, -7);  // above FLT_MAX, nearer to it
  const Atom first = molecule.GetAtom(1);
  EXPECT_EQ(first.Symbol(), "Cl");
  EXPECT_EQ(static_cast<double>(first.x), 0.100000001490116119384765625);
  EXPECT_EQ(first.z, FLT_MAX);
  EXPECT_FALSE(FitsFloat(0x1.ffffffp+127));  // the midpoint rounds to 2^128
  molecule.ResetMolecule();
  for (int i = 1; i <= 32767; ++i) ASSERT_TRUE(molecule.AddAtom("C", i, 0, 0, 0));
  EXPECT_FALSE(molecule.AddAtom("H ", 0, 0, 0, 0));
  EXPECT_EQ(molecule.AtomCount(), 32767);
  EXPECT_EQ(molecule.GetAtom(1).Symbol(), "C ");
  EXPECT_EQ(molecule.GetAtom(32767).x, 32767.0f);
  EXPECT_EQ(molecule.GetAtom(32768).Symbol(), "  ");
}

TEST(ElementTableTest, AtomicNumberOfNormalisedSymbols) {
  ElementTable table;
  table.FillElementTable();
  const std::pair<const char*, int> cases[] = {{" C", 6}, {"cL", 17}, {"Lr", 103},
                                               {"  ", 0}, {"X ", 0},  {"Un", 0}};
  for (auto [symbol, number] : cases) EXPECT_EQ(table.AtomicNumber(symbol), number) << symbol;
}

// No zero before the point; the digits of the float itself, widened exactly;
// exact halves away from zero, a negative value keeping its sign, beyond 32
// bits in units of the fifth decimal too; whole floats from 1e10 on.
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

class WriterTest : public ::testing::Test {
 protected:
  // The bytes of the file that ExportMolecule wrote.
  std::string Export(std::int16_t kind, std::string_view basePath = kSingleStepBasePath) {
    std::string reason;
    EXPECT_TRUE(ExportMolecule(basePath, kind, molecule_, route_, &reason)) << reason;
    return testing::ReadBytes(*HostPath(TargetFileName(basePath, kind)));
  }
  // The expected file of `kind`, golden/<stem>.mol, .xyz, .com or .in.
  static std::string Golden(std::string_view stem, std::int16_t kind) {
    return testing::ReadBytes(std::string(WT_GOLDEN_DIR) + "/" + std::string(stem) +
                              std::string(KindExtension(kind)));
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
  for (std::int16_t kind : {1, 2, 3, 4}) EXPECT_EQ(Export(kind), Golden("water", kind)) << kind;
  EXPECT_EQ(Export(5), Golden("water", 1));
  EXPECT_EQ(Export(1, NumberedBasePath(1000)).substr(0, 30),
            "TITLE\r\nC:\\zorb\\tarvo1000.mol\r\n");
}

// The widest coordinates that fit: written whole, the fields glued where a
// coordinate fills its field, as the fixed columns that readers count on.
TEST_F(WriterTest, TheWidestCoordinatesThatFitAreWrittenWhole) {
  molecule_.AddAtom("CL", -999.5, 9999.5, -999.5, 0);
  molecule_.AddAtom("H ", 0, -0.25, 1234.5, 0);
  molecule_.SetCharge(0);
  for (std::int16_t kind : {2, 3, 4}) EXPECT_EQ(Export(kind), Golden("widest", kind)) << kind;
  molecule_.ResetMolecule();
  molecule_.AddAtom("Th", -99999.5, 999999.5, -99999.5, 0);
  molecule_.AddAtom("X ", 0, 1.5, -0.25, 0);
  EXPECT_EQ(Export(1), Golden("widest", 1));
}

// A coordinate too wide for its field is never cut: the old file stays, and
// the reason names the atom, the axis and the whole value.
TEST_F(WriterTest, ACoordinateWiderThanItsFieldIsRefusedAndTheOldFileKept) {
  const std::tuple<std::int16_t, float, float, float, std::string> cases[] = {
      {2, -1234.5f, 12345.5f, 0, "x = -1234.50000, wider than its 10"},
      {3, 0, 10000, 0, "y = 10000.00000, wider than its 10"},
      {4, 0, 0, -1000, "z = -1000.00000, wider than its 10"},
      {1, 0, 1000000.5f, 0, "y = 1000000.50000, wider than its 12"},
      {1, -100000, 0, 0, "x = -100000.00000, wider than its 12"}};
  for (const auto& [kind, x, y, z, wide] : cases) {
    molecule_.ResetMolecule();
    molecule_.AddAtom("H ", 1, 2, 3, 0);
    molecule_.AddAtom("C ", x, y, z, 0);
    molecule_.AddAtom("C ", 1e9, 1e9, 1e9, 0);  // later atoms are not looked at
    const std::string name = TargetFileName(kSingleStepBasePath, kind).substr(8);
    drives_.Write(name, "old\r\n");
    std::string reason;
    EXPECT_FALSE(ExportMolecule(kSingleStepBasePath, kind, molecule_, route_, &reason));
    EXPECT_EQ(reason, "atom 2 has " + wide + "-character field");
    EXPECT_EQ(drives_.Read(name), "old\r\n") << name;
  }
}

}  // namespace
}  // namespace wt
