// Outside Windows (the native test and benchmark builds) the ANSI code page is taken to be
// Windows-1252, the Western default.
#include "core/ansi_text.h"

#include <algorithm>
#include <array>

namespace quorvath {

namespace {

// 0x80..0x9F; the five codes that Windows-1252 leaves undefined map to themselves, as
// Windows decodes them.
constexpr std::array<wchar_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void AppendDecodedAnsi(std::string_view bytes, std::wstring& out) {
  const std::size_t old_size = out.size();
  out.resize(old_size + bytes.size());
  wchar_t* dest = out.data() + old_size;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    *dest++ = (byte >= 0x80 && byte < 0xA0) ? kCp1252High[byte - 0x80] : static_cast<wchar_t>(byte);
  }
}

std::optional<std::string> EncodeAnsi(std::wstring_view text) {
  std::string bytes;
  for (const wchar_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      bytes += static_cast<char>(c);
      continue;
    }
    const auto* const high = std::find(kCp1252High.begin(), kCp1252High.end(), c);
    if (high == kCp1252High.end()) return std::nullopt;
    bytes += static_cast<char>(0x80 + (high - kCp1252High.begin()));
  }
  return bytes;
}

}  // namespace quorvath
