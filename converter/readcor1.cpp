#include "converter/readcor1.h"

#include <bit>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "common/numeric.h"
#include "platform/paths.h"

namespace wt {
namespace {

// Moving forward by reading lines beats a seek, which throws the buffer away,
// as long as the gap is small.
constexpr std::uint64_t kSkipLimit = 1 << 16;

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Columns first to first + width - 1 (from 1) of a line, or what of them the
// line has.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t width) {
  if (line.size() < first) return {};
  return line.substr(first - 1, width);
}

// The first byte of [p, end) that is not a blank, or end.
const char* SkipBlanks(const char* p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    // Fields are mostly blanks in front of a number: eight at a time.
    while (end - p >= 8) {
      std::uint64_t v;
      std::memcpy(&v, p, sizeof v);
      const std::uint64_t others = v ^ 0x2020202020202020;
      if (others != 0) return p + std::countr_zero(others) / 8;
      p += 8;
    }
  }
  while (p < end && *p == ' ') ++p;
  return p;
}

// Appends the digits that start at p to *mantissa, in decimal; returns the
// first byte after them.
const char* AddDigits(const char* p, const char* end, std::uint64_t* mantissa) {
  std::uint64_t m = *mantissa;
  for (unsigned digit; p < end && (digit = static_cast<unsigned char>(*p) - 0x30u) <= 9; ++p) {
    m = m * 10 + digit;
  }
  *mantissa = m;
  return p;
}

// The value of the eight characters at p when all are digits. Coordinates
// are written with many decimals: eight at once cost what one does alone.
bool EightDigits(const char* p, std::uint64_t* value) {
  if constexpr (std::endian::native != std::endian::little) return false;
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);  // p[0] in the low byte
  // Each byte is 0x30 to 0x39 exactly when its high half is 3 and adding 6
  // keeps it so.
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0;
  if (((v & kHigh) | (((v + 0x0606060606060606) & kHigh) >> 4)) != 0x3333333333333333) {
    return false;
  }
  v -= 0x3030303030303030;
  v = v * 10 + (v >> 8);  // byte 2i: the two-digit number of digits 2i, 2i + 1
  constexpr std::uint64_t kPairs = 0x000000FF000000FF;
  v = (((v & kPairs) * (100 + (1000000ULL << 32))) +
       (((v >> 16) & kPairs) * (1 + (10000ULL << 32)))) >>
      32;
  *value = v;
  return true;
}

// The first character of a marker line.
constexpr char kMarker = '$';

// The stamp of the file at `path`; nothing when it cannot be had.
std::optional<FileStamp> StampOf(std::string_view path) {
  const std::optional<std::string> host = HostPath(path);
  if (!host || host->empty()) return std::nullopt;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(*host, error);
  if (error) return std::nullopt;
  const std::filesystem::file_time_type modified = std::filesystem::last_write_time(*host, error);
  if (error) return std::nullopt;
  return FileStamp{size, static_cast<std::int64_t>(modified.time_since_epoch().count())};
}

// True when `known` holds the places of the file as it is now.
bool StillHolds(const MarkerPlaces& known, std::string_view path) {
  return known.stamp && StampOf(path) == known.stamp;
}

// Why the reader gave no further line.
ReadStatus EndOfLines(const LineReader& reader, std::string* reason) {
  if (!reader.Failed()) return ReadStatus::CutShort;
  if (reason) *reason = reader.FailureReason();
  return ReadStatus::Unreadable;
}

// Reads the block of a step from the line after its marker.
ReadStatus ReadBlock(LineReader& reader, Molecule& molecule, std::string* reason) {
  std::string_view line;
  if (!reader.Next(&line)) return EndOfLines(reader, reason);
  std::optional<std::int16_t> count = RoundToInt16(FieldValue(Columns(line, 1, 6)));
  if (!count) return ReadStatus::CountTooLarge;
  if (!reader.Next(&line)) return EndOfLines(reader, reason);
  for (int i = 0; i < *count; ++i) {
    if (!reader.Next(&line)) return EndOfLines(reader, reason);
    const double x = FieldValue(Columns(line, 1, 15));
    const double y = FieldValue(Columns(line, 16, 15));
    const double z = FieldValue(Columns(line, 31, 15));
    if (!FitsFloat(x) || !FitsFloat(y) || !FitsFloat(z)) return ReadStatus::CoordinateTooLarge;
    std::optional<std::int16_t> tag = RoundToInt16(FieldValue(Columns(line, 73, 3)));
    if (!tag) return ReadStatus::TagTooLarge;
    molecule.AddAtom(Columns(line, 48, 2), x, y, z, *tag);
  }
  molecule.SetCharge(0);
  return ReadStatus::Loaded;
}

ReadStatus ReadBlockWhole(LineReader& reader, Molecule& molecule, std::string* reason) {
  ReadStatus status = ReadBlock(reader, molecule, reason);
  if (status != ReadStatus::Loaded) molecule.ResetMolecule();
  return status;
}

// ReadStep on an open file, from where it stands (its start).
ReadStatus ReadStepFrom(LineReader& reader, int k, Molecule& molecule, std::string* reason) {
  long long markers = 0;
  std::string_view line;
  for (;;) {
    if (!reader.NextStartingWith(kMarker, &line)) {
      if (!reader.Failed()) return ReadStatus::StepNotFound;
      if (reason) *reason = reader.FailureReason();
      return ReadStatus::Unreadable;
    }
    if (++markers == k) break;
  }
  return ReadBlockWhole(reader, molecule, reason);
}

}  // namespace

double FieldValue(std::string_view field) {
  // Up to 15 digits form an integer that a double holds exactly, and so does
  // every power of ten up to 1e15; one division of the two is then the
  // correctly rounded value, the same that NumericValue finds. Anything else
  // (exponents, commas, inner blanks, tabs, long digit runs) takes the
  // general road.
  const char* p = field.data();
  const char* const end = p + field.size();
  p = SkipBlanks(p, end);
  bool negative = false;
  if (p < end && (*p == '-' || *p == '+')) {
    negative = *p == '-';
    ++p;
  }
  // More than 19 digits wrap the mantissa; such fields take the general road.
  std::uint64_t mantissa = 0;
  const char* const digitsStart = p;
  p = AddDigits(p, end, &mantissa);
  std::ptrdiff_t digits = p - digitsStart;
  std::ptrdiff_t decimals = 0;
  if (p < end && *p == '.') {
    const char* const decimalsStart = ++p;
    std::uint64_t eight;
    while (end - p >= 8 && EightDigits(p, &eight)) {
      mantissa = mantissa * 100'000'000 + eight;
      p += 8;
    }
    p = AddDigits(p, end, &mantissa);
    decimals = p - decimalsStart;
    digits += decimals;
  }
  if (digits == 0 || digits > 15) return NumericValue(field);
  for (; p < end; ++p) {
    if (*p != ' ') return NumericValue(field);
  }
  const double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  return negative ? -value : value;
}

StepCount CountSteps(std::string_view path) {
  StepCount result;
  const std::optional<FileStamp> before = StampOf(path);
  std::optional<LineReader> reader = LineReader::Open(path, &result.reason);
  if (!reader) {
    result.status = ReadStatus::Unreadable;
    return result;
  }
  std::size_t markers = 0;
  std::string_view line;
  std::vector<std::uint64_t>& starts = result.places.blockStarts;
  while (reader->NextStartingWith(kMarker, &line)) {
    if (++markers <= static_cast<std::size_t>(INT16_MAX)) starts.push_back(reader->Offset());
  }
  if (reader->Failed()) {
    result.status = ReadStatus::Unreadable;
    result.reason = reader->FailureReason();
  } else if (markers > static_cast<std::size_t>(INT16_MAX)) {
    result.status = ReadStatus::TooManySteps;
  } else {
    result.stepCount = static_cast<std::int16_t>(markers);
    // The places hold only if nothing changed while they were found.
    if (before && StampOf(path) == before) result.places.stamp = before;
  }
  if (!result.places.stamp) starts.clear();
  return result;
}

ReadStatus ReadStep(std::string_view path, int k, Molecule& molecule, std::string* reason) {
  molecule.ResetMolecule();
  std::optional<LineReader> reader = LineReader::Open(path, reason);
  if (!reader) return ReadStatus::Unreadable;
  return ReadStepFrom(*reader, k, molecule, reason);
}

ReadStatus ReadStep(std::string_view path, int k, const MarkerPlaces& known, Molecule& molecule,
                    std::string* reason) {
  molecule.ResetMolecule();
  std::optional<LineReader> reader = LineReader::Open(path, reason);
  if (!reader) return ReadStatus::Unreadable;
  // The stamp is taken with the file open: the places hold for what is read.
  if (k < 1 || static_cast<std::size_t>(k) > known.blockStarts.size() || !StillHolds(known, path)) {
    return ReadStepFrom(*reader, k, molecule, reason);
  }
  if (!reader->Seek(known.blockStarts[static_cast<std::size_t>(k) - 1])) {
    if (reason) *reason = reader->FailureReason();
    return ReadStatus::Unreadable;
  }
  return ReadBlockWhole(*reader, molecule, reason);
}

std::optional<MarkerIndex> MarkerIndex::Build(std::string_view path, std::string* reason) {
  std::optional<LineReader> reader = LineReader::Open(path, reason);
  if (!reader) return std::nullopt;
  return BuildFrom(std::move(*reader), reason);
}

std::optional<MarkerIndex> MarkerIndex::Open(std::string_view path, const MarkerPlaces& known,
                                             std::string* reason) {
  std::optional<LineReader> reader = LineReader::Open(path, reason);
  if (!reader) return std::nullopt;
  // The stamp is taken with the file open: the places hold for what is read.
  if (!StillHolds(known, path)) return BuildFrom(std::move(*reader), reason);
  MarkerIndex index(std::move(*reader));
  index.blockStarts_ = known.blockStarts;
  return index;
}

std::optional<MarkerIndex> MarkerIndex::BuildFrom(LineReader reader, std::string* reason) {
  MarkerIndex index(std::move(reader));
  std::string_view line;
  while (index.reader_.NextStartingWith(kMarker, &line)) {
    index.blockStarts_.push_back(index.reader_.Offset());
  }
  if (index.reader_.Failed()) {
    if (reason) *reason = index.reader_.FailureReason();
    return std::nullopt;
  }
  return index;
}

ReadStatus MarkerIndex::ReadStep(int k, Molecule& molecule, std::string* reason) {
  molecule.ResetMolecule();
  if (k < 1 || static_cast<std::size_t>(k) > blockStarts_.size()) return ReadStatus::StepNotFound;
  const std::uint64_t target = blockStarts_[static_cast<std::size_t>(k) - 1];
  const std::uint64_t here = reader_.Offset();
  if (target > here && target - here <= kSkipLimit) {
    // Offsets are line starts, so reading on from one reaches the other.
    std::string_view line;
    while (reader_.Offset() < target && reader_.Next(&line)) {
    }
  }
  if (reader_.Offset() != target && !reader_.Seek(target)) {
    if (reason) *reason = reader_.FailureReason();
    return ReadStatus::Unreadable;
  }
  return ReadBlockWhole(reader_, molecule, reason);
}

std::string ReadFailureText(ReadStatus status, std::string_view path, int step,
                            std::string_view reason) {
  const std::string file = "the file '" + std::string(path) + "'";
  const std::string ofStep = "step " + std::to_string(step) + " of " + file;
  switch (status) {
    case ReadStatus::Loaded:
      return {};
    case ReadStatus::StepNotFound:
      return "The file '" + std::string(path) + "' has no step " + std::to_string(step) +
             " (it has changed since its steps were counted)";
    case ReadStatus::CutShort:
      return "Step " + std::to_string(step) + " of " + file +
             " is incomplete: the file ends inside it";
    case ReadStatus::CountTooLarge:
      return "The atom count of " + ofStep + " lies outside -32768 to 32767";
    case ReadStatus::TagTooLarge:
      return "An atom of " + ofStep + " has a number in columns 73 to 75 outside -32768 to 32767";
    case ReadStatus::CoordinateTooLarge:
      return "An atom of " + ofStep + " has a coordinate beyond the range of single precision";
    case ReadStatus::Unreadable:
      return "The file '" + std::string(path) + "' cannot be read: " + std::string(reason);
    case ReadStatus::TooManySteps:
      return "The file '" + std::string(path) + "' holds more than 32767 steps";
  }
  return {};
}

}  // namespace wt
