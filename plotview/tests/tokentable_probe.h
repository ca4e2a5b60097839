// The token tables as the tests and the fuzz targets read them: the entries
// TokenStart and TokenLength, and the number the reader takes from a token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "plotview/xparse.h"

namespace wt::plot {

struct TokenTableProbe {
  // Entry k (1 to 30) of each table.
  static std::size_t TokenStart(const TokenTable& table, int k) { return table.start_.at(k); }
  static std::size_t TokenLength(const TokenTable& table, int k) { return table.length_.at(k); }

  // The number ParameterValues reads from `token`, which holds neither a
  // comma nor a blank and is not empty; nothing when it does not fit 16 bits.
  static std::optional<std::int16_t> ParameterNumber(std::string_view token) {
    const std::string line = "PD " + std::string(token);
    TokenTable table;
    if (table.SplitTokens(line) != 2) return std::nullopt;
    std::int16_t value;
    if (!table.ParameterValues(line, 1, &value)) return std::nullopt;
    return value;
  }
};

}  // namespace wt::plot
