// UTF-8 to and from the program's text, whatever the width of wchar_t: surrogate pairs are
// given as code units, so that they are tested natively too.
#include "core/utf8.h"

#include <gtest/gtest.h>

namespace quorvath {

TEST(Utf8, EncodesAndDecodesEachLengthUpToItsLimits) {
  const std::pair<std::wstring, std::string> cases[] = {
      {L"", ""},
      {L"A\x7F", "A\x7F"},
      {{0x80}, "\xC2\x80"},
      {{0x7FF}, "\xDF\xBF"},
      {{0x800}, "\xE0\xA0\x80"},
      {{0xD7FF, 0xE000}, "\xED\x9F\xBF\xEE\x80\x80"},
      {{0xFFFF}, "\xEF\xBF\xBF"},
      {L"\U00010000", "\xF0\x90\x80\x80"},
      {L"\U0010FFFF", "\xF4\x8F\xBF\xBF"}};
  for (const auto& [text, bytes] : cases) {
    EXPECT_EQ(EncodeUtf8(text), bytes);
    EXPECT_EQ(DecodeUtf8(bytes), text) << bytes;
  }
  const std::pair<std::wstring, std::string> units[] = {
      {{0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
      {{0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF"},
      {{0xD800}, "\xEF\xBF\xBD"},
      {{0xDFFF, L'x'}, "\xEF\xBF\xBDx"},
      {{0xD83D, L'x'}, "\xEF\xBF\xBDx"},
      {{0xDE00, 0xD83D}, "\xEF\xBF\xBD\xEF\xBF\xBD"}};
  for (const auto& [text, bytes] : units) EXPECT_EQ(EncodeUtf8(text), bytes);
  for (const std::string_view bytes :
       {"\x80", "\xBF", "\xC3", "\xE2\x82", "\xC3(", "\xC3\xC3", "\xC0\x80", "\xC1\xBF",
        "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80",
        "\xF5\x80\x80\x80", "\xFF", "ok\xE9"}) {
    EXPECT_EQ(DecodeUtf8(bytes), std::nullopt) << bytes;
  }
}

}  // namespace quorvath
