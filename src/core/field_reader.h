// Reads the program's text files one field at a time, the way the location file and the
// FPS result files are laid out: comma-separated fields, optionally in double quotes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define QUORVATH_FIELD_SCAN_SSE2 1
#else
#define QUORVATH_FIELD_SCAN_SSE2 0
#endif

namespace quorvath {

namespace field_scan {

template <class Char>
std::size_t FindFirstOf3OneByOne(const Char* text, std::size_t from, std::size_t size, Char a,
                                 Char b, Char c) {
  while (from < size && text[from] != a && text[from] != b && text[from] != c) ++from;
  return from;
}

// The bytes of text[from, size) eight at a time, then one by one.
std::size_t FindFirstOf3InBytes(const char* text, std::size_t from, std::size_t size, char a,
                                char b, char c);

// Where the first of three characters is in text[from, size), or size when none is.
// Reading a file's bytes, the field reader spends most of its time here: on x86-64, where
// every processor has SSE2, the bytes are compared 32 at a time, inline, which takes most
// lines of a result file in one step (fewer mispredicted loop exits than 16 at a time); the
// last few bytes of a piece, and every byte elsewhere, go to a search eight at a time.
template <class Char>
std::size_t FindFirstOf3(const Char* text, std::size_t from, std::size_t size, Char a, Char b,
                         Char c) {
  if constexpr (std::is_same_v<Char, char>) {
#if QUORVATH_FIELD_SCAN_SSE2
    const __m128i all_a = _mm_set1_epi8(a);
    const __m128i all_b = _mm_set1_epi8(b);
    const __m128i all_c = _mm_set1_epi8(c);
    for (; from + sizeof(__m128i) <= size; from += sizeof(__m128i)) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
      const __m128i hits =
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, all_a), _mm_cmpeq_epi8(chunk, all_b)),
                       _mm_cmpeq_epi8(chunk, all_c));
      const auto flags = static_cast<unsigned>(_mm_movemask_epi8(hits));
      if (flags != 0) return from + static_cast<std::size_t>(std::countr_zero(flags));
    }
#endif
    return FindFirstOf3InBytes(text, from, size, a, b, c);
  } else {
    return FindFirstOf3OneByOne(text, from, size, a, b, c);
  }
}

}  // namespace field_scan

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
    const std::size_t size = text_.size();
    const Char* const data = text_.data();
    while (pos_ < size && data[pos_] == Char(' ')) ++pos_;
    field_line_ = line_;
    if (pos_ < size && data[pos_] == Char('"')) return ReadQuotedField();
    const std::size_t start = pos_;
    const std::size_t end = FindFieldEnd(start);
    FinishField(end);
    return View(data + start, end - start);
  }

  // The line (numbered from `first_line`) that held the field last read.
  std::size_t field_line() const { return field_line_; }

  // The line that the next read starts on.
  std::size_t next_line() const { return line_; }

 private:
  // From the opening quote at pos_.
  View ReadQuotedField() {
    const std::size_t size = text_.size();
    const Char* const data = text_.data();
    const std::size_t start = pos_ + 1;
    std::size_t end =
        field_scan::FindFirstOf3(data, start, size, Char('"'), Char('\r'), Char('\n'));
    const View field(data + start, end - start);
    if (end < size && data[end] == Char('"')) ++end;
    FinishField(FindFieldEnd(end));
    return field;
  }

  // The first comma or line break at or after `from`.
  std::size_t FindFieldEnd(std::size_t from) const {
    return field_scan::FindFirstOf3(text_.data(), from, text_.size(), Char(','), Char('\r'),
                                    Char('\n'));
  }

  // Moves past what ended the field at `stop`: a comma, a line break or the end of the text.
  void FinishField(std::size_t stop) {
    const std::size_t size = text_.size();
    const Char* const data = text_.data();
    if (stop < size) {
      if (data[stop] == Char(',')) {
        pos_ = stop + 1;  // the next field is on the same line
        return;
      }
      if (data[stop] == Char('\r') && stop + 1 < size && data[stop + 1] == Char('\n')) ++stop;
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
std::wstring_view TrimSpaces(std::wstring_view text);

}  // namespace quorvath
