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
  EXPECT_EQ(text.text(), std::wstring(10, L' '));
}

TEST(FixedText, PadsShortTextOnTheRight) {
  EXPECT_EQ(FixedText<10>(L"1").text(), L"1         ");
  EXPECT_EQ(FixedText<14>(L"").text(), std::wstring(14, L' '));
  EXPECT_EQ(FixedText<14>(L" a b ").text(), L" a b          ");  // inner and outer spaces stay
}

TEST(FixedText, KeepsTextOfExactlyItsWidth) {
  EXPECT_EQ(FixedText<10>(L"0123456789").text(), L"0123456789");
}

TEST(FixedText, CutsLongTextToItsFirstCharacters) {
  EXPECT_EQ(FixedText<14>(L"Abcdefghijklmnopqrst").text(), L"Abcdefghijklmn");
  EXPECT_EQ(FixedText<10>(L"123456789012").text(), L"1234567890");
}

TEST(FixedText, StoringAgainReplacesTheWholeField) {
  FixedText<10> text(L"0123456789");
  text.Store(L"ab");
  EXPECT_EQ(text.text(), L"ab        ");
}

TEST(FixedText, CountsCharactersNotBytes) {
  // Two-byte characters of a double-byte code page, once decoded, are one character each.
  const std::wstring name =
      L"\u65e5\u672c\u8a9e\u306e\u30ec\u30d9\u30eb\u540d\u524d\u30c6"
      L"\u30b9\u30c8\u8868\u793a";
  ASSERT_EQ(name.size(), 14u);
  EXPECT_EQ(FixedText<14>(name).text(), name);
  EXPECT_EQ(FixedText<14>(name + L"\u5916").text(), name);
  EXPECT_EQ(FixedText<10>(name).text(), name.substr(0, 10));
}

// A character outside the basic plane as two UTF-16 units; as code units where wchar_t is
// wider, so that the same cut rule is tested on every build.
constexpr wchar_t kHigh = static_cast<wchar_t>(0xD83C);
constexpr wchar_t kLow = static_cast<wchar_t>(0xDFC1);

TEST(FixedText, NeverCutsASurrogatePairInHalf) {
  std::wstring text = L"123456789";
  text += kHigh;
  text += kLow;  // the pair takes places 10 and 11: it cannot fit into 10
  EXPECT_EQ(FixedText<10>(text).text(), L"123456789 ");
  EXPECT_EQ(FixedText<10>(u"123456789\U0001F3C1").units(), std::u16string_view(u"123456789 "));
}

TEST(FixedText, KeepsASurrogatePairThatFits) {
  std::wstring text = L"12345678";
  text += kHigh;
  text += kLow;
  text += L"xyz";
  std::wstring expected = L"12345678";
  expected += kHigh;
  expected += kLow;
  EXPECT_EQ(FixedText<10>(text).text(), expected);
  EXPECT_EQ(FixedText<14>(text).text(), Padded(text, 14));
}

TEST(FixedText, CutsAfterALoneHighSurrogateAsAnyCharacter) {
  // Not a pair: nothing would be split, so the cut stays at the width.
  std::wstring text = L"123456789";
  text += kHigh;
  text += L'x';
  EXPECT_EQ(FixedText<10>(text).text(), text.substr(0, 10));
}

TEST(FixedText, HoldsUtf16UnitsOfTwoBytesOnEveryPlatform) {
  static_assert(sizeof(FixedText<14>) == 28);
  static_assert(sizeof(FpsRecord) == 88);  // as on Windows, where wchar_t is UTF-16
  const FixedText<10> text(u"\u00e9t\u00e9 \u20ac");
  EXPECT_EQ(text.units(), std::u16string_view(u"\u00e9t\u00e9 \u20ac     "));
  EXPECT_EQ(text.text(), L"\u00e9t\u00e9 \u20ac     ");
}

TEST(FixedText, AppendsItsWholeWidthToAString) {
  std::wstring row = L"x";
  FixedText<10>(L"\u8868 1").AppendTo(row);
  FixedText<14>(L"").AppendTo(row);
  EXPECT_EQ(row, L"x\u8868 1" + std::wstring(7 + 14, L' '));
}

TEST(FixedText, StoresAsciiBytesOneCharacterEach) {
  FixedText<10> text;
  text.StoreAscii("12.5");
  EXPECT_EQ(text.text(), L"12.5      ");
  text.StoreAscii("123456789012");
  EXPECT_EQ(text.text(), L"1234567890");
  text.StoreAscii("");
  EXPECT_EQ(text.text(), std::wstring(10, L' '));
  // Only the bytes that are kept have to be ASCII.
  text.StoreAscii("0123456789\xe9");
  EXPECT_EQ(text, FixedText<10>(L"0123456789"));
}

// Every width and every length of text, from a buffer that goes on past the text: what is
// beyond the text never shows, and nothing is written beyond the field.
template <std::size_t Width>
void ExpectAsciiStoresAgree() {
  const std::string buffer = "0123456789abcdefghij";  // the text, then more bytes
  for (std::size_t size = 0; size <= 16; ++size) {
    SCOPED_TRACE(testing::Message() << "width " << Width << ", text of " << size);
    struct Guarded {
      FixedText<Width> field;
      char16_t after = u'#';
    } guarded;
    guarded.field.StoreAscii(std::string_view(buffer).substr(0, size));
    const FixedText<Width> expected(std::wstring(buffer.begin(), buffer.begin() + size));
    EXPECT_EQ(guarded.field, expected);
#if QUORVATH_FIELD_SCAN_SSE2
    guarded.field = FixedText<Width>(L"xxxxxxxxxxxxxxxxxxxx");
    guarded.field.StoreAsciiFrom16(buffer.data(), size);
    EXPECT_EQ(guarded.field, expected);
#endif
    EXPECT_EQ(guarded.after, u'#');
  }
}

TEST(FixedText, StoresAsciiAlikeWhateverTheWidthAndLength) {
  ExpectAsciiStoresAgree<1>();
  ExpectAsciiStoresAgree<2>();
  ExpectAsciiStoresAgree<3>();
  ExpectAsciiStoresAgree<7>();
  ExpectAsciiStoresAgree<8>();
  ExpectAsciiStoresAgree<9>();
  ExpectAsciiStoresAgree<10>();
  ExpectAsciiStoresAgree<11>();
  ExpectAsciiStoresAgree<13>();
  ExpectAsciiStoresAgree<14>();
  ExpectAsciiStoresAgree<15>();
  ExpectAsciiStoresAgree<16>();
}

TEST(FixedText, StoresTheSameFromEveryKindOfText) {
  EXPECT_EQ(FixedText<10>(u"Morpheus"), FixedText<10>(L"Morpheus"));
  FixedText<10> ascii;
  ascii.StoreAscii("Morpheus");
  EXPECT_EQ(ascii, FixedText<10>(L"Morpheus"));
}

TEST(FixedText, ReplacesACharacterBeyondUtf16UnitsWhereWcharTHas32Bits) {
  if constexpr (sizeof(wchar_t) == 4) {
    // No decoder of the program gives one; text made up by hand could.
    std::wstring text = L"ab";
    text += static_cast<wchar_t>(0x1F3C1);
    EXPECT_EQ(FixedText<4>(text).units(), std::u16string_view(u"ab\uFFFD "));
  } else {
    GTEST_SKIP() << "wchar_t holds UTF-16 units here";
  }
}

TEST(FpsRecord, HoldsItsFourFieldsAtTheirWidths) {
  FpsRecord record;
  EXPECT_EQ(record.level_name.units().size(), 14u);
  EXPECT_EQ(record.fps_low.units().size(), 10u);
  EXPECT_EQ(record.fps_avg.units().size(), 10u);
  EXPECT_EQ(record.fps_high.units().size(), 10u);
  record.level_name.Store(L"Level");
  EXPECT_EQ(record.level_name.text(), Padded(L"Level", 14));
  EXPECT_EQ(record.fps_low.text(), Padded(L"", 10));
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
