// A strict reader of FPS result files for the kit tests: the kit must write what Quorvath
// reads, with no slack. Groups of four CR LF lines: level name; "low / average / high"
// followed by four characters; two lines of free text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath::kit_test {

// The longest level name that Quorvath shows whole.
inline constexpr std::size_t kLevelNameWidth = 14;
// The characters after the high figure, which Quorvath drops.
inline constexpr std::size_t kFiguresTailLength = 4;

struct FpsGroup {
  std::string level;
  std::string low;  // figures as written, "41.26"
  std::string average;
  std::string high;
  std::string tail;  // the four characters after the high figure
  std::string line3;
  std::string line4;
};

struct ParsedResultFile {
  std::vector<FpsGroup> groups;
  std::string fault;  // empty when the whole file is well formed; else line and reason

  bool WellFormed() const { return fault.empty(); }
};

// Splits bytes into lines that must each end in CR LF (the last one too); a lone CR or LF
// is a fault.
std::optional<std::vector<std::string>> SplitCrLfLines(std::string_view bytes, std::string& fault);

ParsedResultFile ParseResultFile(std::string_view bytes);

// A figure as the kit writes it: digits, a point, two digits. Its value in hundredths.
std::optional<long> FigureHundredths(std::string_view figure);

}  // namespace quorvath::kit_test
