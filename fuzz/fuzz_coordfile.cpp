// Any bytes as a coordinate file: the steps counted, every step read from
// the top and through the marker index (the two must agree), every kind
// built for every step and written to c:\zorb\ (or refused, when a
// coordinate is wider than its field), and the converter's start routine and
// All Steps on the file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "converter/kryst.h"
#include "converter/libreria.h"
#include "converter/main1.h"
#include "converter/readcor1.h"
#include "converter/tests/reference_coordinate.h"
#include "fuzz/fuzzcheck.h"
#include "platform/recorder.h"

namespace {

using wt::Molecule;
using wt::ReadStatus;
using wt::testing::ReferenceCoordinate;

bool SameMolecule(const Molecule& a, const Molecule& b) {
  if (a.AtomCount() != b.AtomCount() || a.GetCharge() != b.GetCharge()) return false;
  for (int k = 1; k <= a.AtomCount(); ++k) {
    const wt::Atom x = a.GetAtom(k), y = b.GetAtom(k);
    // Bit for bit: the reader never stores NaN.
    if (x.symbol != y.symbol || x.tag != y.tag || x.x != y.x || x.y != y.y || x.z != y.z) {
      return false;
    }
  }
  return true;
}

// The first coordinate whose text by the plain pattern is wider than the
// fields of `kind`, said as the writers say it; empty when every one fits.
std::string WideReason(const Molecule& molecule, std::int16_t kind) {
  const std::size_t width = wt::WriterKind(kind) == wt::kKrystMolecule ? 12 : 10;
  for (int k = 1; k <= molecule.AtomCount(); ++k) {
    const wt::Atom atom = molecule.GetAtom(k);
    for (auto [axis, value] : {std::pair{'x', atom.x}, {'y', atom.y}, {'z', atom.z}}) {
      const std::string text = ReferenceCoordinate(value);
      if (text.size() > width) {
        return "atom " + std::to_string(k) + " has " + axis + " = " + text + ", wider than its " +
               std::to_string(width) + "-character field";
      }
    }
  }
  return {};
}

// Every kind's text for a loaded step: whole lines, as many as the layout of
// the kind gives for its atoms, the XYZ file's atom lines by the plain
// pattern (the symbol, two blanks, each coordinate in a field of 10). When
// `write`, each kind written to c:\zorb\ holds exactly that text; a molecule
// with a coordinate wider than its field is refused and the file before it
// stays as it was.
void CheckKinds(const Molecule& molecule, bool write) {
  const wt::RouteLine route;
  std::string atomLines;
  for (int k = 1; k <= molecule.AtomCount(); ++k) {
    const wt::Atom atom = molecule.GetAtom(k);
    atomLines += std::string(atom.Symbol()) + "  ";
    for (float value : {atom.x, atom.y, atom.z}) {
      atomLines += wt::PadLeft(ReferenceCoordinate(value), 10);
    }
    atomLines += "\r\n";
  }
  for (std::int16_t kind = 1; kind <= 4; ++kind) {
    const std::string name = wt::TargetFileName(wt::kSingleStepBasePath, kind);
    wt::ElementTable table;
    const std::string text =
        kind == wt::kXyzFile        ? wt::XyzFileText(name, molecule)
        : kind == wt::kGauss94Input ? wt::Gauss94InputText(name, molecule, route.GetRouteLine())
        : kind == wt::kTarvoInput   ? wt::TarvoInputText(name, molecule)
                                    : wt::KrystMoleculeText(name, molecule, table);
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
      ++lines;
    }
    const std::size_t layoutLines[] = {0, 8, 2, 7, 4};
    FUZZ_CHECK(lines == static_cast<std::size_t>(molecule.AtomCount()) + layoutLines[kind]);
    FUZZ_CHECK(kind != wt::kXyzFile || text.ends_with(atomLines));
    if (!write) continue;
    const std::string file = name.substr(std::string_view("C:\\zorb\\").size());
    const wt::fuzz::Scratch& scratch = wt::fuzz::Scratch::Get();
    scratch.Write(file, "before\r\n");
    std::string reason;
    const bool written =
        wt::ExportMolecule(wt::kSingleStepBasePath, kind, molecule, route, &reason);
    const std::string wide = WideReason(molecule, kind);
    FUZZ_CHECK(written == wide.empty() && (written || reason == wide));
    FUZZ_CHECK(scratch.Read(file) == (written ? text : "before\r\n"));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = wt::fuzz::Scratch::Get().Write("run.cor", bytes);
  const wt::StepCount count = wt::CountSteps(path);
  std::optional<wt::MarkerIndex> index = wt::MarkerIndex::Build(path);
  FUZZ_CHECK(index);
  if (count.status == ReadStatus::TooManySteps) {
    FUZZ_CHECK(index->MarkerCount() > 32767);
    return 0;
  }
  FUZZ_CHECK(count.status == ReadStatus::Loaded);
  FUZZ_CHECK(index->MarkerCount() == static_cast<std::size_t>(count.stepCount));

  // Every step, from the top and through the index, and one step on either
  // side of the range, into the molecules of the step before: loaded whole
  // or not at all.
  std::vector<ReadStatus> statuses;  // of steps 1 to stepCount
  std::vector<Molecule> steps;
  Molecule fromTop, indexed;
  bool written = false;
  for (int k = 0; k <= count.stepCount + 1; ++k) {
    fromTop.SetCharge(-1);
    indexed.SetCharge(-1);
    const ReadStatus status = wt::ReadStep(path, k, fromTop);
    FUZZ_CHECK(index->ReadStep(k, indexed) == status && SameMolecule(fromTop, indexed));
    FUZZ_CHECK((status == ReadStatus::StepNotFound) == (k < 1 || k > count.stepCount));
    FUZZ_CHECK(status != ReadStatus::Unreadable && status != ReadStatus::TooManySteps);
    if (status == ReadStatus::Loaded) {
      FUZZ_CHECK(fromTop.GetCharge() == 0.0);
      CheckKinds(fromTop, !written);
      written = true;
    } else {
      FUZZ_CHECK(fromTop.AtomCount() == 0 && fromTop.GetCharge() == -1.0);
    }
    if (k >= 1 && k <= count.stepCount) {
      statuses.push_back(status);
      steps.push_back(fromTop);
    }
  }

  // The file again after a first line that ends where the line reader's
  // buffer of 64 KiB ends, less 16 bytes for each unit of the file's first
  // byte, so that the file's own lines cross that boundary wherever they
  // may: counted and read through the index, it gives what it gave alone.
  std::string padded(std::size_t{1} << 16, '#');
  padded.back() = '\n';
  padded.erase(0, size == 0 ? 0 : data[0] * 16u);
  const std::string paddedPath = wt::fuzz::Scratch::Get().Write("padded.cor", padded += bytes);
  const wt::StepCount again = wt::CountSteps(paddedPath);
  FUZZ_CHECK(again.status == count.status && again.stepCount == count.stepCount);
  std::optional<wt::MarkerIndex> paddedIndex = wt::MarkerIndex::Build(paddedPath);
  for (std::size_t k = 1; k <= statuses.size(); ++k) {
    fromTop.SetCharge(-1);
    FUZZ_CHECK(paddedIndex->ReadStep(static_cast<int>(k), fromTop) == statuses[k - 1]);
    FUZZ_CHECK(SameMolecule(fromTop, steps[k - 1]));
  }

  // The start routine on the file, and All Steps when the file has a few
  // steps: the confirmation of the kind, or the message of the first step
  // that cannot be loaded or whose coordinates do not fit the fields of the
  // kind, and nothing else.
  wt::Recorder desktop;
  wt::Converter converter(desktop);
  const std::int16_t kind = static_cast<std::int16_t>(1 + size % 4);
  const std::optional<int> status = converter.StartRoutine(path + "  " + std::to_string(kind));
  int ended = status.value_or(-1);
  if (!status && count.stepCount >= 2 && count.stepCount <= 8) ended = converter.AllSteps();
  if (ended < 0) {
    FUZZ_CHECK(desktop.events.empty());
    return 0;
  }
  std::size_t bad = 0;
  while (bad < statuses.size() && statuses[bad] == ReadStatus::Loaded &&
         WideReason(steps[bad], kind).empty()) {
    ++bad;
  }
  const std::vector<wt::Message> messages = desktop.Messages();
  FUZZ_CHECK(messages.size() == 1);
  FUZZ_CHECK(ended == (bad == statuses.size() ? 0 : 1));
  if (bad == statuses.size()) {
    FUZZ_CHECK(messages[0].title == "Info" && messages[0].text == wt::CreatedText(kind));
    return 0;
  }
  const int step = static_cast<int>(bad) + 1;
  const std::string base =
      count.stepCount == 1 ? std::string(wt::kSingleStepBasePath) : wt::NumberedBasePath(step);
  const std::string expected =
      statuses[bad] != ReadStatus::Loaded
          ? wt::ReadFailureText(statuses[bad], path, step, "")
          : wt::WriteFailureText(wt::TargetFileName(base, kind), WideReason(steps[bad], kind));
  FUZZ_CHECK(messages[0].title == "Warning" && messages[0].text.starts_with(expected));
  return 0;
}
