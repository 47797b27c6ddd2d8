#include "results/fps_record.h"
#include "results/fps_record_list.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace quorvath {
namespace {

std::wstring Padded(std::wstring_view text, std::size_t width) {
  std::wstring padded(text);
  padded.resize(width, L' ');
  return padded;
}

TEST(FixedText, NewTextIsAllSpaces) {
  const FixedText<10> text;
  EXPECT_EQ(text.view(), std::wstring(10, L' '));
}

TEST(FixedText, PadsShortTextOnTheRight) {
  EXPECT_EQ(FixedText<10>(L"1").view(), L"1         ");
  EXPECT_EQ(FixedText<14>(L"").view(), std::wstring(14, L' '));
  EXPECT_EQ(FixedText<14>(L" a b ").view(), L" a b          ");  // inner and outer spaces stay
}

TEST(FixedText, KeepsTextOfExactlyItsWidth) {
  EXPECT_EQ(FixedText<10>(L"0123456789").view(), L"0123456789");
}

TEST(FixedText, CutsLongTextToItsFirstCharacters) {
  EXPECT_EQ(FixedText<14>(L"Abcdefghijklmnopqrst").view(), L"Abcdefghijklmn");
  EXPECT_EQ(FixedText<10>(L"123456789012").view(), L"1234567890");
}

TEST(FixedText, StoringAgainReplacesTheWholeField) {
  FixedText<10> text(L"0123456789");
  text.Store(L"ab");
  EXPECT_EQ(text.view(), L"ab        ");
}

TEST(FixedText, CountsCharactersNotBytes) {
  // Two-byte characters of a double-byte code page, once decoded, are one character each.
  const std::wstring name =
      L"\u65e5\u672c\u8a9e\u306e\u30ec\u30d9\u30eb\u540d\u524d\u30c6"
      L"\u30b9\u30c8\u8868\u793a";
  ASSERT_EQ(name.size(), 14u);
  EXPECT_EQ(FixedText<14>(name).view(), name);
  EXPECT_EQ(FixedText<14>(name + L"\u5916").view(), name);
  EXPECT_EQ(FixedText<10>(name).view(), name.substr(0, 10));
}

// A character outside the basic plane as two UTF-16 units; as code units where wchar_t is
// wider, so that the same cut rule is tested on every build.
constexpr wchar_t kHigh = static_cast<wchar_t>(0xD83C);
constexpr wchar_t kLow = static_cast<wchar_t>(0xDFC1);

TEST(FixedText, NeverCutsASurrogatePairInHalf) {
  std::wstring text = L"123456789";
  text += kHigh;
  text += kLow;  // the pair takes places 10 and 11: it cannot fit into 10
  EXPECT_EQ(FixedText<10>(text).view(), L"123456789 ");
}

TEST(FixedText, KeepsASurrogatePairThatFits) {
  std::wstring text = L"12345678";
  text += kHigh;
  text += kLow;
  text += L"xyz";
  std::wstring expected = L"12345678";
  expected += kHigh;
  expected += kLow;
  EXPECT_EQ(FixedText<10>(text).view(), expected);
  EXPECT_EQ(FixedText<14>(text).view(), Padded(text, 14));
}

TEST(FixedText, CutsAfterALoneHighSurrogateAsAnyCharacter) {
  // Not a pair: nothing would be split, so the cut stays at the width.
  std::wstring text = L"123456789";
  text += kHigh;
  text += L'x';
  EXPECT_EQ(FixedText<10>(text).view(), text.substr(0, 10));
}

TEST(FpsRecord, HoldsItsFourFieldsAtTheirWidths) {
  FpsRecord record;
  EXPECT_EQ(record.level_name.view().size(), 14u);
  EXPECT_EQ(record.fps_low.view().size(), 10u);
  EXPECT_EQ(record.fps_avg.view().size(), 10u);
  EXPECT_EQ(record.fps_high.view().size(), 10u);
  record.level_name.Store(L"Level");
  EXPECT_EQ(record.level_name.view(), Padded(L"Level", 14));
  EXPECT_EQ(record.fps_low.view(), Padded(L"", 10));
}

FpsRecord NumberedRecord(std::size_t number) {
  FpsRecord record;
  record.level_name.Store(L"L" + std::to_wstring(number));
  record.fps_high.Store(std::to_wstring(number * 7));
  return record;
}

TEST(FpsRecordList, GrowsBlockByBlockKeepingEveryRecordInPlace) {
  constexpr std::size_t kCount = 3 * FpsRecordList::kBlockSize + 5;
  FpsRecordList list;
  EXPECT_TRUE(list.empty());
  std::vector<const FpsRecord*> addresses;
  for (std::size_t i = 0; i < kCount; ++i) {
    list.push_back(NumberedRecord(i));
    addresses.push_back(&list[i]);
  }

  ASSERT_EQ(list.size(), kCount);
  std::set<const FpsRecord*> distinct;
  for (std::size_t i = 0; i < kCount; ++i) {
    ASSERT_EQ(list[i], NumberedRecord(i)) << "record index " << i;
    ASSERT_EQ(&list[i], addresses[i]) << "growing moved record index " << i;
    distinct.insert(&list[i]);
  }
  EXPECT_EQ(distinct.size(), kCount) << "two indexes share a place";
}

TEST(FpsRecordList, ChangesARecordThroughItsIndexOnly) {
  FpsRecordList list;
  for (std::size_t i = 0; i < 100; ++i) list.push_back(NumberedRecord(i));
  list[47] = NumberedRecord(1000);
  EXPECT_EQ(list[47], NumberedRecord(1000));
  EXPECT_EQ(list[46], NumberedRecord(46));
  EXPECT_EQ(list[48], NumberedRecord(48));
}

TEST(FpsRecordList, IteratesInTheOrderOfAdding) {
  FpsRecordList list;
  for (std::size_t i = 0; i < FpsRecordList::kBlockSize + 2; ++i) list.push_back(NumberedRecord(i));
  std::size_t expected = 0;
  for (const FpsRecord& record : list) {
    EXPECT_EQ(record, NumberedRecord(expected));
    ++expected;
  }
  EXPECT_EQ(expected, list.size());
}

}  // namespace
}  // namespace quorvath
