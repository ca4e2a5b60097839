#include "converter/atomi.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace wt {
namespace {

TEST(MoleculeTest, AtomsAreStoredAsTheWritersExpectThem) {
  Molecule molecule;
  EXPECT_FALSE(molecule.GetCharge().has_value());
  molecule.AddAtom("C", 0.1, -1234.5, 0x1.fffffe8p+127, -7);  // above FLT_MAX, nearer to it
  molecule.AddAtom("Cl1", 0, 0, 0, 0);
  molecule.SetCharge(0);
  Atom first = molecule.GetAtom(1);
  EXPECT_EQ(first.Symbol(), "C ");
  EXPECT_EQ(static_cast<double>(first.x), 0.100000001490116119384765625);
  EXPECT_EQ(first.z, FLT_MAX);
  EXPECT_EQ(first.tag, -7);
  EXPECT_EQ(molecule.GetAtom(2).Symbol(), "Cl");
  EXPECT_FALSE(FitsFloat(0x1.ffffffp+127));  // the midpoint rounds to 2^128
  EXPECT_EQ(NearestFloat(-1e39), -INFINITY);

  molecule.ResetMolecule();
  EXPECT_EQ(molecule.AtomCount(), 0);
  EXPECT_EQ(molecule.GetAtom(1).Symbol(), "  ");
  EXPECT_EQ(molecule.GetAtom(1).x, 0.0f);
  EXPECT_EQ(molecule.GetCharge(), 0.0);
}

TEST(MoleculeTest, GrowsBeyond400AtomsUpToTheLargest16BitCount) {
  Molecule molecule;
  for (int i = 1; i <= 32767; ++i) ASSERT_TRUE(molecule.AddAtom("C ", i, 0, 0, 0));
  EXPECT_FALSE(molecule.AddAtom("H ", 0, 0, 0, 0));
  EXPECT_EQ(molecule.AtomCount(), 32767);
  EXPECT_EQ(molecule.GetAtom(32767).x, 32767.0f);
  EXPECT_EQ(molecule.GetAtom(32768).Symbol(), "  ");
}

TEST(ElementTableTest, AtomicNumberOfNormalisedSymbols) {
  ElementTable table;
  EXPECT_EQ(table.AtomicNumber("C "), 0);  // empty until filled
  table.FillElementTable();
  EXPECT_EQ(table.Entry(17), "Cl ");
  EXPECT_EQ(std::string(table.Entry(104)) + std::string(table.Entry(106)), "UnqUnh");
  const std::pair<const char*, int> cases[] = {
      {"C ", 6},  {" C", 6},   {"c ", 6}, {"Cl", 17}, {"CL", 17}, {"cl", 17}, {"H ", 1},
      {"Th", 90}, {"Lr", 103}, {"  ", 0}, {"X ", 0},  {"D ", 0},  {"1H", 0}};
  for (auto [symbol, number] : cases) EXPECT_EQ(table.AtomicNumber(symbol), number) << symbol;
  for (int n = 1; n <= 103; ++n) EXPECT_EQ(table.AtomicNumber(table.Entry(n).substr(0, 2)), n);
  for (int a = 0; a < 65536; ++a) {
    const char symbol[2] = {static_cast<char>(a >> 8), static_cast<char>(a)};
    ASSERT_LT(table.AtomicNumber(std::string_view(symbol, 2)), 104);
  }
}

}  // namespace
}  // namespace wt
