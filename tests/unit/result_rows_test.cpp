// The rows of the result windows and the columns their cells go in.
#include "results/result_rows.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

std::deque<FpsRecord> Records(int count) {
  std::string file;
  for (int i = 1; i <= count; ++i) {
    file += "L" + std::to_string(i) + "\r\n" + std::to_string(i) + " / 2 / 3 fps\r\nx\r\ny\r\n";
  }
  return ReadFpsBytes(file).records;
}

TEST(ResultRows, AreLaidOutForTheCpuTestOneResolutionOrAllResolutions) {
  const std::deque<FpsRecord> two = Records(2);
  EXPECT_EQ(ResultRows(two, RowLayout::kCpu),
            (std::vector<std::wstring>{L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS", L"",
                                       L"L1            \t1         \t2         \t3         ",
                                       L"L2            \t2         \t2         \t3         "}));
  EXPECT_EQ(ResultRows(two, RowLayout::kOneResolution),
            (std::vector<std::wstring>{L"L1            \t1         \t2         \t3         ",
                                       L"L2            \t2         \t2         \t3         "}));
  EXPECT_EQ(ResultRows(Records(4), RowLayout::kResolutionCaptions),
            (std::vector<std::wstring>{
                L"1600 x 1200", L"L1            \t1         \t2         \t3         ", L" ",
                L"1280 x 1024", L"L2            \t2         \t2         \t3         ", L" ",
                L"1024 x 768", L"L3            \t3         \t2         \t3         ", L" ",
                L"1600 x 1200", L"L4            \t4         \t2         \t3         ", L" "}));
  EXPECT_EQ(ResultRows({}, RowLayout::kCpu).size(), 2u);
  EXPECT_TRUE(ResultRows({}, RowLayout::kResolutionCaptions).empty());
  const std::vector<std::wstring> rows = ResultRows(Records(21), RowLayout::kResolutionCaptions);
  ASSERT_EQ(rows.size(), 63u);
  const std::wstring_view cycle[] = {L"1600 x 1200", L"1280 x 1024", L"1024 x 768"};
  for (std::size_t i = 0; i < 63; i += 3) {
    EXPECT_EQ(rows[i], cycle[i / 3 % 3]);
    EXPECT_EQ(rows[i + 1].size(), 47u);
  }
}

TEST(RowCells, PutHeaderWordsAndDataFieldsInTheSameFourColumns) {
  EXPECT_EQ(RowCells(kCpuHeaderRow),
            (std::vector<RowCell>{
                {0, L"Level"}, {1, L"Low FPS"}, {2, L"Average FPS"}, {3, L"High FPS"}}));
  EXPECT_EQ(RowCells(L"1600 x 1200"), (std::vector<RowCell>{{0, L"1600 x 1200"}}));
  EXPECT_EQ(RowCells(L" "), (std::vector<RowCell>{{0, L" "}}));
  EXPECT_TRUE(RowCells(L"").empty());
  // A tab inside the level name and another inside the high figure move nothing.
  const std::wstring row =
      DataRow(ReadFpsBytes("Tab\tbed Level\r\n1 / 2 / 3\t4 fps\r\na\r\nb\r\n").records.at(0));
  ASSERT_EQ(row.size(), 47u);
  EXPECT_EQ(
      RowCells(row),
      (std::vector<RowCell>{
          {0, L"Tab\tbed Level "}, {1, L"1         "}, {2, L"2         "}, {3, L"3\t4       "}}));
}

TEST(ColumnHeader, Is91CharactersWithTheColumnsWhereItsWordsStart) {
  EXPECT_EQ(kColumnHeader.size(), 91u);
  EXPECT_EQ(kColumnHeader.find(L'\t'), std::wstring_view::npos);
  EXPECT_EQ(ColumnHeaderWordStarts(), (std::array<std::size_t, 4>{0, 32, 59, 83}));
}

}  // namespace
}  // namespace quorvath
