// The rule for a figures line over decoded text, whole: the figures and what is wrong.
#pragma once

#include <optional>
#include <string_view>

#include "results/fps_read_result.h"
#include "results/fps_separators.h"

namespace quorvath {

struct FpsFigures {
  std::wstring_view low;
  std::wstring_view avg;
  std::wstring_view high;
  // kTooFewSeparators: `low` holds the text before the one separator, or the whole line,
  // and the other two are empty. kFiguresTooShort: `high` is empty.
  std::optional<FpsProblem> problem;
};

// The whole rule over decoded text: split at the first and the second " / ", the last four
// characters of the line dropped. Nothing is trimmed.
FpsFigures SplitFiguresLine(std::wstring_view line);

}  // namespace quorvath
