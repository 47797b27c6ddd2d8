#include "core/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvath {
namespace {

std::vector<std::wstring> AllFields(std::wstring_view text) {
  FieldReader reader(text);
  std::vector<std::wstring> fields;
  while (!reader.AtEnd()) fields.emplace_back(reader.ReadField());
  return fields;
}

using Fields = std::vector<std::wstring>;

TEST(FieldReader, AnUnquotedFieldEndsAtTheFirstComma) {
  EXPECT_EQ(AllFields(L"C:\\Games\\Alpha,Beta\r\n"), (Fields{L"C:\\Games\\Alpha", L"Beta"}));
}

TEST(FieldReader, AQuotedFieldKeepsItsCommas) {
  EXPECT_EQ(AllFields(L"\"C:\\Games\\Alpha,Beta\"\r\nnext\r\n"),
            (Fields{L"C:\\Games\\Alpha,Beta", L"next"}));
}

TEST(FieldReader, WhatFollowsAClosingQuoteUpToTheCommaIsSkipped) {
  EXPECT_EQ(AllFields(L"\"a b\" junk,c\r\n"), (Fields{L"a b", L"c"}));
  EXPECT_EQ(AllFields(L"\"a b\"tail\r\nd"), (Fields{L"a b", L"d"}));
}

TEST(FieldReader, AQuoteThatIsNeverClosedEndsWithItsLine) {
  EXPECT_EQ(AllFields(L"\"open, still\r\nnext"), (Fields{L"open, still", L"next"}));
}

TEST(FieldReader, LeadingSpacesAreSkippedButNotTabsOrTrailingSpaces) {
  EXPECT_EQ(AllFields(L"   name  \r\n\tx\r\n  \"  quoted \"\r\n"),
            (Fields{L"name  ", L"\tx", L"  quoted "}));
}

TEST(FieldReader, AnEmptyLineIsOneEmptyField) {
  EXPECT_EQ(AllFields(L"a\r\n\r\nb\r\n"), (Fields{L"a", L"", L"b"}));
  EXPECT_EQ(AllFields(L"\r\n"), (Fields{L""}));
  EXPECT_EQ(AllFields(L"   \r\n"), (Fields{L""}));
}

TEST(FieldReader, ALastLineWithoutItsLineBreakIsReadTheSame) {
  EXPECT_EQ(AllFields(L"a\r\nb"), AllFields(L"a\r\nb\r\n"));
  EXPECT_EQ(AllFields(L"a\r\nb"), (Fields{L"a", L"b"}));
}

TEST(FieldReader, AnEmptyLineAfterTheLastIsStillToBeRead) {
  // A stray line break after the last line begins one more (empty) line.
  EXPECT_EQ(AllFields(L"a\r\n\r\n"), (Fields{L"a", L""}));
}

TEST(FieldReader, LinesMayEndInCrLfLfOrALoneCr) {
  EXPECT_EQ(AllFields(L"a\nb\rc\r\nd"), (Fields{L"a", L"b", L"c", L"d"}));
  EXPECT_EQ(AllFields(L"a\r\rb"), (Fields{L"a", L"", L"b"}));
  EXPECT_EQ(AllFields(L"a\n\nb"), (Fields{L"a", L"", L"b"}));
}

TEST(FieldReader, ACommaAtTheEndOfALineLeavesAnEmptyField) {
  EXPECT_EQ(AllFields(L"a,\r\nb"), (Fields{L"a", L"", L"b"}));
  EXPECT_EQ(AllFields(L"a,,b"), (Fields{L"a", L"", L"b"}));
}

TEST(FieldReader, CountsTheLineOfEachField) {
  FieldReader reader(L"one,two\r\n\r\nthree\nfour", 10);
  std::vector<std::size_t> lines;
  while (!reader.AtEnd()) {
    reader.ReadField();
    lines.push_back(reader.field_line());
  }
  EXPECT_EQ(lines, (std::vector<std::size_t>{10, 10, 11, 12, 13}));
}

TEST(FieldReader, ReadingAtTheEndGivesEmptyFieldsAndStaysThere) {
  FieldReader reader(L"x");
  EXPECT_EQ(reader.ReadField(), L"x");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadField(), L"");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(FieldReader(L"").AtEnd());
}

TEST(TrimSpaces, RemovesSpacesOnlyAtBothEnds) {
  EXPECT_EQ(TrimSpaces(L"  C:\\Games\\Alpha  "), L"C:\\Games\\Alpha");
  EXPECT_EQ(TrimSpaces(L"\tC:\\A\t"), L"\tC:\\A\t");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_EQ(TrimSpaces(L"a b"), L"a b");
}

}  // namespace
}  // namespace quorvath
