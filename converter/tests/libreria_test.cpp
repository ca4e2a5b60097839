#include "converter/libreria.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "converter/tests/reference_coordinate.h"
#include "converter/tests/testfiles.h"

namespace wt {
namespace {

using testing::CrLf;
using testing::ReferenceCoordinate;

TEST(NumberFieldsTest, CoordinatePatternOfFiveDecimals) {
  const std::pair<float, const char*> cases[] = {
      {1.5f, "1.50000"},
      {0.25f, ".25000"},
      {-0.25f, "-.25000"},
      {0.0f, ".00000"},
      {-0.0f, ".00000"},
      {12345.5f, "12345.50000"},
      {-0.4692f, "-.46920"},
      // The digits of the float itself, widened exactly.
      {0.1f, ".10000"},
      {1234.56789f, "1234.56787"},
      {1e11f, "99999997952.00000"},
      {1e14f, "100000000376832.00000"},
      {-FLT_MAX, "-340282346638528859811704183484516925440.00000"},
      // Exact halves go away from zero; a negative value keeps its sign.
      {0.015625f, ".01563"},
      {-0.015625f, "-.01563"},
      {-1e-7f, "-.00000"},
      {INFINITY, "inf"}};
  for (auto [value, text] : cases) EXPECT_EQ(FormatCoordinate(value), text) << text;
}

TEST(NumberFieldsTest, FieldsKeepTheirRightmostCharacters) {
  EXPECT_EQ(PadLeft(".00000", 10), "    .00000");
  EXPECT_EQ(PadLeft("-1234.50000", 10), "1234.50000");
  EXPECT_EQ(PadLeft("1,50000", 10), "   1.50000");
  EXPECT_EQ(PadLeft("1,2,3", 3), "2.3");
  std::string fields;
  for (auto [value, width] : {std::pair{-999.5f, 10}, {1e6f, 12}, {-99999.5f, 12}, {0.0f, 12}}) {
    AppendCoordinateField(fields, value, width);
  }
  EXPECT_EQ(fields, "-999.50000000000.00000-99999.50000      .00000");
  EXPECT_EQ(AtomicNumberField(0) + AtomicNumberField(6), "           6");
  EXPECT_EQ(NumberItem(0.0) + NumberItem(-0.0) + NumberItem(-2.0) + NumberItem(0.5),
            " 0  0 -2  .5 ");
  EXPECT_EQ(NumberItem(std::nullopt), "");
}

// The pattern is formed digit by digit; it reads as the float's exact
// decimal expansion rounded, and a field as the pattern padded, for floats of
// every size and at the rounding halves.
TEST(NumberFieldsTest, FieldsAreThePaddedPattern) {
  std::mt19937 random(5);
  std::vector<float> values = {0.0f,    -0.0f,     9999999999.0f, 1e10f,     -1e10f,
                               0x1p33f, -999.5f,   -1000.0f,      9999.5f,   10000.0f,
                               -1e-7f,  999999.5f, 1000000.0f,    -99999.5f, -100000.0f};
  for (int i = 0; i < 300000; ++i) {
    std::uint32_t bits = static_cast<std::uint32_t>(random());
    float value;
    if (i % 3 == 0) {
      // Any float, NaN and infinities included.
      std::memcpy(&value, &bits, sizeof value);
    } else if (i % 3 == 1) {
      // A float near k + 0.5 in units of the fifth decimal.
      const double half = (static_cast<double>(bits % 2000000) - 1000000.5) / 100000;
      value = std::nextafter(static_cast<float>(half), bits % 2 ? INFINITY : -INFINITY);
    } else {
      value = static_cast<float>(std::ldexp(static_cast<double>(bits) - 2147483648.0,
                                            static_cast<int>(random() % 50) - 40));
    }
    values.push_back(value);
  }
  values.insert(values.end(), {FLT_MAX, -FLT_MAX, FLT_MIN, -FLT_TRUE_MIN, NAN, -INFINITY});
  for (float value : values) {
    const std::string pattern = ReferenceCoordinate(value);
    ASSERT_EQ(FormatCoordinate(value), pattern) << value;
    for (std::size_t width : {0, 1, 6, 7, 10, 12, 15, 16, 23, 24, 30, 47, 48, 49, 60}) {
      std::string field = "<";
      AppendCoordinateField(field, value, width);
      ASSERT_EQ(field.front(), '<');
      ASSERT_EQ(field.substr(1), PadLeft(pattern, width)) << value << " " << width;
      ASSERT_EQ(FitsField(value, width), pattern.size() <= width) << value << " " << width;
    }
  }
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
  // What a field of 12 holds is no reason to refuse it in a field of 10, and
  // the other way round.
  molecule_.ResetMolecule();
  molecule_.AddAtom("C ", -1234.5, 0, 0, 0);
  molecule_.SetCharge(0);
  EXPECT_EQ(Export(1).substr(61, 44), "     6 -1234.50000      .00000      .00000\r\n");
  std::string reason;
  EXPECT_FALSE(ExportMolecule(kSingleStepBasePath, 2, molecule_, route_, &reason));
}

TEST_F(WriterTest, MissingFolderIsReportedAndNothingWritten) {
  std::filesystem::remove_all(drives_.Zorb(""));
  std::string reason;
  EXPECT_FALSE(ExportMolecule(kSingleStepBasePath, 1, molecule_, route_, &reason));
  EXPECT_FALSE(std::filesystem::exists(drives_.Zorb("")));
  EXPECT_FALSE(reason.empty());  // in the OS's words
  EXPECT_EQ(WriteFailureText("C:\\zorb\\tarvo.mol", reason),
            "The file 'C:\\zorb\\tarvo.mol' cannot be written: " + reason);
}

}  // namespace
}  // namespace wt
