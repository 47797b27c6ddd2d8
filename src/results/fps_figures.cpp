#include "results/fps_figures.h"

namespace quorvath {

namespace {

constexpr std::size_t kSeparatorLength = 3;  // " / "
constexpr std::size_t kDroppedTailLength = 4;

// Where the first " / " begins, or npos. The slash is the rarer character, so the scan looks
// for it and then checks its neighbours.
std::size_t FindSeparator(std::wstring_view text) {
  const std::size_t size = text.size();
  const wchar_t* data = text.data();
  for (std::size_t slash = 1; slash + 1 < size; ++slash) {
    if (data[slash] == L'/' && data[slash - 1] == L' ' && data[slash + 1] == L' ') {
      return slash - 1;
    }
  }
  return std::wstring_view::npos;
}

}  // namespace

FpsFigures SplitFiguresLine(std::wstring_view line) {
  FpsFigures figures;
  const std::size_t first = FindSeparator(line);
  if (first == std::wstring_view::npos) {
    figures.low = line;
    figures.problem = FpsProblem::kTooFewSeparators;
    return figures;
  }
  figures.low = line.substr(0, first);
  const std::wstring_view after_first = line.substr(first + kSeparatorLength);

  const std::size_t second = FindSeparator(after_first);
  if (second == std::wstring_view::npos) {
    figures.problem = FpsProblem::kTooFewSeparators;
    return figures;
  }
  figures.avg = after_first.substr(0, second);
  const std::wstring_view rest = after_first.substr(second + kSeparatorLength);

  if (rest.size() < kDroppedTailLength) {
    figures.problem = FpsProblem::kFiguresTooShort;
    return figures;
  }
  figures.high = rest.substr(0, rest.size() - kDroppedTailLength);
  return figures;
}

}  // namespace quorvath
