#include "frontend/standin/standin.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "common/linereader.h"
#include "common/numeric.h"
#include "platform/atomicfile.h"

namespace wt::standin {
namespace {

constexpr std::array<std::string_view, 103> kElements = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",
    "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh",
    "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
    "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr"};

std::string_view Columns(std::string_view line, std::size_t first, std::size_t count) {
  if (line.size() < first) return {};
  return line.substr(first - 1, count);
}

// x, y or z in a field of 15 with 8 decimals, as the computation writes them.
std::string CoordinateField(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%15.8f", value);
  return text;
}

bool FitsCoordinateField(double value) {
  return std::isfinite(value) && CoordinateField(value).size() == 15;
}

std::string Field(long long value, int width) {
  char text[32];
  std::snprintf(text, sizeof text, "%*lld", width, value);
  return text;
}

}  // namespace

std::optional<TarvoInput> ReadTarvoInput(std::string_view path, std::string* error) {
  std::string reason;
  std::optional<LineReader> reader = LineReader::Open(path, &reason);
  if (!reader) {
    *error = "cannot read the input file '" + std::string(path) + "': " + reason;
    return std::nullopt;
  }
  TarvoInput input;
  std::string_view line;
  for (std::size_t number = 1; reader->Next(&line); ++number) {
    if (line.substr(0, 3) == "End") break;
    if (line.substr(0, 4) == "Titl") {
      std::size_t start = line.find_first_not_of(' ', 4);
      input.title = start == std::string_view::npos ? "" : std::string(line.substr(start));
    } else if (line.substr(0, 5) == "ATOM ") {
      if (input.atoms.size() == kMaxAtoms) {
        *error = "the input file '" + std::string(path) + "' holds more than " +
                 std::to_string(kMaxAtoms) + " atoms";
        return std::nullopt;
      }
      InputAtom atom;
      atom.symbol = std::string(Columns(line, 6, 2));
      atom.symbol.resize(2, ' ');
      atom.x = NumericValue(Columns(line, 10, 10));
      atom.y = NumericValue(Columns(line, 20, 10));
      atom.z = NumericValue(Columns(line, 30, 10));
      if (!FitsCoordinateField(atom.x) || !FitsCoordinateField(atom.y) ||
          !FitsCoordinateField(atom.z)) {
        *error = "the input file '" + std::string(path) + "', line " + std::to_string(number) +
                 ": a coordinate does not fit the coordinate file";
        return std::nullopt;
      }
      input.atoms.push_back(atom);
    }
  }
  if (reader->Failed()) {
    *error = "cannot read the input file '" + std::string(path) + "' to its end";
    return std::nullopt;
  }
  return input;
}

int AtomicNumber(std::string_view symbol) {
  std::string key(symbol.substr(0, 2));
  if (!key.empty() && key[0] == ' ') key.erase(0, 1);
  while (!key.empty() && key.back() == ' ') key.pop_back();
  if (key.empty()) return 0;
  key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
  if (key.size() > 1) key[1] = static_cast<char>(std::tolower(static_cast<unsigned char>(key[1])));
  for (std::size_t i = 0; i < kElements.size(); ++i) {
    if (kElements[i] == key) return static_cast<int>(i + 1);
  }
  return 0;
}

std::string CoordinateFileText(const TarvoInput& input, std::string_view inputName) {
  std::string text =
      " WinTarvo stand-in coordinate file, nothing computed: " + input.title + "\r\n";
  text += "$ step 1\r\n";
  text += Field(static_cast<long long>(input.atoms.size()), 6) + "\r\n";
  text += " coordinates copied from " + std::string(inputName) + "\r\n";
  long long serial = 0;
  for (const InputAtom& atom : input.atoms) {
    text += CoordinateField(atom.x) + CoordinateField(atom.y) + CoordinateField(atom.z);
    text += "  " + atom.symbol;                   // columns 46-49
    text += Field(++serial, 7);                   // columns 50-56
    text += std::string(16, ' ');                 // columns 57-72
    text += Field(AtomicNumber(atom.symbol), 3);  // columns 73-75
    text += "\r\n";
  }
  return text;
}

std::string ReportText(const TarvoInput& input, std::string_view commandLine,
                       std::string_view inputName, std::string_view coordinateName) {
  std::string text =
      "WinTarvo demonstration stand-in: this is NOT the real computation.\r\n"
      "Nothing was computed; the atoms of the input file are copied unchanged\r\n"
      "into a coordinate file of one step.\r\n"
      "\r\n";
  text += "Started as:      " + std::string(commandLine) + "\r\n";
  text += "Input file:      " + std::string(inputName) + "\r\n";
  text += "Title:           " + input.title + "\r\n";
  text += "Atoms:           " + std::to_string(input.atoms.size()) + "\r\n";
  text += "Coordinate file: " + std::string(coordinateName) + "\r\n";
  text += "\r\n";
  long long serial = 0;
  for (const InputAtom& atom : input.atoms) {
    text += Field(++serial, 6) + "  " + atom.symbol + CoordinateField(atom.x) +
            CoordinateField(atom.y) + CoordinateField(atom.z) + "\r\n";
  }
  return text;
}

int RunStandin(std::string_view program, const std::vector<std::string>& words, std::ostream& out,
               std::ostream& err) {
  const std::string me = std::string(program) + " (WinTarvo stand-in)";
  if (words.empty()) {
    err << me << ": no dataset name; usage: " << program
        << " NAME [MODE], in the dataset's folder\n";
    return 1;
  }
  const std::string& name = words[0];
  std::string commandLine(program);
  for (const std::string& word : words) commandLine += " " + word;
  const std::string inputName = name + ".in";
  const std::string coordinateName = name + ".cor";
  const std::string reportName = name + ".out";

  std::string error;
  std::optional<TarvoInput> input = ReadTarvoInput(inputName, &error);
  if (!input) {
    err << me << ": " << error << '\n';
    return 1;
  }
  std::string reason;
  for (const auto& [file, text] :
       {std::pair{coordinateName, CoordinateFileText(*input, inputName)},
        std::pair{reportName, ReportText(*input, commandLine, inputName, coordinateName)}}) {
    if (!WriteFileAtomically(file, text, &reason)) {
      err << me << ": cannot write '" << file << "': " << reason << '\n';
      return 1;
    }
  }
  out << me << ": wrote " << coordinateName << " and " << reportName << " (nothing computed)\n";
  return 0;
}

}  // namespace wt::standin
