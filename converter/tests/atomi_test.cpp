#include "converter/atomi.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace wt {
namespace {

// Symbols cut or padded to 2, coordinates rounded to the nearest float, up to
// the largest 16-bit count of atoms; a reset keeps the charge.
TEST(MoleculeTest, AtomsAreStoredAsTheWritersExpectThemUpTo32767) {
  Molecule molecule;
  EXPECT_FALSE(molecule.GetCharge().has_value());
  molecule.AddAtom("Cl1", 0.1, -1234.5, 0x1.fffffe8p+127, -7);  // above FLT_MAX, nearer to it
  molecule.SetCharge(0);
  const Atom first = molecule.GetAtom(1);
  EXPECT_EQ(first.Symbol(), "Cl");
  EXPECT_EQ(static_cast<double>(first.x), 0.100000001490116119384765625);
  EXPECT_EQ(first.z, FLT_MAX);
  EXPECT_EQ(first.tag, -7);
  EXPECT_FALSE(FitsFloat(0x1.ffffffp+127));  // the midpoint rounds to 2^128
  EXPECT_EQ(NearestFloat(-1e39), -INFINITY);
  molecule.ResetMolecule();
  EXPECT_EQ(molecule.GetCharge(), 0.0);
  for (int i = 1; i <= 32767; ++i) ASSERT_TRUE(molecule.AddAtom("C", i, 0, 0, 0));
  EXPECT_FALSE(molecule.AddAtom("H ", 0, 0, 0, 0));
  EXPECT_EQ(molecule.AtomCount(), 32767);
  EXPECT_EQ(molecule.GetAtom(1).Symbol(), "C ");
  EXPECT_EQ(molecule.GetAtom(32767).x, 32767.0f);
  EXPECT_EQ(molecule.GetAtom(32768).Symbol(), "  ");
}

TEST(ElementTableTest, AtomicNumberOfNormalisedSymbols) {
  ElementTable table;
  EXPECT_EQ(table.AtomicNumber("C "), 0);  // empty until filled
  table.FillElementTable();
  std::string entries;
  for (int n = 0; n <= ElementTable::Size + 1; ++n) entries += table.Entry(n);
  EXPECT_EQ(entries,
            "H  He Li Be B  C  N  O  F  Ne Na Mg Al Si P  S  Cl Ar K  Ca Sc Ti V  Cr Mn Fe Co "
            "Ni Cu Zn Ga Ge As Se Br Kr Rb Sr Y  Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I  Xe "
            "Cs Ba La Ce Pr Nd Pm Sm Eu Gd Tb Dy Ho Er Tm Yb Lu Hf Ta W  Re Os Ir Pt Au Hg Tl "
            "Pb Bi Po At Rn Fr Ra Ac Th Pa U  Np Pu Am Cm Bk Cf Es Fm Md No Lr UnqUnpUnh");
  const std::pair<const char*, int> cases[] = {{" C", 6}, {"cL", 17}, {"Lr", 103},
                                               {"  ", 0}, {"X ", 0},  {"Un", 0}};
  for (auto [symbol, number] : cases) EXPECT_EQ(table.AtomicNumber(symbol), number) << symbol;
}

}  // namespace
}  // namespace wt
