#include "results/fps_record.h"

namespace quorvath {

namespace {

template <class Unit>
std::size_t KeptUnits(std::basic_string_view<Unit> text, std::size_t width) {
  if (text.size() <= width) return text.size();
  // Compared as numbers, so that the same rule holds for text in a 32-bit wchar_t.
  const auto before_cut = static_cast<std::uint32_t>(text[width - 1]);
  const auto after_cut = static_cast<std::uint32_t>(text[width]);
  const bool splits_pair =
      before_cut >= 0xD800 && before_cut <= 0xDBFF && after_cut >= 0xDC00 && after_cut <= 0xDFFF;
  return splits_pair ? width - 1 : width;
}

}  // namespace

std::size_t KeptLength(std::u16string_view text, std::size_t width) {
  return KeptUnits(text, width);
}

std::size_t KeptLength(std::wstring_view text, std::size_t width) { return KeptUnits(text, width); }

}  // namespace quorvath
