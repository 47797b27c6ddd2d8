// The History window's rows: the files read in the order asked for, what was read kept while a
// file is unchanged, and an order by content that waits until every file is read.
#include "runs/history_rows.h"

#include <gtest/gtest.h>

namespace quorvath {

TEST(HistoryRows, ReadsTheRowsAskedForFirstAndSortsByContentOnceAllAreRead) {
  std::wstring reads;  // the days of the files read, in turn
  HistoryRows rows([&](const RunName& run) -> std::optional<SavedRun> {
    reads += run.stamp.substr(8, 2) + L" ";
    if (run.label == L"bad") return std::nullopt;
    return SavedRun{std::vector<SavedRecord>(std::stoul(run.stamp.substr(8, 2)))};
  });
  // The listing of runs of the 1st to the 5th, each of as many records, newest first.
  const auto listing = [](std::initializer_list<std::pair<int, std::uint64_t>> days) {
    std::vector<HistoryEntry> entries;
    for (const auto& [day, size] : days) {
      entries.push_back({{L"2026-12-0" + std::to_wstring(day) + L" 10-00-00", TestKind::kCpu, L"",
                          1, day == 3 ? L"bad" : L""},
                         size});
    }
    return entries;
  };
  const auto days = [&] {
    std::wstring text;
    for (std::size_t row = 0; row < rows.size(); ++row) text += rows[row].name.stamp.substr(8, 2);
    return text;
  };
  rows.Relist(listing({{4, 9}, {3, 9}, {2, 9}, {1, 9}}));
  EXPECT_EQ(rows.unread(), 4u);
  EXPECT_FALSE(rows.SortBy(HistoryColumn::kLevels));
  EXPECT_EQ(days(), L"04030201");
  int budget = 2;
  EXPECT_TRUE(rows.ReadWhile(2, 3, [&] { return budget-- > 0; }));
  EXPECT_EQ(reads, L"02 04 ");
  EXPECT_FALSE(rows.ApplyWaitingOrder());
  EXPECT_FALSE(rows.ReadWhile(0, 0, [] { return true; }));
  EXPECT_EQ(reads, L"02 04 03 01 ");
  EXPECT_TRUE(rows.ApplyWaitingOrder());
  EXPECT_EQ(days(), L"03010204");  // the 3rd is no run
  EXPECT_TRUE(rows.SortBy(HistoryColumn::kLevels));
  EXPECT_EQ(days(), L"04020103");

  // The 4th and 3rd unchanged, the 2nd rewritten, the 1st gone, the 5th new: those two are read
  // before the order by levels takes them in.
  rows.Relist(listing({{5, 9}, {4, 9}, {3, 9}, {2, 8}}));
  EXPECT_EQ(rows.unread(), 2u);
  EXPECT_EQ(rows.waiting().value_or(HistoryOrder{}).column, HistoryColumn::kLevels);
  EXPECT_EQ(rows[0].name.stamp.substr(8, 2), L"04");
  EXPECT_EQ(rows[0].levels, 4u);
  EXPECT_TRUE(rows.SortBy(HistoryColumn::kDate));
  EXPECT_EQ(days(), L"05040302");
  EXPECT_FALSE(rows.waiting().has_value());
  EXPECT_TRUE(rows.SortBy(HistoryColumn::kDate));
  EXPECT_EQ(days(), L"02030405");
  EXPECT_EQ(rows.Read(0).levels, 2u);
  EXPECT_EQ(reads, L"02 04 03 01 02 ");
}

}  // namespace quorvath
