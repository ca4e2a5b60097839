// READCOR1: reading the coordinate files that the computation leaves behind.
//
// A coordinate file holds steps. Any line whose first character is "$" is a
// step marker; marker k opens step k, and the lines right after it are the
// step's block: the atom count n in columns 1 to 6, one line that is not
// read, then n atom lines:
//
//   columns  1-15 x, 16-30 y, 31-45 z     numeric values
//   columns 48-49 element symbol          the two characters as they stand
//   columns 73-75 tag                     numeric value, a whole number
//
// A field past the end of a short line takes the characters that are there
// (a numeric field with none reads 0). Numbers follow NumericValue. Lines may
// end with CR LF, LF or CR.
//
// While looking for marker k every line counts, the lines inside earlier
// blocks included, so marker k is simply the k-th line of the file that
// begins with "$"; a "$" line inside a block also opens a step of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/linereader.h"
#include "converter/atomi.h"

namespace wt {

// The outcome of a reader operation. Loaded and StepNotFound are the
// statuses 0 and 2 that callers know; the others report a file that cannot
// be taken as it stands, and no step is ever loaded from such a file in part.
enum class ReadStatus : std::int16_t {
  Loaded = 0,              // the step is in the molecule (for CountSteps: counted)
  StepNotFound = 2,        // the file ended before marker k, or k is below 1
  CutShort = 3,            // the file ends inside the step's block
  CountTooLarge = 4,       // the atom count lies outside -32768..32767
  TagTooLarge = 5,         // an atom's tag lies outside -32768..32767
  CoordinateTooLarge = 6,  // a coordinate beyond the range of a 32-bit float
  Unreadable = 7,          // the file cannot be opened or read, or holds a line
                           // longer than LineReader::kMaxLineLength
  TooManySteps = 8,        // more than 32767 markers
};

// One state of a file: its size and the time of its last change.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the file system's own ticks
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Where each step's block begins in a file (the byte after its marker
// line), with the stamp of the state of the file they were found in; no
// stamp when the file changed while it was read.
struct MarkerPlaces {
  std::optional<FileStamp> stamp;
  std::vector<std::uint64_t> blockStarts;
};

struct StepCount {
  ReadStatus status = ReadStatus::Loaded;  // Loaded, Unreadable or TooManySteps
  std::int16_t stepCount = 0;              // the number of markers when Loaded
  std::string reason;                      // Unreadable: why (LineReader's words)
  MarkerPlaces places;                     // when Loaded
};

// Counts the marker lines of the file at the system path `path`, noting
// where each step begins. More than 32767 markers cannot be a 16-bit step
// count: that is TooManySteps, with stepCount 0.
StepCount CountSteps(std::string_view path);

// Loads step k of the file at `path` into `molecule`, reading from the first
// line. ResetMolecule comes first; when Loaded the molecule holds the step's
// n atoms in file order (none when n is below 1) and the charge is 0. On any
// other status the molecule is empty and the charge keeps its value.
// `reason` (Unreadable) says why: the OS's words, or that a line is too long.
ReadStatus ReadStep(std::string_view path, int k, Molecule& molecule,
                    std::string* reason = nullptr);

// As ReadStep(path, k, ...), going straight to step k when the file still
// has the stamp under which `known` was found.
ReadStatus ReadStep(std::string_view path, int k, const MarkerPlaces& known, Molecule& molecule,
                    std::string* reason = nullptr);

// A coordinate file held open with the place of every marker, so that many
// steps are read in one pass over the file instead of one pass each. Its
// ReadStep gives exactly what ReadStep(path, k) gives for the file as it was
// indexed.
class MarkerIndex {
 public:
  // Opens the file and records where each step's block begins. Nothing when
  // the file cannot be opened or read; `reason` says why.
  static std::optional<MarkerIndex> Build(std::string_view path, std::string* reason = nullptr);

  // As Build, taking the places from `known` when the file still has the
  // stamp under which they were found.
  static std::optional<MarkerIndex> Open(std::string_view path, const MarkerPlaces& known,
                                         std::string* reason = nullptr);

  std::size_t MarkerCount() const { return blockStarts_.size(); }

  // As ReadStep(path, k); cheapest when the steps are read in ascending order.
  ReadStatus ReadStep(int k, Molecule& molecule, std::string* reason = nullptr);

 private:
  explicit MarkerIndex(LineReader reader) : reader_(std::move(reader)) {}
  static std::optional<MarkerIndex> BuildFrom(LineReader reader, std::string* reason);

  LineReader reader_;
  std::vector<std::uint64_t> blockStarts_;  // byte offset of the line after each marker
};

// The numeric value of a fixed-column field: NumericValue, with a fast path
// for the plain decimals that fill coordinate files.
double FieldValue(std::string_view field);

// The message for a reader status other than Loaded, naming the file and, for
// the statuses of one step, the step.
std::string ReadFailureText(ReadStatus status, std::string_view path, int step,
                            std::string_view reason);

}  // namespace wt
