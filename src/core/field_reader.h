// Reads the program's text files one field at a time, the way the location file and the
// FPS result files are laid out: comma-separated fields, optionally in double quotes.
#pragma once

#include <cstddef>
#include <string_view>

namespace quorvath {

// A cursor over decoded text. One read:
//  - skips leading spaces (spaces only, not tabs);
//  - a field that then starts with a double quote is the text up to the next double quote
//    (or the end of the line when the quote is never closed), without the quotes; whatever
//    follows the closing quote up to the next comma or the end of the line is skipped;
//  - any other field is the text up to the first comma or the end of the line;
//  - after a comma the next read continues on the same line, otherwise at the next line.
// An empty line is one empty field. Lines end in CR LF, LF or a lone CR; a line break is
// never part of a field. Fields never span lines.
class FieldReader {
 public:
  // `first_line` numbers the first line of `text`, for texts read in pieces.
  explicit FieldReader(std::wstring_view text, std::size_t first_line = 1)
      : text_(text), line_(first_line) {}

  // True when nothing is left. A line break that ends the text is consumed with its line,
  // so after the last line of "a\r\n" the reader is at its end; after "a\r\n\r\n" one
  // empty line is still to be read.
  bool AtEnd() const { return pos_ >= text_.size(); }

  // Reads the next field; at the end it returns an empty field and stays at the end.
  std::wstring_view ReadField();

  // The line (numbered from `first_line`) that held the field last read.
  std::size_t field_line() const { return field_line_; }

  // The line that the next read starts on.
  std::size_t next_line() const { return line_; }

 private:
  std::size_t FindFieldEnd(std::size_t from, bool stop_at_quote) const;
  void FinishField(std::size_t stop);

  std::wstring_view text_;
  std::size_t pos_ = 0;
  std::size_t line_;
  std::size_t field_line_ = 0;
};

// Leading and trailing spaces removed (spaces only: tabs and other blanks stay).
std::wstring_view TrimSpaces(std::wstring_view text);

}  // namespace quorvath
