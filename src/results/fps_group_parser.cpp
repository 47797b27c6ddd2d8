#include "results/fps_group_parser.h"

#include "core/field_reader.h"
#include "results/fps_figures.h"
#include "results/fps_separators.h"

#include <optional>
#include <type_traits>
#include <utility>

namespace quorvath {

template <class Char>
void BasicFpsGroupParser<Char>::Feed(std::basic_string_view<Char> lines) {
  if (stopped_) return;
  BasicFieldReader<Char> reader(lines, next_line_);
  if constexpr (std::is_same_v<Char, char>) fields_.ReadFrom(lines);
  // The end of the text is tested before every field, not only before a group: a piece can
  // end inside a group, and only Finish knows whether the file did too. (One call of
  // ReadField for all four fields keeps it inline.)
  while (!reader.AtEnd()) {
    const std::basic_string_view<Char> field = reader.ReadField();
    switch (next_field_) {
      case GroupField::kLevelName:
        group_line_ = reader.field_line();
        if constexpr (std::is_same_v<Char, char>) {
          fields_.Store(field, record_.level_name);
        } else {
          record_.level_name.Store(field);
        }
        next_field_ = GroupField::kFigures;
        break;
      case GroupField::kFigures:
        StoreFigures(field, reader.field_line());
        next_field_ = GroupField::kIgnoredFirst;
        break;
      case GroupField::kIgnoredFirst:
        next_field_ = GroupField::kIgnoredSecond;
        break;
      case GroupField::kIgnoredSecond:
        result_.records.push_back(record_);
        next_field_ = GroupField::kLevelName;
        break;
    }
  }
  next_line_ = reader.next_line();
}

template <class Char>
void BasicFpsGroupParser<Char>::StoreFigures(std::basic_string_view<Char> line,
                                             std::size_t line_number) {
  std::optional<FpsProblem> problem;
  if constexpr (std::is_same_v<Char, char>) {
    // Cut at the separators as bytes; only the high figure's end needs its characters
    // counted, which the store does.
    const FiguresSplit<char> split = SplitAtSeparators(line);
    fields_.Store(split.low, record_.fps_low);
    fields_.Store(split.avg, record_.fps_avg);
    if (!split.has_two_separators) {
      record_.fps_high.StoreAscii({});
      problem = FpsProblem::kTooFewSeparators;
    } else if (!fields_.StoreWithoutTail(split.rest, record_.fps_high)) {
      problem = FpsProblem::kFiguresTooShort;
    }
  } else {
    // Decoded text: the rule as it is written.
    const FpsFigures figures = SplitFiguresLine(line);
    record_.fps_low.Store(figures.low);
    record_.fps_avg.Store(figures.avg);
    record_.fps_high.Store(figures.high);
    problem = figures.problem;
  }
  if (problem) result_.AddFault({*problem, line_number, 0});
}

template <class Char>
void BasicFpsGroupParser<Char>::StopOnReadError(std::uint32_t system_error) {
  if (stopped_) return;
  result_.AddFault({FpsProblem::kReadFailed, next_line_, system_error});
  stopped_ = true;
}

template <class Char>
FpsReadResult BasicFpsGroupParser<Char>::Finish() {
  if (!stopped_ && next_field_ != GroupField::kLevelName) {
    result_.AddFault({FpsProblem::kEndsInsideGroup, group_line_, 0});
  }
  next_field_ = GroupField::kLevelName;
  stopped_ = true;
  result_.record_count = result_.records.size() + 1;
  return std::move(result_);
}

template class BasicFpsGroupParser<char>;
template class BasicFpsGroupParser<wchar_t>;

}  // namespace quorvath
