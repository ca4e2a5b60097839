#include "converter/kryst.h"

#include "converter/libreria.h"

namespace wt {

std::string KrystMoleculeText(std::string_view fileName, const Molecule& molecule,
                              ElementTable& elementTable) {
  const int n = molecule.AtomCount();
  std::string out;
  out.reserve(128 + fileName.size() + static_cast<std::size_t>(n) * 44);
  out += "TITLE\r\n";
  out += fileName;
  out += "\r\n";
  out += "CELL\r\n";
  out += " 1  1  1  90  90  90\r\n";
  out += "COORD\r\n";
  elementTable.FillElementTable();
  for (int k = 1; k <= n; ++k) {
    const Atom atom = molecule.GetAtom(k);
    out += AtomicNumberField(elementTable.AtomicNumber(atom.Symbol()));
    AppendCoordinateField(out, atom.x, 12);
    AppendCoordinateField(out, atom.y, 12);
    AppendCoordinateField(out, atom.z, 12);
    out += "\r\n";
  }
  out += "1   0   0   0\r\n";
  out += "GROUP\r\n";
  out += "P1\r\n";
  return out;
}

std::string CreatedText(std::int16_t kind) {
  // Kind 3 names the file that is really written, tarvo.com.
  return "The file '" + TargetFileName(kSingleStepBasePath, kind) + "' is created";
}

void ReportCreated(std::int16_t kind, Desktop& desktop) {
  desktop.ShowMessage({CreatedText(kind), "Info", MessageIcon::Information, MessageButtons::Ok});
}

}  // namespace wt
