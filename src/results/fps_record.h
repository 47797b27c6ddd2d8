// One benchmarked level as read from an FPS result file: four texts of fixed width.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/field_reader.h"  // the SSE2 switch

namespace quorvath {

// How many units of UTF-16 `text` a field of `width` keeps: all of them up to the width,
// one less when the cut would fall inside a surrogate pair.
std::size_t KeptLength(std::u16string_view text, std::size_t width);
std::size_t KeptLength(std::wstring_view text, std::size_t width);

// Exactly `Width` UTF-16 units, two bytes each on every platform, so that a million records
// weigh the same natively as on Windows. A stored text is left-aligned, padded on the right
// with spaces or cut to its first `Width` units. A cut never separates the two halves of a
// surrogate pair; the half pair is replaced by a space instead.
template <std::size_t Width>
class FixedText {
  static_assert(Width > 0);

 public:
  static constexpr std::size_t kWidth = Width;

  FixedText() { units_.fill(u' '); }
  explicit FixedText(std::u16string_view text) { Store(text); }
  explicit FixedText(std::wstring_view text) { Store(text); }

  void Store(std::u16string_view text) { StoreUnits(text); }

  // Text whose wchar_t is UTF-16 (Windows) or UTF-32 (elsewhere, where no decoder of this
  // program gives a character beyond U+FFFF: one that is there anyway is stored as U+FFFD).
  void Store(std::wstring_view text) { StoreUnits(text); }

  // Bytes that are each one character, their code: the caller has made sure that the bytes
  // to be kept, the first min(size, Width), are all below 0x80.
  void StoreAscii(std::string_view ascii) {
    const std::size_t kept = ascii.size() < Width ? ascii.size() : Width;
    for (std::size_t i = 0; i < Width; ++i) {
      units_[i] = i < kept ? static_cast<char16_t>(static_cast<unsigned char>(ascii[i])) : u' ';
    }
  }

#if QUORVATH_FIELD_SCAN_SSE2
  // StoreAscii from the sixteen bytes at `bytes`, which may all be read; the text is their
  // first `size`. One load, one blend with spaces, two widenings, and stores that do not
  // overlap, without a branch.
  void StoreAsciiFrom16(const char* bytes, std::size_t size) {
    static_assert(Width <= 16);
    const std::size_t kept = size < Width ? size : Width;
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i lane = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m128i kept_lane = _mm_cmplt_epi8(lane, _mm_set1_epi8(static_cast<char>(kept)));
    const __m128i padded = _mm_or_si128(_mm_and_si128(kept_lane, chunk),
                                        _mm_andnot_si128(kept_lane, _mm_set1_epi8(' ')));
    char* const out = reinterpret_cast<char*>(units_.data());
    StoreFirstUnits<(Width < 8 ? Width : 8)>(out, _mm_unpacklo_epi8(padded, _mm_setzero_si128()));
    if constexpr (Width > 8) {
      StoreFirstUnits<Width - 8>(out + 16, _mm_unpackhi_epi8(padded, _mm_setzero_si128()));
    }
  }
#endif

  std::u16string_view units() const { return {units_.data(), Width}; }

  // The text as the program's strings hold it.
  std::wstring text() const { return std::wstring(units_.begin(), units_.end()); }
  void AppendTo(std::wstring& out) const {
    // Sized first and written in place: append() from char16_t would build a temporary
    // string, one allocation per field.
    const std::size_t at = out.size();
    out.resize(at + Width);
    for (std::size_t i = 0; i < Width; ++i) out[at + i] = static_cast<wchar_t>(units_[i]);
  }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  template <class Unit>
  void StoreUnits(std::basic_string_view<Unit> text) {
    // A fixed number of steps, which the compiler unrolls: cheaper for these few characters
    // than a call to copy and another to fill.
    const std::size_t kept = KeptLength(text, Width);
    const Unit* source = text.data();
    for (std::size_t i = 0; i < Width; ++i) units_[i] = i < kept ? ToUnit(source[i]) : u' ';
  }

#if QUORVATH_FIELD_SCAN_SSE2
  // The first Count of the eight 16-bit units in `units` to `out`, in stores of eight, four,
  // two and one units that never write past them.
  template <std::size_t Count>
  static void StoreFirstUnits(char* out, __m128i units) {
    static_assert(Count <= 8);
    if constexpr (Count == 8) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), units);
    } else if constexpr (Count >= 4) {
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out), units);
      StoreFirstUnits<Count - 4>(out + 8, _mm_srli_si128(units, 8));
    } else if constexpr (Count >= 2) {
      const auto two = static_cast<std::uint32_t>(_mm_cvtsi128_si32(units));
      std::memcpy(out, &two, sizeof two);
      StoreFirstUnits<Count - 2>(out + 4, _mm_srli_si128(units, 4));
    } else if constexpr (Count == 1) {
      const auto one = static_cast<std::uint16_t>(_mm_cvtsi128_si32(units));
      std::memcpy(out, &one, sizeof one);
    }
  }
#endif

  template <class Unit>
  static char16_t ToUnit(Unit unit) {
    const auto code = static_cast<std::uint32_t>(unit);
    return code <= 0xFFFF ? static_cast<char16_t>(code) : u'\uFFFD';
  }

  std::array<char16_t, Width> units_;
};

struct FpsRecord {
  FixedText<14> level_name;
  FixedText<10> fps_low;
  FixedText<10> fps_avg;
  FixedText<10> fps_high;

  friend bool operator==(const FpsRecord&, const FpsRecord&) = default;
};

}  // namespace quorvath
