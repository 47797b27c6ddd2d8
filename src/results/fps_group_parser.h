// The reading of an FPS result file's decoded text, group by group, fed in pieces that each
// end just after a line break (the last one may end anywhere). Its place in the current group
// and the record being filled carry over from one piece to the next, so the file never has
// to be held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "results/fps_read_result.h"

namespace quorvath {

class FpsGroupParser {
 public:
  // Reads every field of `lines`. The caller cuts pieces after a whole line break: never
  // between the CR and the LF of one.
  void Feed(std::wstring_view lines);

  // Reading stopped with an error before the end of the file: the group under way is lost.
  void StopOnReadError(std::uint32_t system_error);

  // The file is at its end: closes the read and hands over what it gave.
  FpsReadResult Finish();

  // The line that the next field starts on, numbered from 1.
  std::size_t next_line() const { return next_line_; }

 private:
  // The four fields of a group, in file order.
  enum class GroupField { kLevelName, kFigures, kIgnoredFirst, kIgnoredSecond };

  void StoreFigures(std::wstring_view line, std::size_t line_number);

  FpsReadResult result_;
  FpsRecord record_;  // the group under way
  GroupField next_field_ = GroupField::kLevelName;
  std::size_t group_line_ = 0;  // where the group under way began
  std::size_t next_line_ = 1;
  bool stopped_ = false;
};

}  // namespace quorvath
