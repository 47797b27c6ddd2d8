#include "core/utf8.h"

#include <cstdint>

namespace quorvath {

std::string EncodeUtf8(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto code = static_cast<std::uint32_t>(text[i]);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() &&
        static_cast<std::uint32_t>(text[i + 1]) - 0xDC00 < 0x400) {
      code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
    } else if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      code = 0xFFFD;
    }
    if (code < 0x80) {
      bytes += static_cast<char>(code);
    } else {
      constexpr std::uint32_t kLead[] = {0, 0xC0, 0xE0, 0xF0};
      const int tail = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
      bytes += static_cast<char>(kLead[tail] | (code >> (6 * tail)));
      for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6) {
        bytes += static_cast<char>(0x80 | ((code >> shift) & 0x3F));
      }
    }
  }
  return bytes;
}

std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    const int tail = lead < 0x80                   ? 0
                     : lead >= 0xC2 && lead < 0xE0 ? 1
                     : lead >= 0xE0 && lead < 0xF0 ? 2
                     : lead >= 0xF0 && lead < 0xF5 ? 3
                                                   : -1;
    if (tail < 0 || i + static_cast<std::size_t>(tail) > bytes.size()) return std::nullopt;
    std::uint32_t code = lead & (0x7Fu >> tail);
    for (int k = 0; k < tail; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i++]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
    constexpr std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[tail] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      return std::nullopt;
    }
    if (code >= 0x10000 && sizeof(wchar_t) == 2) {
      text += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
      text += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      text += static_cast<wchar_t>(code);
    }
  }
  return text;
}

}  // namespace quorvath
