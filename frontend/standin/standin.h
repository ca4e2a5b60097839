// A demonstration stand-in for the outside computation, installed as
// c:\zorb\wtarvo.bat and c:\zorb\tarvo.exe so that the whole road (browse,
// calculate, export) can be walked without the real program. It computes
// nothing: it copies the atoms of the dataset's input file into a coordinate
// file of one step and writes a short report that says it is a stand-in.
//
// Started in the dataset folder as `wtarvo.bat NAME MODE` or `tarvo.exe NAME`,
// it reads NAME.in and writes NAME.cor and NAME.out beside it.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace wt::standin {

struct InputAtom {
  std::string symbol;  // 2 characters, as they stand in the input
  double x = 0;
  double y = 0;
  double z = 0;
};

// The tarvo input as xkryst writes it (kind 4):
//   Titl  <title>
//   Par  0
//   Cell
//   ATOM SS  xxxxxxxxxxyyyyyyyyyyzzzzzzzzzz   (symbol in columns 6-7, fields of 10)
//   End
// Lines before "End" that are neither "Titl" nor "ATOM" lines are passed over.
struct TarvoInput {
  std::string title;
  std::vector<InputAtom> atoms;
};

// The most atoms a coordinate file may hold: its count must fit 16 bits.
inline constexpr std::size_t kMaxAtoms = 32767;

// Reads the input file at the system path `path`. Nothing, with `error`
// naming the file, when it cannot be read, holds more than kMaxAtoms atoms or
// a coordinate that does not fit the coordinate file's field.
std::optional<TarvoInput> ReadTarvoInput(std::string_view path, std::string* error);

// The atomic number of a symbol as it stands (" C", "C ", "cl"), 0 when it
// names no element.
int AtomicNumber(std::string_view symbol);

// The coordinate file: a first line, the step marker "$ step 1", the atom
// count in columns 1-6, a line the readers skip, then one line per atom:
// x 1-15, y 16-30, z 31-45, symbol 48-49, serial number 50-56, atomic number
// 73-75. Lines end with CR LF.
std::string CoordinateFileText(const TarvoInput& input, std::string_view inputName);

// The report, NAME.out, headed as the stand-in's.
std::string ReportText(const TarvoInput& input, std::string_view commandLine,
                       std::string_view inputName, std::string_view coordinateName);

// The whole run: `program` is the name it was started under, `words` its
// arguments (NAME, and MODE for the batch file). Returns the exit status: 0
// when both files were written, 1 after a message on `err`.
int RunStandin(std::string_view program, const std::vector<std::string>& words, std::ostream& out,
               std::ostream& err);

}  // namespace wt::standin
