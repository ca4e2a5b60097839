#include "converter/atomi.h"

#include <cfloat>
#include <cmath>

namespace wt {
namespace {

constexpr std::array<std::string_view, ElementTable::Size> kElementSymbols = {
    "H  ", "He ", "Li ", "Be ", "B  ", "C  ", "N  ", "O  ", "F  ", "Ne ", "Na ", "Mg ",
    "Al ", "Si ", "P  ", "S  ", "Cl ", "Ar ", "K  ", "Ca ", "Sc ", "Ti ", "V  ", "Cr ",
    "Mn ", "Fe ", "Co ", "Ni ", "Cu ", "Zn ", "Ga ", "Ge ", "As ", "Se ", "Br ", "Kr ",
    "Rb ", "Sr ", "Y  ", "Zr ", "Nb ", "Mo ", "Tc ", "Ru ", "Rh ", "Pd ", "Ag ", "Cd ",
    "In ", "Sn ", "Sb ", "Te ", "I  ", "Xe ", "Cs ", "Ba ", "La ", "Ce ", "Pr ", "Nd ",
    "Pm ", "Sm ", "Eu ", "Gd ", "Tb ", "Dy ", "Ho ", "Er ", "Tm ", "Yb ", "Lu ", "Hf ",
    "Ta ", "W  ", "Re ", "Os ", "Ir ", "Pt ", "Au ", "Hg ", "Tl ", "Pb ", "Bi ", "Po ",
    "At ", "Rn ", "Fr ", "Ra ", "Ac ", "Th ", "Pa ", "U  ", "Np ", "Pu ", "Am ", "Cm ",
    "Bk ", "Cf ", "Es ", "Fm ", "Md ", "No ", "Lr ", "Unq", "Unp", "Unh"};

// Case changes of the single-byte code page's ASCII letters; other bytes stay.
char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where a normalised 2-character key sits in the index; nothing for a key no
// entry can equal (the key's third character is always a blank).
std::optional<std::pair<int, int>> IndexOf(char first, char second) {
  if (first < 'A' || first > 'Z') return std::nullopt;
  if (second == ' ') return std::pair(first - 'A', 0);
  if (second >= 'a' && second <= 'z') return std::pair(first - 'A', second - 'a' + 1);
  return std::nullopt;
}

}  // namespace

float NearestFloat(double value) {
  // A double beyond the largest float but within half a unit of it rounds
  // down to it; the cast alone would be undefined there.
  if (std::fabs(value) > FLT_MAX) {
    const float largest = FitsFloat(value) ? FLT_MAX : INFINITY;
    return std::signbit(value) ? -largest : largest;
  }
  return static_cast<float>(value);
}

bool FitsFloat(double value) {
  // 2^128 - 2^103 is the midpoint between the largest float and 2^128; ties
  // go to the even side, 2^128, which is an infinity.
  constexpr double kOverflow = 0x1.ffffffp+127;
  return std::fabs(value) < kOverflow;
}

Molecule::Molecule() {
  atoms_.reserve(MaxAtoms);
}

void Molecule::ResetMolecule() {
  atoms_.clear();
}

bool Molecule::AddAtom(std::string_view symbol, double x, double y, double z, std::int16_t tag) {
  if (atoms_.size() >= static_cast<std::size_t>(LargestAtomCount)) return false;
  Atom& atom = atoms_.emplace_back();
  for (std::size_t i = 0; i < 2 && i < symbol.size(); ++i) atom.symbol[i] = symbol[i];
  atom.x = NearestFloat(x);
  atom.y = NearestFloat(y);
  atom.z = NearestFloat(z);
  atom.tag = tag;
  return true;
}

Atom Molecule::GetAtom(int k) const {
  if (k < 1 || static_cast<std::size_t>(k) > atoms_.size()) return Atom{};
  return atoms_[static_cast<std::size_t>(k) - 1];
}

void ElementTable::FillElementTable() {
  for (auto& row : index_) row.fill(0);
  for (int n = 1; n <= Size; ++n) {
    std::string_view entry = kElementSymbols[static_cast<std::size_t>(n) - 1];
    if (entry[2] != ' ') continue;  // three-letter symbols: no 2-character key reaches them
    if (auto at = IndexOf(entry[0], entry[1])) {
      auto [row, column] = *at;
      if (index_[row][column] == 0) index_[row][column] = static_cast<std::uint8_t>(n);
    }
  }
  filled_ = true;
}

std::string_view ElementTable::Entry(int n) const {
  if (!filled_ || n < 1 || n > Size) return {};
  return kElementSymbols[static_cast<std::size_t>(n) - 1];
}

int ElementTable::AtomicNumber(std::string_view symbol) const {
  if (!filled_) return 0;
  char first = symbol.size() > 0 ? symbol[0] : ' ';
  char second = symbol.size() > 1 ? symbol[1] : ' ';
  if (first == ' ') {
    first = second;
    second = ' ';
  }
  auto at = IndexOf(Upper(first), Lower(second));
  return at ? index_[at->first][at->second] : 0;
}

}  // namespace wt
