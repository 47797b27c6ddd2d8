// Reads the program's text files one field at a time, the way the location file and the
// FPS result files are laid out: comma-separated fields, optionally in double quotes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <type_traits>

// SSE2 is part of every x86-64 processor; builds for other processors use the same
// searches in 64-bit words.
#ifndef QUORVATH_FIELD_SCAN_SSE2
#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#define QUORVATH_FIELD_SCAN_SSE2 1
#else
#define QUORVATH_FIELD_SCAN_SSE2 0
#endif
#endif
#if QUORVATH_FIELD_SCAN_SSE2
#include <emmintrin.h>
#endif

namespace quorvath {

namespace field_scan {

template <class Char>
std::size_t FindFirstOf3OneByOne(const Char* text, std::size_t from, std::size_t size, Char a,
                                 Char b, Char c) {
  while (from < size && text[from] != a && text[from] != b && text[from] != c) ++from;
  return from;
}

// Which of the 64 bytes at `bytes` are a comma, a CR or an LF: bit i for byte i.
inline std::uint64_t FieldStopsIn64(const char* bytes) {
#if QUORVATH_FIELD_SCAN_SSE2
  const __m128i commas = _mm_set1_epi8(',');
  const __m128i returns = _mm_set1_epi8('\r');
  const __m128i feeds = _mm_set1_epi8('\n');
  std::uint64_t stops = 0;
  for (int part = 0; part < 4; ++part) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * part));
    const __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, commas), _mm_cmpeq_epi8(chunk, returns)),
                     _mm_cmpeq_epi8(chunk, feeds));
    stops |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(hits)))
             << (16 * part);
  }
  return stops;
#else
  // Eight bytes to a word. A byte equal to one of the three is zero after the exclusive or;
  // ((x & 0x7F..) + 0x7F..) | x has the high bit of exactly the non-zero bytes, and the
  // product gathers the eight high bits into the top byte, first byte lowest.
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  constexpr std::uint64_t kGather = 0x0102040810204080u;
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  std::uint64_t stops = 0;
  for (int part = 0; part < 8; ++part) {
    std::uint64_t word = 0;  // first byte lowest, whatever the byte order (one load here)
    for (int i = 0; i < 8; ++i) {
      word |= std::uint64_t{static_cast<unsigned char>(bytes[8 * part + i])} << (8 * i);
    }
    std::uint64_t zero_high_bits = 0;
    for (const char c : {',', '\r', '\n'}) {
      const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(c));
      zero_high_bits |= ~(((x & kLow7) + kLow7) | x | kLow7);
    }
    stops |= (((zero_high_bits >> 7) * kGather) >> 56) << (8 * part);
  }
  return stops;
#endif
}

// The same for the fewer than 64 bytes at the end of a text.
std::uint64_t FieldStopsInLast(const char* bytes, std::size_t count);

// The field ends (commas and line breaks) of a text's bytes, found 64 bytes at a time, from
// the start of the text on: the search for the end of a field is then a shift and a count
// of trailing zeros, and the comparisons for the next 64 bytes need not wait for the field
// before them to end. This is where a read of a file's bytes spends most of its time.
class ByteFieldStops {
 public:
  explicit ByteFieldStops(std::string_view text) : text_(text) {}

  // The first comma or line break at or after `from`, or the size of the text. `from`
  // never goes back from one call to the next.
  std::size_t FindFrom(std::size_t from) {
    if (from < block_end_) {
      const std::uint64_t ahead = stops_ >> (from - block_start_);
      if (ahead != 0) return from + static_cast<std::size_t>(std::countr_zero(ahead));
    }
    return FindInNextBlocks(from);
  }

 private:
  static constexpr std::size_t kBlock = 64;

  // When the field goes on past the block loaded.
  std::size_t FindInNextBlocks(std::size_t from) {
    while (from >= block_end_) {
      if (block_end_ >= text_.size()) return text_.size();
      Load(block_end_);
    }
    std::uint64_t ahead = stops_ >> (from - block_start_);
    while (ahead == 0) {
      if (block_end_ >= text_.size()) return text_.size();
      Load(block_end_);
      from = block_start_;
      ahead = stops_;
    }
    return from + static_cast<std::size_t>(std::countr_zero(ahead));
  }

  void Load(std::size_t at) {
    block_start_ = at;
    if (text_.size() - at >= kBlock) {
      block_end_ = at + kBlock;
      stops_ = FieldStopsIn64(text_.data() + at);
    } else {
      block_end_ = text_.size();
      stops_ = FieldStopsInLast(text_.data() + at, text_.size() - at);
    }
  }

  std::string_view text_;
  std::size_t block_start_ = 0;
  std::size_t block_end_ = 0;  // nothing loaded yet
  std::uint64_t stops_ = 0;    // bit i: byte block_start_ + i ends a field
};

// Decoded text has no such search: it is read only where a file is small.
template <class Char>
class TextFieldStops {
 public:
  explicit TextFieldStops(std::basic_string_view<Char> text) : text_(text) {}
  std::size_t FindFrom(std::size_t from) const {
    return FindFirstOf3OneByOne(text_.data(), from, text_.size(), Char(','), Char('\r'),
                                Char('\n'));
  }

 private:
  std::basic_string_view<Char> text_;
};

template <class Char>
using FieldStops =
    std::conditional_t<std::is_same_v<Char, char>, ByteFieldStops, TextFieldStops<Char>>;

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
      : text_(text), stops_(text), line_(first_line) {}

  // True when nothing is left. A line break that ends the text is consumed with its line,
  // so after the last line of "a\r\n" the reader is at its end; after "a\r\n\r\n" one
  // empty line is still to be read.
  bool AtEnd() const { return pos_ >= text_.size(); }

  // Reads the next field; at the end it returns an empty field and stays at the end.
  View ReadField() {
    const std::size_t size = text_.size();
    const Char* const data = text_.data();
    field_line_ = line_;
    // Most fields start with a letter or a digit: one comparison tells them from a space,
    // a quote (both at most 0x22) or an empty line.
    if (pos_ < size && static_cast<std::make_unsigned_t<Char>>(data[pos_]) <= 0x22) {
      while (pos_ < size && data[pos_] == Char(' ')) ++pos_;
      if (pos_ < size && data[pos_] == Char('"')) return ReadQuotedField();
    }
    const std::size_t start = pos_;
    const std::size_t end = stops_.FindFrom(start);
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
        field_scan::FindFirstOf3OneByOne(data, start, size, Char('"'), Char('\r'), Char('\n'));
    const View field(data + start, end - start);
    if (end < size && data[end] == Char('"')) ++end;
    FinishField(stops_.FindFrom(end));
    return field;
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
  field_scan::FieldStops<Char> stops_;
  std::size_t pos_ = 0;
  std::size_t line_;
  std::size_t field_line_ = 0;
};

using FieldReader = BasicFieldReader<wchar_t>;
using ByteFieldReader = BasicFieldReader<char>;

// Leading and trailing spaces removed (spaces only: tabs and other blanks stay).
std::wstring_view TrimSpaces(std::wstring_view text);

}  // namespace quorvath
