// Reads the program's text files one field at a time, the way the location file and the FPS
// result files are laid out: comma-separated fields, optionally in double quotes.
#pragma once

#include <bit>
#include <cstddef>
#include <string_view>
#include <type_traits>

// Every x86-64 processor has SSE2; QUORVATH_FIELD_SCAN_SSE2=0 selects the plain loop alone.
#ifndef QUORVATH_FIELD_SCAN_SSE2
#if defined(__SSE2__) || defined(_M_X64)
#define QUORVATH_FIELD_SCAN_SSE2 1
#else
#define QUORVATH_FIELD_SCAN_SSE2 0
#endif
#endif
#if QUORVATH_FIELD_SCAN_SSE2
#include <emmintrin.h>
#endif

namespace quorvath {

// A cursor over text: decoded text (wchar_t), or the bytes of a file (char) in an ANSI code
// page, whose line breaks, commas, double quotes and spaces are all below 0x40 and never part
// of a multi-byte character, so that the bytes split into the same fields as the decoded
// text. One read:
//  - skips leading spaces (spaces only, not tabs);
//  - a field that then starts with a double quote is the text up to the next double quote
//    (or the end of the line when the quote is never closed), without the quotes; whatever
//    follows the closing quote up to the next comma or the end of the line is skipped;
//  - any other field is the text up to the first comma or the end of the line;
//  - after a comma the next read continues on the same line, otherwise at the next line.
// An empty line is one empty field. Lines end in CR LF, LF or a lone CR; a line break is
// never part of a field. Fields never span lines.
template <class Char>
class BasicFieldReader {
 public:
  using View = std::basic_string_view<Char>;

  // `first_line` numbers the first line of `text`, for texts read in pieces.
  explicit BasicFieldReader(View text, std::size_t first_line = 1)
      : text_(text), line_(first_line) {}

  // True when nothing is left. A line break that ends the text is consumed with its line,
  // so after the last line of "a\r\n" the reader is at its end; after "a\r\n\r\n" one
  // empty line is still to be read.
  bool AtEnd() const { return pos_ >= text_.size(); }

  // Reads the next field; at the end it returns an empty field and stays at the end.
  View ReadField() {
    field_line_ = line_;
    const std::size_t size = text_.size();
    while (pos_ < size && text_[pos_] == Char(' ')) ++pos_;
    if (pos_ < size && text_[pos_] == Char('"')) {
      const std::size_t start = pos_ + 1;
      std::size_t end = start;
      while (end < size && text_[end] != Char('"') && !IsLineBreak(text_[end])) ++end;
      const View field = text_.substr(start, end - start);
      FinishField(FindStop(end));
      return field;
    }
    const std::size_t start = pos_;
    const std::size_t end = FindStop(start);
    FinishField(end);
    return text_.substr(start, end - start);
  }

  // The line (numbered from `first_line`) that held the field last read.
  std::size_t field_line() const { return field_line_; }

  // The line that the next read starts on.
  std::size_t next_line() const { return line_; }

 private:
  static bool IsLineBreak(Char c) { return c == Char('\r') || c == Char('\n'); }

  // The first comma or line break at or after `from`, or the end of the text. A file's bytes
  // spend most of their reading time here, so bytes are compared sixteen at a time; the plain
  // loop finishes the last few. Every stop is at most ',' (0x2C), while most characters of a
  // field are letters and digits: one comparison passes them.
  std::size_t FindStop(std::size_t from) const {
    const Char* const data = text_.data();
    const std::size_t size = text_.size();
#if QUORVATH_FIELD_SCAN_SSE2
    if constexpr (std::is_same_v<Char, char>) {
      for (; from + 16 <= size; from += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
        const __m128i stops = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(',')),
                                                        _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\r'))),
                                           _mm_cmpeq_epi8(chunk, _mm_set1_epi8('\n')));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(stops));
        if (mask != 0) return from + static_cast<std::size_t>(std::countr_zero(mask));
      }
    }
#endif
    for (; from < size; ++from) {
      const auto c = static_cast<std::make_unsigned_t<Char>>(data[from]);
      if (c <= ',' && (c == ',' || c == '\r' || c == '\n')) break;
    }
    return from;
  }

  // Moves past what ended the field at `stop`: a comma, a line break or the end of the text.
  void FinishField(std::size_t stop) {
    const std::size_t size = text_.size();
    if (stop < size) {
      if (text_[stop] == Char(',')) {
        pos_ = stop + 1;  // the next field is on the same line
        return;
      }
      if (text_[stop] == Char('\r') && stop + 1 < size && text_[stop + 1] == Char('\n')) ++stop;
      ++stop;
      ++line_;
    }
    pos_ = stop;
  }

  View text_;
  std::size_t pos_ = 0;
  std::size_t line_;
  std::size_t field_line_ = 0;
};

using FieldReader = BasicFieldReader<wchar_t>;
using ByteFieldReader = BasicFieldReader<char>;

// Leading and trailing spaces removed (spaces only: tabs and other blanks stay).
inline std::wstring_view TrimSpaces(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace quorvath
