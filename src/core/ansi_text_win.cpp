#include "core/ansi_text.h"

#include <windows.h>

#include <climits>

namespace quorvath {

void AppendDecodedAnsi(std::string_view bytes, std::wstring& out) {
  // No ANSI code page turns one byte into more than one UTF-16 unit, so the byte count
  // bounds the output and one conversion call does.
  while (!bytes.empty()) {
    const int piece = static_cast<int>(bytes.size() < INT_MAX / 2 ? bytes.size() : INT_MAX / 2);
    const std::size_t old_size = out.size();
    out.resize(old_size + static_cast<std::size_t>(piece));
    const int written =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), piece, out.data() + old_size, piece);
    out.resize(old_size + static_cast<std::size_t>(written > 0 ? written : 0));
    bytes.remove_prefix(static_cast<std::size_t>(piece));
  }
}

std::optional<std::string> EncodeAnsi(std::wstring_view text) {
  if (text.empty()) return std::string();
  // UTF-8 as the ANSI code page spells everything, and refuses the "default used" flag and
  // the best-fit flag; any other code page must not spell a character by a look-alike ("A"
  // for U+0100), which would name another key or file.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL used_default = FALSE;
  BOOL* const report_default = utf8 ? nullptr : &used_default;
  const int wide_length = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_ACP, flags, text.data(), wide_length, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(CP_ACP, flags, text.data(), wide_length, bytes.data(), length, nullptr,
                          report_default) != length ||
      used_default) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace quorvath
