// Text in the ANSI code page, which outside Windows is Windows-1252.
#include <gtest/gtest.h>

#include "core/ansi_text.h"

namespace quorvath {

TEST(AnsiText, DecodesAndEncodesWindows1252) {
  const std::pair<std::string, std::wstring> cases[] = {
      {"", L""},        {"A~\x7F", L"A~\x7F"}, {"\x80", {0x20AC}},
      {"\x81", {0x81}}, {"\x8A", {0x160}},     {"\x9F", {0x178}},
      {"\xA0", {0xA0}}, {"\xFF", {0xFF}},      {"\xE9t\xE9", L"\u00E9t\u00E9"}};
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(DecodeAnsi(bytes), text) << bytes;
    EXPECT_EQ(EncodeAnsi(text), bytes) << bytes;
  }
  std::wstring out = L"a";
  AppendDecodedAnsi("\x80", out);
  EXPECT_EQ(out, L"a\u20AC");
  for (const int c : {0x80, 0x9F, 0x100, 0x20AD, 0x4E2D}) {
    EXPECT_EQ(EncodeAnsi(std::wstring{L'a', static_cast<wchar_t>(c)}), std::nullopt) << c;
  }
}

}  // namespace quorvath
