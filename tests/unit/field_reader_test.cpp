// Fields of the program's text files, read from decoded text and from bytes alike.
#include "core/field_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvath {

// Every field as "line:text|".
template <class Char>
std::wstring Fields(std::basic_string_view<Char> text, std::size_t first_line = 1) {
  BasicFieldReader<Char> reader(text, first_line);
  std::wstring out;
  while (!reader.AtEnd()) {
    const auto field = reader.ReadField();
    out += std::to_wstring(reader.field_line()) + L":" + std::wstring(field.begin(), field.end());
    out += L"|";
  }
  return out;
}

TEST(FieldReader, SplitsFieldsAndLinesAlikeInTextAndBytes) {
  const std::pair<std::string_view, std::wstring_view> cases[] = {
      {"", L""},
      {"a", L"1:a|"},
      {"a\r\n", L"1:a|"},
      {"a\r\n\r\n", L"1:a|2:|"},
      {"a,\r\n", L"1:a|1:|"},
      {"a,b\r\nc", L"1:a|1:b|2:c|"},
      {"a\rb\nc\r\n\nd", L"1:a|2:b|3:c|4:|5:d|"},
      {"  x  ,\ty\t", L"1:x  |1:\ty\t|"},
      {"\"a, b\" tail,c", L"1:a, b|1:c|"},
      {" \"\",\"open\r\nnext", L"1:|1:open|2:next|"},
      {"0123456789abcdefghij,klmnopqrstuvwxyz0123\nABCDEFGHIJKLMNOPQRSTUVWXYZ\rlast",
       L"1:0123456789abcdefghij|1:klmnopqrstuvwxyz0123|2:ABCDEFGHIJKLMNOPQRSTUVWXYZ|3:last|"}};
  for (const auto& [text, fields] : cases) {
    EXPECT_EQ(Fields(text), fields) << text;
    EXPECT_EQ(Fields(std::wstring_view(std::wstring(text.begin(), text.end()))), fields) << text;
  }
  EXPECT_EQ(Fields(std::string_view("a\nb"), 7), L"7:a|8:b|");
  const std::wstring_view trims[][2] = {
      {L"  a b  ", L"a b"}, {L"a", L"a"}, {L"   ", L""}, {L"\ta\t", L"\ta\t"}};
  for (const auto& t : trims) EXPECT_EQ(TrimSpaces(t[0]), t[1]) << t[0].data();
}

}  // namespace quorvath
