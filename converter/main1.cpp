#include "converter/main1.h"

#include "common/fileexists.h"
#include "common/numeric.h"
#include "converter/libreria.h"
#include "converter/stepwriter.h"
#include "platform/cmdtail.h"

namespace wt {
namespace {

// The files All Steps has made and not yet written: enough to smooth out a
// slow write or a slow step, few enough that memory stays that of a few
// steps.
constexpr std::size_t kStepsAhead = 4;

// Where All Steps stopped, for the end of its failure message.
std::string StoppedAt(int step) {
  std::string text = " (All Steps stopped at step " + std::to_string(step) + "; ";
  if (step == 1) return text + "no file is written)";
  return text + "the files of steps 1 to " + std::to_string(step - 1) + " are written)";
}

}  // namespace

std::optional<int> Converter::StartRoutine(std::string_view commandTail) {
  const std::vector<std::string> words = SplitCommandLine(commandTail, 3);
  const std::string pathWord = words.empty() ? std::string() : words[0];
  if (words.size() > 1) {
    // A kind beyond 16 bits is like any other value outside 1 to 4: kind 1.
    outputKind_ = WholeNumber16(words[1]).value_or(kKrystMolecule);
  }
  if (outputKind_ == 0) outputKind_ = kKrystMolecule;
  coordFilePath_ = pathWord.empty() ? std::string(kDefaultCoordFile) : pathWord;

  if (!FileExists(coordFilePath_)) {
    desktop_.ShowMessage({"File not found", "Warning", MessageIcon::Critical, MessageButtons::Ok});
    return 1;
  }
  const StepCount count = CountSteps(coordFilePath_);
  if (count.status != ReadStatus::Loaded) {
    return Fail(ReadFailureText(count.status, coordFilePath_, 0, count.reason));
  }
  stepCount_ = count.stepCount;
  markerPlaces_ = count.places;
  if (stepCount_ != 1) return std::nullopt;
  return ConvertOnlyStep();
}

int Converter::ConvertOnlyStep() {
  std::string reason;
  const ReadStatus status = ReadStep(coordFilePath_, 1, molecule_, &reason);
  // Step 1 gone since the count: the file is being rewritten; nothing to say.
  if (status == ReadStatus::StepNotFound) return 0;
  if (status != ReadStatus::Loaded) {
    return Fail(ReadFailureText(status, coordFilePath_, 1, reason));
  }
  return ExportAndReport(kSingleStepBasePath);
}

std::string Converter::RangeLabel() const {
  return "(max =  " + std::to_string(stepCount_) + ")";
}

std::optional<int> Converter::ConvertStep(std::string_view stepText) {
  const std::optional<std::int16_t> step = WholeNumber16(stepText);
  if (!step || *step < 1 || *step > stepCount_) {
    desktop_.ShowMessage(
        {"Wrong Step Number", "Warning", MessageIcon::Critical, MessageButtons::Ok});
    return std::nullopt;
  }
  std::string reason;
  // Unlike a file that was never counted, a step that went missing since the
  // count is reported rather than written as an empty molecule.
  const ReadStatus status = ReadStep(coordFilePath_, *step, markerPlaces_, molecule_, &reason);
  if (status != ReadStatus::Loaded) {
    return Fail(ReadFailureText(status, coordFilePath_, *step, reason));
  }
  return ExportAndReport(kSingleStepBasePath);
}

int Converter::AllSteps(const std::function<void(int, int)>& progress) {
  const int last = stepCount_;
  std::optional<MarkerIndex> index;
  if (last > 0) {
    std::string reason;
    index = MarkerIndex::Open(coordFilePath_, markerPlaces_, &reason);
    if (!index) {
      return Fail(ReadFailureText(ReadStatus::Unreadable, coordFilePath_, 1, reason) +
                  StoppedAt(1));
    }
  }
  // Step k + 1 is read and formatted while step k is written. The writer
  // keeps to the order, so it stops at the first file it cannot write or
  // that was refused, and its count tells the steps done.
  StepWriter writer(kStepsAhead);
  int heard = 0;
  const auto hear = [&](std::size_t written) {
    while (heard < static_cast<int>(written)) {
      ++heard;
      if (progress) progress(heard, last);
    }
  };
  // The first step that could not be read, and why.
  int unreadStep = 0;
  std::string unread;
  for (int step = 1; step <= last; ++step) {
    std::string reason;
    const ReadStatus status = index->ReadStep(step, molecule_, &reason);
    if (status != ReadStatus::Loaded) {
      unreadStep = step;
      unread = ReadFailureText(status, coordFilePath_, step, reason);
      break;
    }
    if (!writer.Put(MakeOutputFile(NumberedBasePath(step), outputKind_, molecule_, routeLine_))) {
      break;
    }
    hear(writer.Written());
  }
  const StepWriter::Outcome outcome = writer.Finish();
  hear(outcome.written);
  // A file that failed (or was refused) comes before any step not yet handed
  // over: that is where one step after another would have stopped.
  if (outcome.failure) {
    return Fail(WriteFailureText(outcome.failure->name, outcome.failure->reason) +
                StoppedAt(static_cast<int>(outcome.written) + 1));
  }
  if (unreadStep != 0) return Fail(unread + StoppedAt(unreadStep));
  ReportCreated(outputKind_, desktop_);
  return 0;
}

int Converter::ExportAndReport(std::string_view basePath) {
  std::string reason;
  if (!ExportMolecule(basePath, outputKind_, molecule_, routeLine_, &reason)) {
    return Fail(WriteFailureText(TargetFileName(basePath, outputKind_), reason));
  }
  ReportCreated(outputKind_, desktop_);
  return 0;
}

int Converter::Fail(const std::string& text) {
  desktop_.ShowMessage({text, "Warning", MessageIcon::Critical, MessageButtons::Ok});
  return 1;
}

}  // namespace wt
