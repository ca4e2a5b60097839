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

std::size_t LineCount(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
    ++lines;
  return lines;
}

bool SameMolecule(const Molecule& a, const Molecule& b) {
  if (a.AtomCount() != b.AtomCount() || a.GetCharge() != b.GetCharge()) return false;
  for (int k = 1; k <= a.AtomCount(); ++k) {
    const wt::Atom x = a.GetAtom(k), y = b.GetAtom(k);
    if (x.symbol != y.symbol || x.tag != y.tag) return false;
    // Bit for bit: the reader never stores NaN.
    if (!(x.x == y.x && x.y == y.y && x.z == y.z)) return false;
  }
  return true;
}

// The atom lines of the XYZ file by the plain pattern: the symbol, two
// blanks and each coordinate's text in a field of 10, blanks in front.
std::string ReferenceAtomLines(const Molecule& molecule) {
  std::string lines;
  for (int k = 1; k <= molecule.AtomCount(); ++k) {
    const wt::Atom atom = molecule.GetAtom(k);
    lines += std::string(atom.Symbol()) + "  ";
    for (float value : {atom.x, atom.y, atom.z})
      lines += wt::PadLeft(ReferenceCoordinate(value), 10);
    lines += "\r\n";
  }
  return lines;
}

// The text of every kind for one loaded step: whole lines, as many as the
// layout of the kind gives for its atoms; the XYZ file's coordinates as the
// plain pattern gives them.
void CheckTexts(const Molecule& molecule) {
  const std::size_t n = static_cast<std::size_t>(molecule.AtomCount());
  wt::ElementTable table;
  const std::string kryst = wt::KrystMoleculeText("C:\\zorb\\tarvo.mol", molecule, table);
  const std::string xyz = wt::XyzFileText("C:\\zorb\\tarvo.xyz", molecule);
  const std::string gauss = wt::Gauss94InputText("C:\\zorb\\tarvo.com", molecule, "# HF/STO-3G");
  const std::string tarvo = wt::TarvoInputText("C:\\zorb\\tarvo.in", molecule);
  FUZZ_CHECK(LineCount(kryst) == n + 8);
  FUZZ_CHECK(LineCount(xyz) == n + 2);
  FUZZ_CHECK(LineCount(gauss) == n + 7);
  FUZZ_CHECK(LineCount(tarvo) == n + 4);
  FUZZ_CHECK(xyz.ends_with(ReferenceAtomLines(molecule)));
  for (const std::string* text : {&kryst, &xyz, &gauss, &tarvo}) {
    FUZZ_CHECK(text->size() >= 2 && text->compare(text->size() - 2, 2, "\r\n") == 0);
  }
}

// The first coordinate of the molecule whose text is wider than the fields
// of `kind`, said as the writers say it; empty when every one fits. Worked
// out from the whole text of each coordinate.
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

// Each kind written to c:\zorb\ holds exactly the text built in memory, with
// every coordinate whole; a molecule with a coordinate wider than its field
// is refused and the file before it stays as it was.
void CheckWritten(const Molecule& molecule) {
  const wt::fuzz::Scratch& scratch = wt::fuzz::Scratch::Get();
  const wt::RouteLine route;
  for (std::int16_t kind = 1; kind <= 4; ++kind) {
    const std::string name = wt::TargetFileName(wt::kSingleStepBasePath, kind);
    const std::string file = name.substr(std::string_view("C:\\zorb\\").size());
    scratch.Write(file, "before\r\n");
    std::string reason;
    const bool written =
        wt::ExportMolecule(wt::kSingleStepBasePath, kind, molecule, route, &reason);
    const std::string wide = WideReason(molecule, kind);
    if (!wide.empty()) {
      FUZZ_CHECK(!written && reason == wide);
      FUZZ_CHECK(scratch.Read(file) == "before\r\n");
      continue;
    }
    FUZZ_CHECK(written);
    std::string expected;
    switch (kind) {
      case wt::kXyzFile:
        expected = wt::XyzFileText(name, molecule);
        break;
      case wt::kGauss94Input:
        expected = wt::Gauss94InputText(name, molecule, route.GetRouteLine());
        break;
      case wt::kTarvoInput:
        expected = wt::TarvoInputText(name, molecule);
        break;
      default: {
        wt::ElementTable table;
        expected = wt::KrystMoleculeText(name, molecule, table);
      }
    }
    FUZZ_CHECK(scratch.Read(file) == expected);
  }
}

// The file again after a first line that ends where the line reader's
// buffer of 64 KiB ends, less 16 bytes for each unit of the file's first
// byte: the file's own lines then cross that boundary wherever they may.
// Counted and read through the index, it gives what the file gave alone.
void CheckAcrossTheBuffer(std::string_view file, const wt::StepCount& count,
                          const std::vector<ReadStatus>& statuses,
                          const std::vector<Molecule>& steps) {
  const std::size_t shift = file.empty() ? 0 : static_cast<unsigned char>(file[0]) * 16;
  std::string padded(std::size_t{1} << 16, '#');
  padded.back() = '\n';
  padded.erase(0, shift);
  padded += file;
  const std::string path = wt::fuzz::Scratch::Get().Write("padded.cor", padded);
  const wt::StepCount again = wt::CountSteps(path);
  FUZZ_CHECK(again.status == count.status && again.stepCount == count.stepCount);
  std::optional<wt::MarkerIndex> index = wt::MarkerIndex::Build(path);
  FUZZ_CHECK(index);
  Molecule molecule;
  for (std::size_t k = 1; k <= statuses.size(); ++k) {
    molecule.SetCharge(-1);
    FUZZ_CHECK(index->ReadStep(static_cast<int>(k), molecule) == statuses[k - 1]);
    FUZZ_CHECK(SameMolecule(molecule, steps[k - 1]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  wt::fuzz::Scratch& scratch = wt::fuzz::Scratch::Get();
  const std::string path =
      scratch.Write("run.cor", std::string_view(reinterpret_cast<const char*>(data), size));

  const wt::StepCount count = wt::CountSteps(path);
  FUZZ_CHECK(count.status == ReadStatus::Loaded || count.status == ReadStatus::TooManySteps);
  std::string reason;
  std::optional<wt::MarkerIndex> index = wt::MarkerIndex::Build(path, &reason);
  FUZZ_CHECK(index);
  if (count.status == ReadStatus::TooManySteps) {
    FUZZ_CHECK(index->MarkerCount() > 32767);
    return 0;
  }
  FUZZ_CHECK(index->MarkerCount() == static_cast<std::size_t>(count.stepCount));

  // Every step, from the top and through the index, and one step on either
  // side of the range.
  Molecule fromTop, indexed;
  bool written = false;
  std::vector<ReadStatus> statuses;  // of steps 1 to stepCount
  std::vector<Molecule> steps;
  for (int k = 0; k <= count.stepCount + 1; ++k) {
    fromTop.SetCharge(-1);
    indexed.SetCharge(-1);
    const ReadStatus status = wt::ReadStep(path, k, fromTop);
    FUZZ_CHECK(index->ReadStep(k, indexed) == status);
    FUZZ_CHECK(SameMolecule(fromTop, indexed));
    FUZZ_CHECK((status == ReadStatus::StepNotFound) == (k < 1 || k > count.stepCount));
    FUZZ_CHECK(status != ReadStatus::Unreadable && status != ReadStatus::TooManySteps);
    if (k >= 1 && k <= count.stepCount) {
      statuses.push_back(status);
      steps.push_back(fromTop);
    }
    if (status != ReadStatus::Loaded) {
      FUZZ_CHECK(fromTop.AtomCount() == 0);
      FUZZ_CHECK(fromTop.GetCharge() == -1.0);
      FUZZ_CHECK(!wt::ReadFailureText(status, path, k, "").empty());
      continue;
    }
    FUZZ_CHECK(fromTop.GetCharge() == 0.0);
    CheckTexts(fromTop);
    if (!written) {
      CheckWritten(fromTop);
      written = true;
    }
  }

  CheckAcrossTheBuffer(std::string_view(reinterpret_cast<const char*>(data), size), count, statuses,
                       steps);

  // The start routine on the file, and All Steps when the file has a few
  // steps: the confirmation of the kind, or the message of the first step
  // that cannot be loaded, and nothing else.
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
  // The first step that cannot be loaded or whose coordinates do not fit
  // the fields of the kind ends the run with its message.
  std::size_t bad = 0;
  while (bad < statuses.size() && statuses[bad] == ReadStatus::Loaded &&
         WideReason(steps[bad], kind).empty())
    ++bad;
  const std::vector<wt::Message> messages = desktop.Messages();
  FUZZ_CHECK(messages.size() == 1);
  if (bad == statuses.size()) {
    FUZZ_CHECK(ended == 0);
    FUZZ_CHECK(messages[0].title == "Info" && messages[0].text == wt::CreatedText(kind));
  } else {
    FUZZ_CHECK(ended == 1);
    const int step = static_cast<int>(bad) + 1;
    std::string expected;
    if (statuses[bad] != ReadStatus::Loaded) {
      expected = wt::ReadFailureText(statuses[bad], path, step, "");
    } else {
      const std::string base =
          count.stepCount == 1 ? std::string(wt::kSingleStepBasePath) : wt::NumberedBasePath(step);
      expected = wt::WriteFailureText(wt::TargetFileName(base, kind), WideReason(steps[bad], kind));
    }
    FUZZ_CHECK(messages[0].title == "Warning");
    FUZZ_CHECK(messages[0].text.compare(0, expected.size(), expected) == 0);
  }
  return 0;
}
