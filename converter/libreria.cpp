#include "converter/libreria.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/atomicfile.h"

namespace wt {
namespace {

// Room for any float in the coordinate pattern: up to 39 integer digits, the
// point, five decimals and a sign.
constexpr std::size_t kCoordinateRoom = 48;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the two digits of `pair` (below 100) in front of `end`.
char* PutTwoDigits(char* end, std::uint32_t pair) {
  std::memcpy(end - 2, kDigitPairs + 2 * pair, 2);
  return end - 2;
}

// Forms FormatCoordinate(value) so that it ends right before `end`, digit by
// digit from the right; returns its length (at most kCoordinateRoom).
std::size_t FormCoordinate(float value, char* end) {
  const double v = value;
  // A float has 24 significant bits and 100000 is 3125 * 32 with 3125 below
  // 2^12, so the product needs at most 36 bits: it is exact in a double, and
  // rounding it to a whole number rounds the float itself to five decimals.
  const double magnitude = std::fabs(v);
  const double scaled = magnitude * 100000.0;
  char* p = end;
  if (scaled < 1e15) {
    // 15 digits in all, which a double counts exactly; the fraction is exact
    // too, and a half goes up, away from zero.
    auto whole = static_cast<std::uint64_t>(static_cast<std::int64_t>(scaled));
    if (scaled - static_cast<double>(whole) >= 0.5) ++whole;
    // 32-bit arithmetic, cheaper, for the usual coordinates (below 42949.67).
    std::uint64_t integer;
    std::uint32_t decimals;
    if (whole <= UINT32_MAX) {
      const auto whole32 = static_cast<std::uint32_t>(whole);
      integer = whole32 / 100000;
      decimals = whole32 - static_cast<std::uint32_t>(integer) * 100000;
    } else {
      integer = whole / 100000;
      decimals = static_cast<std::uint32_t>(whole - integer * 100000);
    }
    const std::uint32_t lastFour = decimals % 10000;
    p = PutTwoDigits(p, lastFour % 100);
    p = PutTwoDigits(p, lastFour / 100);
    *--p = static_cast<char>('0' + decimals / 10000);
    *--p = '.';
    for (; integer >= 10; integer /= 100)
      p = PutTwoDigits(p, static_cast<std::uint32_t>(integer % 100));
    if (integer > 0) *--p = static_cast<char>('0' + integer);
  } else if (std::isnan(v)) {
    std::memcpy(end - 3, "nan", 3);
    return 3;
  } else if (std::isinf(v)) {
    p -= 3;
    std::memcpy(p, "inf", 3);
  } else {
    // From 1e10 on a float is a whole number (it lies beyond 2^24): its
    // digits, printed exactly, and five zero decimals.
    p -= 6;
    std::memcpy(p, ".00000", 6);
    char digits[kCoordinateRoom];
    const auto count = static_cast<std::size_t>(
        std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::fixed, 0).ptr -
        digits);
    p -= count;
    std::memcpy(p, digits, count);
  }
  if (v < 0) *--p = '-';
  return static_cast<std::size_t>(end - p);
}

// The common atom line of the XYZ, Gauss 94 and tarvo files: the symbol as
// stored, two blanks, x, y and z in fields of width 10; CR LF.
void AppendAtomLine(std::string& out, const Atom& atom) {
  out.append(atom.symbol.data(), 2);
  out += "  ";
  AppendCoordinateField(out, atom.x, 10);
  AppendCoordinateField(out, atom.y, 10);
  AppendCoordinateField(out, atom.z, 10);
  out += kCrLf;
}

// A size to reserve for a file of `atoms` lines of about `lineWidth` bytes.
std::size_t Estimate(const Molecule& molecule, std::size_t lineWidth) {
  return 256 + static_cast<std::size_t>(molecule.AtomCount()) * (lineWidth + 2);
}

}  // namespace

std::int16_t WriterKind(std::int16_t kind) {
  return kind >= kKrystMolecule && kind <= kTarvoInput ? kind : kKrystMolecule;
}

std::string_view KindExtension(std::int16_t kind) {
  switch (WriterKind(kind)) {
    case kXyzFile:
      return ".xyz";
    case kGauss94Input:
      return ".com";
    case kTarvoInput:
      return ".in";
    default:
      return ".mol";
  }
}

std::string NumberedBasePath(int step) {
  char number[16];
  std::snprintf(number, sizeof number, "%03d", step);
  return std::string(kSingleStepBasePath) + number;
}

std::string TargetFileName(std::string_view basePath, std::int16_t kind) {
  return std::string(basePath) + std::string(KindExtension(kind));
}

std::string PadLeft(std::string_view text, std::size_t n) {
  std::string out(n, ' ');
  const std::size_t kept = std::min(text.size(), n);
  text.substr(text.size() - kept).copy(out.data() + n - kept, kept);
  std::replace(out.begin(), out.end(), ',', '.');
  return out;
}

void AppendLine(std::string& out, std::string_view text) {
  out += text;
  out += kCrLf;
}

std::string FormatCoordinate(float value) {
  char room[kCoordinateRoom];
  const std::size_t length = FormCoordinate(value, room + sizeof room);
  return std::string(room + sizeof room - length, length);
}

void AppendCoordinateField(std::string& out, float value, std::size_t width) {
  // Blanks in front, or only the last `width` characters: PadLeft, with no
  // comma among the digits to replace.
  char room[kCoordinateRoom];
  std::memset(room, ' ', sizeof room);
  FormCoordinate(value, room + sizeof room);
  if (width > sizeof room) {
    out.append(width - sizeof room, ' ');
    width = sizeof room;
  }
  out.append(room + sizeof room - width, width);
}

std::size_t CoordinateWidth(std::int16_t kind) {
  return WriterKind(kind) == kKrystMolecule ? 12 : 10;
}

bool FitsField(float value, std::size_t width) {
  const double v = value;
  if (!std::isfinite(v)) return FormatCoordinate(value).size() <= width;
  // The text is a minus sign for a value below 0, the integer digits and
  // the six characters of the point and the decimals.
  const std::size_t fixed = v < 0 ? 7 : 6;
  if (width < fixed) return false;
  const std::size_t digits = width - fixed;
  if (digits > 9) return FormatCoordinate(value).size() <= width;
  // The integer part has at most `digits` digits while the value in units of
  // the fifth decimal, rounded half up, stays below 10^(digits + 5); the
  // scaled value is exact (see FormCoordinate), as is the bound.
  static constexpr double kLimits[] = {1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14};
  return std::fabs(v) * 100000.0 < kLimits[digits] - 0.5;
}

std::optional<WideCoordinate> FindWideCoordinate(const Molecule& molecule, std::size_t width) {
  const int n = molecule.AtomCount();
  for (int k = 1; k <= n; ++k) {
    const Atom atom = molecule.GetAtom(k);
    for (auto [axis, value] : {std::pair{'x', atom.x}, {'y', atom.y}, {'z', atom.z}}) {
      if (!FitsField(value, width)) return WideCoordinate{k, axis, FormatCoordinate(value), width};
    }
  }
  return std::nullopt;
}

std::string WideCoordinateText(const WideCoordinate& wide) {
  return "atom " + std::to_string(wide.atom) + " has " + wide.axis + " = " + wide.text +
         ", wider than its " + std::to_string(wide.width) + "-character field";
}

std::string AtomicNumberField(int number) {
  return PadLeft(number == 0 ? std::string() : std::to_string(number), 6);
}

std::string NumberItem(std::optional<double> value) {
  if (!value) return {};
  double v = *value == 0 ? 0.0 : *value;  // no "-0"
  char text[64];
  std::size_t length =
      static_cast<std::size_t>(std::to_chars(text, text + sizeof text, std::fabs(v)).ptr - text);
  std::string_view shortest(text, length);
  if (shortest.size() > 1 && shortest.substr(0, 2) == "0.") shortest.remove_prefix(1);
  std::string item(v < 0 ? "-" : " ");
  item += shortest;
  item += ' ';
  return item;
}

std::string XyzFileText(std::string_view fileName, const Molecule& molecule) {
  const int n = molecule.AtomCount();
  std::string out;
  out.reserve(Estimate(molecule, 34));
  AppendLine(out, fileName);
  AppendLine(out, NumberItem(n));
  for (int k = 1; k <= n; ++k) AppendAtomLine(out, molecule.GetAtom(k));
  return out;
}

std::string Gauss94InputText(std::string_view fileName, const Molecule& molecule,
                             std::string_view routeLine) {
  const int n = molecule.AtomCount();
  std::string out;
  out.reserve(Estimate(molecule, 34) + routeLine.size());
  AppendLine(out, routeLine);
  AppendLine(out, "");
  AppendLine(out, fileName);
  AppendLine(out, "");
  AppendLine(out, NumberItem(molecule.GetCharge()) + "  1");
  for (int k = 1; k <= n; ++k) AppendAtomLine(out, molecule.GetAtom(k));
  AppendLine(out, "");
  AppendLine(out, "");
  return out;
}

std::string TarvoInputText(std::string_view fileName, const Molecule& molecule) {
  const int n = molecule.AtomCount();
  std::string out;
  out.reserve(Estimate(molecule, 39));
  AppendLine(out, "Titl  " + std::string(fileName));
  AppendLine(out, "Par " + NumberItem(molecule.GetCharge()));
  AppendLine(out, "Cell ");
  for (int k = 1; k <= n; ++k) {
    out += "ATOM ";
    AppendAtomLine(out, molecule.GetAtom(k));
  }
  AppendLine(out, "End ");
  return out;
}

OutputFile MakeOutputFile(std::string_view basePath, std::int16_t kind, const Molecule& molecule,
                          const RouteLine& routeLine) {
  OutputFile file;
  file.name = TargetFileName(basePath, kind);
  // A coordinate cut to its field would be a wrong number in a file that
  // looks whole: such a molecule gets no text at all.
  if (const auto wide = FindWideCoordinate(molecule, CoordinateWidth(kind))) {
    file.refusal = WideCoordinateText(*wide);
    return file;
  }
  switch (WriterKind(kind)) {
    case kXyzFile:
      file.text = XyzFileText(file.name, molecule);
      break;
    case kGauss94Input:
      file.text = Gauss94InputText(file.name, molecule, routeLine.GetRouteLine());
      break;
    case kTarvoInput:
      file.text = TarvoInputText(file.name, molecule);
      break;
    default: {
      ElementTable elementTable;
      file.text = KrystMoleculeText(file.name, molecule, elementTable);
      break;
    }
  }
  return file;
}

bool WriteOutputFile(const OutputFile& file, std::string* reason) {
  if (!file.refusal.empty()) {
    if (reason) *reason = file.refusal;
    return false;
  }
  return WriteFileAtomically(file.name, file.text, reason);
}

bool ExportMolecule(std::string_view basePath, std::int16_t kind, const Molecule& molecule,
                    const RouteLine& routeLine, std::string* reason) {
  return WriteOutputFile(MakeOutputFile(basePath, kind, molecule, routeLine), reason);
}

std::string WriteFailureText(std::string_view fileName, std::string_view reason) {
  return "The file '" + std::string(fileName) + "' cannot be written: " + std::string(reason);
}

}  // namespace wt
