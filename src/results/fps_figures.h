// Splitting a figures line: low figure, " / ", average figure, " / ", high figure, then four
// characters that belong to no figure.
#pragma once

#include <optional>
#include <string_view>

#include "results/fps_read_result.h"

namespace quorvath {

struct FpsFigures {
  std::wstring_view low;
  std::wstring_view avg;
  std::wstring_view high;
  // kTooFewSeparators: `low` holds the text before the one separator, or the whole line,
  // and the other two are empty. kFiguresTooShort: `high` is empty.
  std::optional<FpsProblem> problem;
};

// Splits at the first and the second " / " (exactly space, slash, space); a third stays
// inside `high`, and the last four characters of the line are dropped. Nothing is trimmed.
FpsFigures SplitFiguresLine(std::wstring_view line);

}  // namespace quorvath
