// KRYST: the Kryst molecule file, the route line of the Gauss 94 input and the
// confirmation that a conversion made its file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "converter/atomi.h"
#include "platform/desktop.h"

namespace wt {

inline constexpr std::string_view kDefaultRouteLine = "# HF/STO-3G";

// The route line typed in the input-line window; empty until set.
class RouteLine {
 public:
  // Stores the text exactly as given; an empty text brings the default back.
  void SetRouteLine(std::string text) { routeLine_ = std::move(text); }

  // The stored route line, or "# HF/STO-3G" while it is empty.
  std::string GetRouteLine() const {
    return routeLine_.empty() ? std::string(kDefaultRouteLine) : routeLine_;
  }

 private:
  std::string routeLine_;
};

// The Kryst molecule file (kind 1) named `fileName`, with CR LF line ends:
// "TITLE", the file name, "CELL", " 1  1  1  90  90  90", "COORD", one line
// per atom (the atomic-number field of width 6, then x, y and z as
// coordinate fields of width 12), "1   0   0   0", "GROUP", "P1". Fills
// `elementTable` before the first lookup.
std::string KrystMoleculeText(std::string_view fileName, const Molecule& molecule,
                              ElementTable& elementTable);

// The confirmation of a kind, naming the single-step file of the kind ("The
// file 'C:\zorb\tarvo.mol' is created"); a kind outside 1 to 4 counts as 1.
std::string CreatedText(std::int16_t kind);

// Shows CreatedText(kind) with the title "Info" and the information icon, and
// returns when it is closed.
void ReportCreated(std::int16_t kind, Desktop& desktop);

}  // namespace wt
