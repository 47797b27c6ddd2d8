#include "results/fps_record.h"

namespace quorvath {

namespace {

// Compared as code units, so that the same test holds where wchar_t has 32 bits.
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::size_t KeptLength(std::wstring_view text, std::size_t width) {
  if (text.size() <= width) return text.size();
  if (width > 0 && IsHighSurrogate(text[width - 1]) && IsLowSurrogate(text[width])) {
    return width - 1;
  }
  return width;
}

}  // namespace quorvath
