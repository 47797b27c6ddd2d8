// The boundary between the bytes of the program's text files and the UTF-16 text the
// program works with. Files are in the system's ANSI code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

// Appends `bytes`, decoded from the system's ANSI code page, to `out`. Pass whole
// characters only: never cut a multi-byte character between two calls. The characters
// that structure the program's files (line breaks, comma, double quote, space, slash) are
// all below 0x40 and never occur inside a multi-byte character of an ANSI code page, so a
// cut just after a line break is always safe.
void AppendDecodedAnsi(std::string_view bytes, std::wstring& out);

inline std::wstring DecodeAnsi(std::string_view bytes) {
  std::wstring text;
  AppendDecodedAnsi(bytes, text);
  return text;
}

// `text` in the system's ANSI code page, or nothing when the code page cannot spell all of it.
std::optional<std::string> EncodeAnsi(std::wstring_view text);

}  // namespace quorvath
