#include "converter/kryst.h"

#include "converter/libreria.h"

namespace wt {

std::string KrystMoleculeText(std::string_view fileName, const Molecule& molecule,
                              ElementTable& elementTable) {
  const int n = molecule.AtomCount();
  std::string out;
  out.reserve(128 + fileName.size() + static_cast<std::size_t>(n) * 44);
  AppendLine(out, "TITLE");
  AppendLine(out, fileName);
  AppendLine(out, "CELL");
  AppendLine(out, " 1  1  1  90  90  90");
  AppendLine(out, "COORD");
  elementTable.FillElementTable();
  for (int k = 1; k <= n; ++k) {
    const Atom atom = molecule.GetAtom(k);
    out += AtomicNumberField(elementTable.AtomicNumber(atom.Symbol()));
    AppendCoordinateField(out, atom.x, 12);
    AppendCoordinateField(out, atom.y, 12);
    AppendCoordinateField(out, atom.z, 12);
    out += kCrLf;
  }
  AppendLine(out, "1   0   0   0");
  AppendLine(out, "GROUP");
  AppendLine(out, "P1");
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
