#include "results/fps_group_parser.h"

#include "core/field_reader.h"
#include "results/fps_figures.h"

#include <utility>

namespace quorvath {

void FpsGroupParser::Feed(std::wstring_view lines) {
  if (stopped_) return;
  FieldReader reader(lines, next_line_);
  // The end of the text is tested before every field, not only before a group: a piece can
  // end inside a group, and only Finish knows whether the file did too.
  while (!reader.AtEnd()) {
    const std::wstring_view field = reader.ReadField();
    switch (next_field_) {
      case GroupField::kLevelName:
        group_line_ = reader.field_line();
        record_.level_name.Store(field);
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

void FpsGroupParser::StoreFigures(std::wstring_view line, std::size_t line_number) {
  const FpsFigures figures = SplitFiguresLine(line);
  record_.fps_low.Store(figures.low);
  record_.fps_avg.Store(figures.avg);
  record_.fps_high.Store(figures.high);
  if (figures.problem) result_.AddFault({*figures.problem, line_number, 0});
}

void FpsGroupParser::StopOnReadError(std::uint32_t system_error) {
  if (stopped_) return;
  result_.AddFault({FpsProblem::kReadFailed, next_line_, system_error});
  stopped_ = true;
}

FpsReadResult FpsGroupParser::Finish() {
  if (!stopped_ && next_field_ != GroupField::kLevelName) {
    result_.AddFault({FpsProblem::kEndsInsideGroup, group_line_, 0});
  }
  next_field_ = GroupField::kLevelName;
  stopped_ = true;
  result_.record_count = result_.records.size() + 1;
  return std::move(result_);
}

}  // namespace quorvath
