// The rows of the result windows and the columns their cells go in.
#include "results/result_rows.h"

#include <gtest/gtest.h>

namespace quorvath {

TEST(ResultRows, AreLaidOutForTheCpuTestOneResolutionOrAllResolutions) {
  std::deque<FpsRecord> records;
  for (const auto* n : {L"1", L"2", L"3", L"4"}) {
    records.push_back({FixedText<14>(L"L" + std::wstring(n)), FixedText<10>(n), FixedText<10>(L"2"),
                       FixedText<10>(L"3")});
  }
  const std::wstring l[] = {L"L1            \t1         \t2         \t3         ",
                            L"L2            \t2         \t2         \t3         ",
                            L"L3            \t3         \t2         \t3         ",
                            L"L4            \t4         \t2         \t3         "};
  using Rows = std::vector<std::wstring>;
  const std::deque<FpsRecord> two(records.begin(), records.begin() + 2);
  EXPECT_EQ(ResultRows(two, RowLayout::kCpu),
            (Rows{L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS", L"", l[0], l[1]}));
  EXPECT_EQ(ResultRows(two, RowLayout::kOneResolution), (Rows{l[0], l[1]}));
  EXPECT_EQ(ResultRows(records, RowLayout::kResolutionCaptions),
            (Rows{L"1600 x 1200", l[0], L" ", L"1280 x 1024", l[1], L" ", L"1024 x 768", l[2], L" ",
                  L"1600 x 1200", l[3], L" "}));
  EXPECT_EQ(ResultRows({}, RowLayout::kCpu).size(), 2u);
  EXPECT_TRUE(ResultRows({}, RowLayout::kResolutionCaptions).empty());
  EXPECT_EQ(ColumnHeaderWordStarts(), (std::array<std::size_t, 4>{0, 32, 59, 83}));
}

TEST(RowCells, PutHeaderWordsAndDataFieldsInTheSameFourColumns) {
  using Cells = std::vector<RowCell>;
  EXPECT_EQ(RowCells(kCpuHeaderRow),
            (Cells{{0, L"Level"}, {1, L"Low FPS"}, {2, L"Average FPS"}, {3, L"High FPS"}}));
  EXPECT_EQ(RowCells(L"a\t\tb\t"), (Cells{{0, L"a"}, {1, L"b"}}));
  EXPECT_EQ(RowCells(L"\ta"), (Cells{{1, L"a"}}));
  EXPECT_EQ(RowCells(L"1600 x 1200"), (Cells{{0, L"1600 x 1200"}}));
  EXPECT_TRUE(RowCells(L"").empty());
  // A tab inside the level name and another inside the high figure move nothing.
  EXPECT_EQ(
      RowCells(DataRow({FixedText<14>(L"Tab\tbed Level"), FixedText<10>(L"1"), FixedText<10>(L"2"),
                        FixedText<10>(L"3\t4")})),
      (Cells{
          {0, L"Tab\tbed Level "}, {1, L"1         "}, {2, L"2         "}, {3, L"3\t4       "}}));
}

}  // namespace quorvath
