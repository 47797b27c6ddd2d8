#include "results/result_rows.h"

#include <gtest/gtest.h>

#include "results/fps_reader.h"

namespace quorvath {
namespace {

FpsRecordList Records(std::wstring_view text) { return ReadFpsText(text).records; }

std::wstring Groups(int count) {
  std::wstring text;
  for (int i = 1; i <= count; ++i) {
    text +=
        L"L" + std::to_wstring(i) + L"\r\n" + std::to_wstring(i) + L" / 2 / 3 fps\r\nx\r\ny\r\n";
  }
  return text;
}

TEST(DataRow, IsTheFourPaddedFieldsJoinedByOneTabEach) {
  const FpsRecordList records = Records(L"dm-deck16\r\n41.26 / 78.90 / 143.02 fps\r\na\r\nb\r\n");
  ASSERT_EQ(records.size(), 1u);
  const std::wstring row = DataRow(records[0]);
  EXPECT_EQ(row, L"dm-deck16     \t41.26     \t78.90     \t143.02    ");
  EXPECT_EQ(row.size(), 47u);
}

TEST(DataRow, IsAlways47CharactersLong) {
  const FpsRecordList records = Records(
      L"A level name far longer than fourteen\r\n123456789012 / / x / abcdefghijklmnop\r\n\r\n\r\n"
      L"\r\n1 / 2 / 3abcd\r\n\r\n\r\n");
  ASSERT_EQ(records.size(), 2u);
  for (const FpsRecord& record : records) EXPECT_EQ(DataRow(record).size(), 47u);
}

TEST(ResolutionCaption, CyclesFromTheHighestResolution) {
  EXPECT_EQ(ResolutionCaption(1), L"1600 x 1200");
  EXPECT_EQ(ResolutionCaption(2), L"1280 x 1024");
  EXPECT_EQ(ResolutionCaption(3), L"1024 x 768");
  EXPECT_EQ(ResolutionCaption(4), L"1600 x 1200");
  EXPECT_EQ(ResolutionCaption(20), L"1280 x 1024");
  EXPECT_EQ(ResolutionCaption(21), L"1024 x 768");
}

TEST(ResultRows, CpuListHasItsHeaderAndBlankRowFirst) {
  const FpsRecordList records = Records(Groups(7));
  const std::vector<std::wstring> rows = ResultRows(TestKind::kCpu, records, L"1600 x 1200");
  ASSERT_EQ(rows.size(), 9u);
  EXPECT_EQ(rows[0], L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS");
  EXPECT_EQ(rows[1], L"");
  for (std::size_t j = 0; j < 7; ++j) EXPECT_EQ(rows[j + 2], DataRow(records[j]));
  // Whatever the resolution choice.
  EXPECT_EQ(ResultRows(TestKind::kCpu, records, L"All Resolutions"), rows);
}

TEST(ResultRows, AnEmptyFileGivesOnlyTheCpuHeaderRows) {
  const FpsRecordList none = Records(L"");
  EXPECT_EQ(ResultRows(TestKind::kCpu, none, L"All Resolutions"),
            (std::vector<std::wstring>{L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS", L""}));
  EXPECT_TRUE(ResultRows(TestKind::kHigh, none, L"All Resolutions").empty());
  EXPECT_TRUE(ResultRows(TestKind::kLow, none, L"1024 x 768").empty());
}

TEST(ResultRows, ASingleResolutionListsDataRowsOnly) {
  const FpsRecordList records = Records(Groups(7));
  for (const TestKind test : {TestKind::kHigh, TestKind::kLow}) {
    const std::vector<std::wstring> rows = ResultRows(test, records, L"1280 x 1024");
    ASSERT_EQ(rows.size(), 7u);
    for (std::size_t j = 0; j < 7; ++j) EXPECT_EQ(rows[j], DataRow(records[j]));
  }
}

TEST(ResultRows, AllResolutionsGivesCaptionDataAndSeparatorPerRecord) {
  const FpsRecordList records = Records(Groups(21));
  const std::vector<std::wstring> rows = ResultRows(TestKind::kHigh, records, L"All Resolutions");
  ASSERT_EQ(rows.size(), 63u);
  for (std::size_t j = 0; j < 21; ++j) {
    EXPECT_EQ(rows[3 * j], ResolutionCaption(j + 1));
    EXPECT_EQ(rows[3 * j + 1], DataRow(records[j]));
    EXPECT_EQ(rows[3 * j + 2], L" ");
  }
}

TEST(ResultRows, FourRecordsEndInASeparatorAfterARestartedCycle) {
  const std::vector<std::wstring> rows =
      ResultRows(TestKind::kLow, Records(Groups(4)), L"All Resolutions");
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0], L"1600 x 1200");
  EXPECT_EQ(rows[3], L"1280 x 1024");
  EXPECT_EQ(rows[6], L"1024 x 768");
  EXPECT_EQ(rows[9], L"1600 x 1200");
  EXPECT_EQ(rows[11], L" ");
}

TEST(ResultRows, OnlyTheExactAllResolutionsTextGivesCaptions) {
  const FpsRecordList records = Records(Groups(2));
  for (const std::wstring_view choice : {L"all resolutions", L"All Resolutions ", L"All "}) {
    EXPECT_EQ(ResultRows(TestKind::kHigh, records, choice).size(), 2u);
  }
}

TEST(RowCells, PutHeaderWordsAndDataFieldsInTheSameFourColumns) {
  const std::vector<RowCell> header = RowCells(kCpuHeaderRow);
  EXPECT_EQ(header, (std::vector<RowCell>{
                        {0, L"Level"}, {1, L"Low FPS"}, {2, L"Average FPS"}, {3, L"High FPS"}}));
  const FpsRecordList records = Records(Groups(1));
  const std::wstring row = DataRow(records[0]);
  const std::vector<RowCell> data = RowCells(row);
  ASSERT_EQ(data.size(), 4u);
  for (std::size_t column = 0; column < 4; ++column) EXPECT_EQ(data[column].column, column);
  EXPECT_EQ(data[1].text, L"1         ");
}

TEST(RowCells, ADataRowKeepsItsFieldsInPlaceWhateverTheFieldsHold) {
  // A tab inside the level name and another inside the high figure.
  const FpsRecordList records = Records(L"Tab\tbed Level\r\n1 / 2 / 3\t4 fps\r\na\r\nb\r\n");
  const std::wstring row = DataRow(records[0]);
  ASSERT_EQ(row.size(), 47u);
  EXPECT_EQ(
      RowCells(row),
      (std::vector<RowCell>{
          {0, L"Tab\tbed Level "}, {1, L"1         "}, {2, L"2         "}, {3, L"3\t4       "}}));
}

TEST(RowCells, CaptionSeparatorAndBlankRowsUseTheFirstColumnOnly) {
  EXPECT_EQ(RowCells(L"1600 x 1200"), (std::vector<RowCell>{{0, L"1600 x 1200"}}));
  EXPECT_EQ(RowCells(L" "), (std::vector<RowCell>{{0, L" "}}));
  EXPECT_TRUE(RowCells(L"").empty());
}

TEST(ColumnHeader, Is91CharactersWithTheWordsWhereTheColumnsStart) {
  EXPECT_EQ(kColumnHeader.size(), 91u);
  EXPECT_EQ(kColumnHeader.find(L'\t'), std::wstring_view::npos);
  const std::array<std::size_t, 4> starts = ColumnHeaderWordStarts();
  EXPECT_EQ(starts, (std::array<std::size_t, 4>{0, 32, 59, 83}));
  EXPECT_EQ(kColumnHeader.substr(starts[1], 7), L"Low FPS");
  EXPECT_EQ(kColumnHeader.substr(starts[2], 11), L"Average FPS");
  EXPECT_EQ(kColumnHeader.substr(starts[3]), L"High FPS");
  EXPECT_EQ(kColumnHeader.substr(5, 27), std::wstring(27, L' '));
}

}  // namespace
}  // namespace quorvath
