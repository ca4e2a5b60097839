// LIBRERIA: choosing the writer of an output kind, the number fields that all
// writers share, and the XYZ, Gauss 94 and tarvo input writers.
//
// Every file is built whole in memory, its lines ended by CR LF, and written
// with WriteFileAtomically. The decimal separator is always a point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "converter/atomi.h"
#include "converter/kryst.h"

namespace wt {

// The line end of every file written, and a line appended with it.
inline constexpr std::string_view kCrLf = "\r\n";
void AppendLine(std::string& out, std::string_view text);

// The values of OutputKind.
inline constexpr std::int16_t kKrystMolecule = 1;
inline constexpr std::int16_t kXyzFile = 2;
inline constexpr std::int16_t kGauss94Input = 3;
inline constexpr std::int16_t kTarvoInput = 4;

// The kind that is written for `kind`: 1 to 4 as they are, any other as 1.
std::int16_t WriterKind(std::int16_t kind);

// ".mol", ".xyz", ".com" or ".in".
std::string_view KindExtension(std::int16_t kind);

// The base path of a single conversion, and of step `step` in All Steps
// ("C:\zorb\tarvo007"; at least three digits, step 1000 gives four).
inline constexpr std::string_view kSingleStepBasePath = "C:\\zorb\\tarvo";
std::string NumberedBasePath(int step);

// basePath + KindExtension(kind).
std::string TargetFileName(std::string_view basePath, std::int16_t kind);

// `text` right-aligned in n characters: n blanks are put in front and the
// last n characters kept, so a longer text loses its leftmost characters
// (a minus sign included); then every comma among them becomes a point.
// MakeOutputFile never lets a coordinate come here that is wider than its
// field (FindWideCoordinate).
std::string PadLeft(std::string_view text, std::size_t n);

// The 32-bit coordinate in the pattern "####.00000": exactly five decimals,
// no leading zero before the point, a minus sign for a value below 0, no
// limit on the integer digits (1.5 gives 1.50000, -0.25 gives -.25000, 0
// gives .00000). The float is widened to double exactly and rounded to five
// decimals with exact halves away from zero, so the digits are those of the
// float's own value (0.1 as a float is 0.100000001490116..., giving .10000).
// Infinities and NaN, which the reader never stores, give "inf", "-inf" and
// "nan".
std::string FormatCoordinate(float value);

// PadLeft(FormatCoordinate(value), width), appended.
void AppendCoordinateField(std::string& out, float value, std::size_t width);

// The width of the coordinate fields of `kind`: 12 in the Kryst molecule
// file (any kind outside 1 to 4), 10 in the other three.
std::size_t CoordinateWidth(std::int16_t kind);

// True when FormatCoordinate(value) has at most `width` characters: a value
// that rounds to 10000 or more, or to -1000 or less, does not fit 10.
bool FitsField(float value, std::size_t width);

// A coordinate of the molecule that does not fit its field.
struct WideCoordinate {
  int atom = 0;      // its slot, from 1
  char axis = 'x';   // 'x', 'y' or 'z'
  std::string text;  // FormatCoordinate of the value, whole
  std::size_t width = 0;
};

// The first coordinate, in slot order and x, y, z within an atom, that does
// not fit a field of `width`; nothing when every one fits.
std::optional<WideCoordinate> FindWideCoordinate(const Molecule& molecule, std::size_t width);

// "atom 1 has x = -1234.50000, wider than its 10-character field"
std::string WideCoordinateText(const WideCoordinate& wide);

// The atomic-number field: the digits of `number` in the pattern "######"
// (nothing for 0), then PadLeft to 6.
std::string AtomicNumberField(int number);

// A number item: the shortest decimal form of `value` (no zero before the
// point), a blank in front when it is not negative or a minus sign when it
// is, and a blank after it; 0 gives " 0 ". An empty value gives nothing.
std::string NumberItem(std::optional<double> value);

// The texts of the kinds. A coordinate wider than its field would keep only
// its rightmost characters here (PadLeft); MakeOutputFile refuses such a
// molecule before it builds any text.
//
// The XYZ file (kind 2): the file name, the atom count as a number item, the
// common atom line of each atom.
std::string XyzFileText(std::string_view fileName, const Molecule& molecule);

// The Gauss 94 input (kind 3): the route line, an empty line, the file name,
// an empty line, the charge as a number item followed by "  1", the common
// atom lines, two empty lines.
std::string Gauss94InputText(std::string_view fileName, const Molecule& molecule,
                             std::string_view routeLine);

// The tarvo input (kind 4): "Titl  " and the file name, "Par " and the
// charge as a number item, "Cell ", "ATOM " and the common atom line of each
// atom, "End ".
std::string TarvoInputText(std::string_view fileName, const Molecule& molecule);

// The file of `kind` (any value outside 1 to 4 as 1) for a molecule, made
// in memory and not yet written.
struct OutputFile {
  std::string name;     // TargetFileName(basePath, kind)
  std::string text;     // the whole file; empty when refused
  std::string refusal;  // WideCoordinateText when a coordinate does not fit its
                        // field, else empty
};

// The name and text of the molecule's file of `kind`, or its refusal: the
// first coordinate that does not fit its field is reported and no text is
// made.
OutputFile MakeOutputFile(std::string_view basePath, std::int16_t kind, const Molecule& molecule,
                          const RouteLine& routeLine);

// Writes `file` whole with WriteFileAtomically, or, when it is refused, not
// at all. False when it cannot be written; `reason` says why: in the OS's
// words, or its refusal.
bool WriteOutputFile(const OutputFile& file, std::string* reason = nullptr);

// Writes the molecule as the file of `kind` (any value outside 1 to 4 as 1)
// named TargetFileName(basePath, kind), creating or replacing it whole:
// MakeOutputFile, then WriteOutputFile. False when it cannot be written;
// the target is then as it was and `reason` says why: in the OS's words, or
// the refusal when a coordinate does not fit its field, in which case the
// target is not even opened. A file is thus written with every coordinate
// whole, or not at all.
bool ExportMolecule(std::string_view basePath, std::int16_t kind, const Molecule& molecule,
                    const RouteLine& routeLine, std::string* reason = nullptr);

// The message for a file that cannot be written.
std::string WriteFailureText(std::string_view fileName, std::string_view reason);

}  // namespace wt
