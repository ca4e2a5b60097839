// ATOMI: the converter's in-memory molecule and the element-symbol table.
//
// The molecule holds the atoms of the one step that ReadStep has just loaded;
// the writers read it back atom by atom. Slots are numbered from 1.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace wt {

struct Atom {
  // Left-aligned, blank-padded to exactly 2 characters.
  std::array<char, 2> symbol{' ', ' '};
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
  std::int16_t tag = 0;

  std::string_view Symbol() const { return {symbol.data(), symbol.size()}; }
};

// The rounding of a coordinate to the 32-bit float that AddAtom stores.
// Beyond the float range the result is an infinity of the value's sign.
float NearestFloat(double value);

// True when `value` rounds to a finite 32-bit float.
bool FitsFloat(double value);

class Molecule {
 public:
  // The store starts with room for MaxAtoms atoms and grows beyond them, so
  // that the atom count always matches the filled slots, up to the largest
  // 16-bit count.
  static constexpr std::int16_t MaxAtoms = 400;
  static constexpr std::int16_t LargestAtomCount = INT16_MAX;

  Molecule();

  // Empties the store; the charge keeps its value.
  void ResetMolecule();

  // Appends an atom: the symbol's first 2 characters, blank-padded to 2; each
  // coordinate rounded to the nearest 32-bit float (NearestFloat); the tag as
  // it is. False, with nothing added, when the store already holds
  // LargestAtomCount atoms.
  bool AddAtom(std::string_view symbol, double x, double y, double z, std::int16_t tag);

  // A copy of slot k (1 to AtomCount()); a cleared atom (two blanks, zeros)
  // for any other k.
  Atom GetAtom(int k) const;

  std::int16_t AtomCount() const { return static_cast<std::int16_t>(atoms_.size()); }

  // The molecular charge: empty until the first SetCharge.
  void SetCharge(double charge) { charge_ = charge; }
  std::optional<double> GetCharge() const { return charge_; }

 private:
  std::vector<Atom> atoms_;
  std::optional<double> charge_;
};

// The 106 element symbols by atomic number, each blank-padded to 3
// characters: hydrogen to lawrencium, then "Unq", "Unp" and "Unh". The table is
// empty until FillElementTable.
class ElementTable {
 public:
  static constexpr int Size = 106;

  // (Re)writes all entries.
  void FillElementTable();

  // Entry n (1 to Size), 3 characters; empty before FillElementTable or for
  // any other n.
  std::string_view Entry(int n) const;

  // The atomic number of a 2-character symbol as GetAtom gives it, 0 when it
  // is not in the table. A leading blank moves the symbol left (" C" is
  // "C "); the first character counts in upper case, the second in lower case,
  // so "CL", "cl" and "Cl" are all chlorine. Since the key is at most 2
  // characters, the three-letter entries never match.
  int AtomicNumber(std::string_view symbol) const;

 private:
  bool filled_ = false;
  // Atomic number by first letter (A to Z) and second character (blank, then
  // a to z); 0 where no element has that symbol.
  std::array<std::array<std::uint8_t, 27>, 26> index_{};
};

}  // namespace wt
