// Finding the separators of a figures line: low figure, " / ", average figure, " / ", high
// figure, then four characters that belong to no figure. Over the line's bytes, read for
// every group of a file, or over decoded text.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "core/field_reader.h"  // the SSE2 switch

namespace quorvath {

// A figures line cut at its first and second " / " (exactly space, slash, space); a third
// stays in `rest`. Space and slash are below 0x40 and never part of a multi-byte character of
// an ANSI code page, so the bytes of a line are cut at the same places as its decoded text.
// Every part lies in the line, an empty one too.
template <class Char>
struct FiguresSplit {
  std::basic_string_view<Char> low;
  std::basic_string_view<Char> avg;
  // After the second separator: the high figure and the four characters that end the line.
  std::basic_string_view<Char> rest;
  // Otherwise `low` holds the text before the one separator, or the whole line, and the
  // other two are empty.
  bool has_two_separators = false;
};

// How many characters at the end of a figures line belong to no figure.
inline constexpr std::size_t kFiguresTailLength = 4;

namespace figures_split {

inline constexpr std::size_t kSeparatorLength = 3;  // " / "

// Where the first " / " at or after `from` begins, or npos.
template <class Char>
std::size_t FindSeparator(std::basic_string_view<Char> text, std::size_t from) {
  const Char* const data = text.data();
  const std::size_t size = text.size();
#if QUORVATH_FIELD_SCAN_SSE2
  if constexpr (std::is_same_v<Char, char>) {
    // Sixteen bytes at a time: a separator starts at bit i when bit i of the spaces, bit
    // i + 1 of the slashes and bit i + 2 of the spaces are set. Only the first fourteen
    // starts lie wholly inside the sixteen bytes, so the next step starts there.
    constexpr std::size_t kChunk = sizeof(__m128i);
    constexpr std::size_t kStarts = kChunk - (kSeparatorLength - 1);
    const __m128i spaces = _mm_set1_epi8(' ');
    const __m128i slashes = _mm_set1_epi8('/');
    for (; from + kChunk <= size; from += kStarts) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
      const auto space_at = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, spaces)));
      const auto slash_at =
          static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, slashes)));
      const unsigned starts = space_at & (slash_at >> 1) & (space_at >> 2) & ((1u << kStarts) - 1);
      if (starts != 0) return from + static_cast<std::size_t>(std::countr_zero(starts));
    }
  }
#endif
  for (std::size_t slash = from + 1; slash + 1 < size; ++slash) {
    if (data[slash] == Char('/') && data[slash - 1] == Char(' ') && data[slash + 1] == Char(' ')) {
      return slash - 1;
    }
  }
  return std::basic_string_view<Char>::npos;
}

template <class Char>
inline FiguresSplit<Char> SplitAt(std::basic_string_view<Char> line, std::size_t first,
                                  std::size_t second) {
  constexpr std::size_t kNone = std::basic_string_view<Char>::npos;
  FiguresSplit<Char> split;
  // Even an empty part lies in the line, at its end: the caller may measure from it.
  split.avg = split.rest = line.substr(line.size());
  if (first == kNone) {
    split.low = line;
    return split;
  }
  split.low = line.substr(0, first);
  if (second == kNone) return split;
  const std::size_t avg_start = first + kSeparatorLength;
  split.avg = line.substr(avg_start, second - avg_start);
  split.rest = line.substr(second + kSeparatorLength);
  split.has_two_separators = true;
  return split;
}

#if QUORVATH_FIELD_SCAN_SSE2
// Bit i: a separator starts at byte i of the sixteen at `bytes` (i from 0 to 13).
inline unsigned SeparatorStartsIn16(const char* bytes) {
  const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const auto space_at =
      static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(' '))));
  const auto slash_at =
      static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('/'))));
  return space_at & (slash_at >> 1) & (space_at >> 2) & 0x3FFFu;
}
#endif

template <class Char>
FiguresSplit<Char> Split(std::basic_string_view<Char> line) {
  constexpr std::size_t kNone = std::basic_string_view<Char>::npos;
#if QUORVATH_FIELD_SCAN_SSE2
  if constexpr (std::is_same_v<Char, char>) {
    // A figures line as result files hold it, 16 to 30 bytes: its first and its last
    // sixteen bytes hold every place a separator can start, and neither load waits for a
    // separator to be found. The second separator is the first start after the first
    // separator ends. (Branches here would follow the lengths of the figures, which vary
    // from one group to the next.)
    const std::size_t size = line.size();
    if (size >= 16 && size <= 30) {
      const std::uint32_t starts =
          SeparatorStartsIn16(line.data()) |
          (std::uint32_t{SeparatorStartsIn16(line.data() + size - 16)} << (size - 16));
      // The first start, and the two after it, which would share its characters.
      const std::uint32_t first_and_overlapping = (starts & (~starts + 1)) * 0b111;
      const std::uint32_t after_first = starts & ~first_and_overlapping;
      return SplitAt(
          line, starts == 0 ? kNone : static_cast<std::size_t>(std::countr_zero(starts)),
          after_first == 0 ? kNone : static_cast<std::size_t>(std::countr_zero(after_first)));
    }
  }
#endif
  const std::size_t first = FindSeparator(line, 0);
  const std::size_t second = first == kNone ? kNone : FindSeparator(line, first + kSeparatorLength);
  return SplitAt(line, first, second);
}

}  // namespace figures_split

// Inline: the reader splits a line for every group of a file.
inline FiguresSplit<char> SplitAtSeparators(std::string_view line) {
  return figures_split::Split(line);
}
inline FiguresSplit<wchar_t> SplitAtSeparators(std::wstring_view line) {
  return figures_split::Split(line);
}

}  // namespace quorvath
