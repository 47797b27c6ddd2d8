#include "core/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace quorvath {
namespace {

using Fields = std::vector<std::wstring>;

// The same cases over decoded text and over bytes: the structure of a line (spaces, quotes,
// commas, line breaks) is the same characters in both.
template <class Char>
class FieldReaderOver : public testing::Test {
 protected:
  // The case's text, ASCII, as this reader's characters.
  static std::basic_string<Char> Text(std::wstring_view text) {
    return std::basic_string<Char>(text.begin(), text.end());
  }

  static Fields AllFields(std::wstring_view text) {
    const std::basic_string<Char> chars = Text(text);
    BasicFieldReader<Char> reader(chars);
    Fields fields;
    while (!reader.AtEnd()) {
      const std::basic_string_view<Char> field = reader.ReadField();
      fields.emplace_back(field.begin(), field.end());
    }
    return fields;
  }
};
using CharacterTypes = testing::Types<wchar_t, char>;
class CharacterTypeNames {
 public:
  template <class Char>
  static std::string GetName(int) {
    return std::is_same_v<Char, char> ? "Bytes" : "Text";
  }
};
TYPED_TEST_SUITE(FieldReaderOver, CharacterTypes, CharacterTypeNames);

TYPED_TEST(FieldReaderOver, AnUnquotedFieldEndsAtTheFirstComma) {
  EXPECT_EQ(this->AllFields(L"C:\\Games\\Alpha,Beta\r\n"), (Fields{L"C:\\Games\\Alpha", L"Beta"}));
}

TYPED_TEST(FieldReaderOver, AQuotedFieldKeepsItsCommas) {
  EXPECT_EQ(this->AllFields(L"\"C:\\Games\\Alpha,Beta\"\r\nnext\r\n"),
            (Fields{L"C:\\Games\\Alpha,Beta", L"next"}));
}

TYPED_TEST(FieldReaderOver, WhatFollowsAClosingQuoteUpToTheCommaIsSkipped) {
  EXPECT_EQ(this->AllFields(L"\"a b\" junk,c\r\n"), (Fields{L"a b", L"c"}));
  EXPECT_EQ(this->AllFields(L"\"a b\"tail\r\nd"), (Fields{L"a b", L"d"}));
}

TYPED_TEST(FieldReaderOver, AQuoteThatIsNeverClosedEndsWithItsLine) {
  EXPECT_EQ(this->AllFields(L"\"open, still\r\nnext"), (Fields{L"open, still", L"next"}));
}

TYPED_TEST(FieldReaderOver, LeadingSpacesAreSkippedButNotTabsOrTrailingSpaces) {
  EXPECT_EQ(this->AllFields(L"   name  \r\n\tx\r\n  \"  quoted \"\r\n"),
            (Fields{L"name  ", L"\tx", L"  quoted "}));
}

TYPED_TEST(FieldReaderOver, AnEmptyLineIsOneEmptyField) {
  EXPECT_EQ(this->AllFields(L"a\r\n\r\nb\r\n"), (Fields{L"a", L"", L"b"}));
  EXPECT_EQ(this->AllFields(L"\r\n"), (Fields{L""}));
  EXPECT_EQ(this->AllFields(L"   \r\n"), (Fields{L""}));
}

TYPED_TEST(FieldReaderOver, ALastLineWithoutItsLineBreakIsReadTheSame) {
  EXPECT_EQ(this->AllFields(L"a\r\nb"), this->AllFields(L"a\r\nb\r\n"));
  EXPECT_EQ(this->AllFields(L"a\r\nb"), (Fields{L"a", L"b"}));
}

TYPED_TEST(FieldReaderOver, AnEmptyLineAfterTheLastIsStillToBeRead) {
  // A stray line break after the last line begins one more (empty) line.
  EXPECT_EQ(this->AllFields(L"a\r\n\r\n"), (Fields{L"a", L""}));
}

TYPED_TEST(FieldReaderOver, LinesMayEndInCrLfLfOrALoneCr) {
  EXPECT_EQ(this->AllFields(L"a\nb\rc\r\nd"), (Fields{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(this->AllFields(L"a\r\rb"), (Fields{L"a", L"", L"b"}));
  EXPECT_EQ(this->AllFields(L"a\n\nb"), (Fields{L"a", L"", L"b"}));
}

TYPED_TEST(FieldReaderOver, ACommaAtTheEndOfALineLeavesAnEmptyField) {
  EXPECT_EQ(this->AllFields(L"a,\r\nb"), (Fields{L"a", L"", L"b"}));
  EXPECT_EQ(this->AllFields(L"a,,b"), (Fields{L"a", L"", L"b"}));
}

TYPED_TEST(FieldReaderOver, CountsTheLineOfEachField) {
  const auto text = this->Text(L"one,two\r\n\r\nthree\nfour");
  BasicFieldReader<TypeParam> reader(text, 10);
  std::vector<std::size_t> lines;
  while (!reader.AtEnd()) {
    reader.ReadField();
    lines.push_back(reader.field_line());
  }
  EXPECT_EQ(lines, (std::vector<std::size_t>{10, 10, 11, 12, 13}));
}

TYPED_TEST(FieldReaderOver, ReadingAtTheEndGivesEmptyFieldsAndStaysThere) {
  const auto text = this->Text(L"x");
  BasicFieldReader<TypeParam> reader(text);
  EXPECT_EQ(reader.ReadField(), this->Text(L"x"));
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(reader.ReadField().empty());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(BasicFieldReader<TypeParam>({}).AtEnd());
}

TYPED_TEST(FieldReaderOver, FindsTheEndOfAFieldWhereverItFallsInALongLine) {
  // Fields of every length after a first field of every length, so that their ends fall at
  // every place of the 64-byte blocks that bytes are searched in, and on both sides of
  // their edges; the text ends just after, or a long way after.
  for (std::size_t before = 0; before < 70; before += 3) {
    for (std::size_t length = 0; length < 140; ++length) {
      for (const std::wstring_view end : {L",", L"\r\n", L"\n", L"\r"}) {
        const std::wstring first(before, L'a');
        const std::wstring field(length, L'x');
        SCOPED_TRACE(testing::Message() << "field of " << length << " after " << before);
        const std::wstring text = first + L"\n" + field + std::wstring(end);
        ASSERT_EQ(this->AllFields(text + L"n"), (Fields{first, field, L"n"}));
        ASSERT_EQ(this->AllFields(text + std::wstring(100, L'n')),
                  (Fields{first, field, std::wstring(100, L'n')}));
      }
    }
  }
}

TYPED_TEST(FieldReaderOver, GoesOnAfterAQuotedFieldLongerThanABlock) {
  const std::wstring quoted(200, L',');  // commas that are no field ends
  EXPECT_EQ(this->AllFields(L"\"" + quoted + L"\" skipped, to the comma,b\r\nc"),
            (Fields{quoted, L"to the comma", L"b", L"c"}));
  EXPECT_EQ(this->AllFields(L"a\r\n\"" + quoted + L"\"" + std::wstring(150, L'z') + L"\nc"),
            (Fields{L"a", quoted, L"c"}));
}

TYPED_TEST(FieldReaderOver, ANeighbourOfAStructuralCharacterIsNoneOfThem) {
  // One above and one below comma, CR, LF and the double quote: 0x2B 0x2D 0x0C 0x0E 0x09
  // 0x0B 0x21 0x23, next to each other and then right before the comma.
  const std::wstring neighbours = L"+-\x0c\x0e\t\x0b!#+-\x0c\x0e\t\x0b!#";
  EXPECT_EQ(this->AllFields(neighbours + L",b\x01\r\n"), (Fields{neighbours, L"b\x01"}));
  EXPECT_EQ(this->AllFields(L"\x01,\x01\x01\x01\x01\x01\x01\x01\x01,\x01"),
            (Fields{L"\x01", L"\x01\x01\x01\x01\x01\x01\x01\x01", L"\x01"}));
}

// Bytes only: what a file in a double-byte code page or in Windows-1252 holds. A byte from
// 0x80 up is never taken for a comma, a quote or a line break, even when its low seven bits
// are one (0xAC, 0xA2, 0x8D, 0x8A), and the second byte of a double-byte character, 0x40 and
// up, is text.
TEST(ByteFieldReader, BytesAboveAsciiAreNeverStructure) {
  const std::string text =
      "\xac\xa2\x8d\x8a\xe9\x95\x5c\x83\x5c,\x82\xa0 \"\x8a\xac\"\r\n"
      "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x8c\x83\x78\x83\x8b\x96\xbc\r\n";
  ByteFieldReader reader(text);
  EXPECT_EQ(reader.ReadField(), "\xac\xa2\x8d\x8a\xe9\x95\x5c\x83\x5c");
  EXPECT_EQ(reader.ReadField(), "\x82\xa0 \"\x8a\xac\"");  // a quote later in a field is text
  EXPECT_EQ(reader.field_line(), 1u);
  EXPECT_EQ(reader.ReadField(), "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x8c\x83\x78\x83\x8b\x96\xbc");
  EXPECT_EQ(reader.field_line(), 2u);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(TrimSpaces, RemovesSpacesOnlyAtBothEnds) {
  EXPECT_EQ(TrimSpaces(L"  C:\\Games\\Alpha  "), L"C:\\Games\\Alpha");
  EXPECT_EQ(TrimSpaces(L"\tC:\\A\t"), L"\tC:\\A\t");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_EQ(TrimSpaces(L"a b"), L"a b");
}

}  // namespace
}  // namespace quorvath
