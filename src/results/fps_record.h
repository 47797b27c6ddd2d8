// One benchmarked level as read from an FPS result file: four texts of fixed width.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace quorvath {

// How many characters of `text` a field of `width` keeps: all of them up to the width, one
// less when the cut would fall inside a surrogate pair.
std::size_t KeptLength(std::wstring_view text, std::size_t width);

// Exactly `Width` UTF-16 characters: a stored text is left-aligned, padded on the right with
// spaces or cut to its first `Width` characters. A cut never separates the two halves of a
// surrogate pair; the half pair is replaced by a space instead.
template <std::size_t Width>
class FixedText {
  static_assert(Width > 0);

 public:
  static constexpr std::size_t kWidth = Width;

  FixedText() { chars_.fill(L' '); }
  explicit FixedText(std::wstring_view text) { Store(text); }

  void Store(std::wstring_view text) {
    // A fixed number of steps, which the compiler unrolls: cheaper for these few characters
    // than a call to copy and another to fill.
    const std::size_t kept = KeptLength(text, Width);
    const wchar_t* source = text.data();
    for (std::size_t i = 0; i < Width; ++i) chars_[i] = i < kept ? source[i] : L' ';
  }

  std::wstring_view view() const { return {chars_.data(), Width}; }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  std::array<wchar_t, Width> chars_;
};

struct FpsRecord {
  FixedText<14> level_name;
  FixedText<10> fps_low;
  FixedText<10> fps_avg;
  FixedText<10> fps_high;

  friend bool operator==(const FpsRecord&, const FpsRecord&) = default;
};

}  // namespace quorvath
