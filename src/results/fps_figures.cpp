#include "results/fps_figures.h"

namespace quorvath {

FpsFigures SplitFiguresLine(std::wstring_view line) {
  const FiguresSplit<wchar_t> split = SplitAtSeparators(line);
  FpsFigures figures{split.low, split.avg, {}, std::nullopt};
  if (!split.has_two_separators) {
    figures.problem = FpsProblem::kTooFewSeparators;
  } else if (split.rest.size() < kFiguresTailLength) {
    figures.problem = FpsProblem::kFiguresTooShort;
  } else {
    figures.high = split.rest.substr(0, split.rest.size() - kFiguresTailLength);
  }
  return figures;
}

}  // namespace quorvath
