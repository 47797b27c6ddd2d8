// The reading of an FPS result file, group by group, fed in pieces that each end just after
// a line break (the last one may end anywhere). Its place in the current group and the
// record being filled carry over from one piece to the next, so the file never has to be
// held whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "results/fps_field_store.h"
#include "results/fps_read_result.h"

namespace quorvath {

// Over the file's bytes (char), which it splits into fields and lines as they come and
// decodes only where a record keeps them, or over text already decoded (wchar_t).
template <class Char>
class BasicFpsGroupParser {
 public:
  // Reads every field of `lines`. The caller cuts pieces after a whole line break: never
  // between the CR and the LF of one, nor inside a character of several bytes.
  void Feed(std::basic_string_view<Char> lines);

  // Reading stopped with an error before the end of the file: the group under way is lost.
  void StopOnReadError(std::uint32_t system_error);

  // The file is at its end: closes the read and hands over what it gave.
  FpsReadResult Finish();

  // The line that the next field starts on, numbered from 1.
  std::size_t next_line() const { return next_line_; }

 private:
  // The four fields of a group, in file order.
  enum class GroupField { kLevelName, kFigures, kIgnoredFirst, kIgnoredSecond };

  void StoreFigures(std::basic_string_view<Char> line, std::size_t line_number);

  FpsReadResult result_;
  FpsRecord record_;      // the group under way
  FpsFieldStore fields_;  // over bytes only: decodes what the record keeps
  GroupField next_field_ = GroupField::kLevelName;
  std::size_t group_line_ = 0;  // where the group under way began
  std::size_t next_line_ = 1;
  bool stopped_ = false;
};

extern template class BasicFpsGroupParser<char>;
extern template class BasicFpsGroupParser<wchar_t>;

using FpsByteGroupParser = BasicFpsGroupParser<char>;
using FpsTextGroupParser = BasicFpsGroupParser<wchar_t>;

}  // namespace quorvath
