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

}  // namespace quorvath
