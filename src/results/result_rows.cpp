#include "results/result_rows.h"

#include <array>

namespace quorvath {

std::wstring DataRow(const FpsRecord& record) {
  std::wstring row;
  row.reserve(kDataRowLength);
  record.level_name.AppendTo(row);
  row += L'\t';
  record.fps_low.AppendTo(row);
  row += L'\t';
  record.fps_avg.AppendTo(row);
  row += L'\t';
  record.fps_high.AppendTo(row);
  return row;
}

std::wstring_view ResolutionCaption(std::size_t record_number) {
  static constexpr std::array<std::wstring_view, 3> kCycle = {L"1600 x 1200", L"1280 x 1024",
                                                              L"1024 x 768"};
  return kCycle[(record_number - 1) % kCycle.size()];
}

std::vector<std::wstring> ResultRows(TestKind test, const FpsRecordList& records,
                                     std::wstring_view selected_res) {
  std::vector<std::wstring> rows;
  if (test == TestKind::kCpu) {
    rows.reserve(records.size() + 2);
    rows.emplace_back(kCpuHeaderRow);
    rows.emplace_back(kCpuBlankRow);
    for (const FpsRecord& record : records) rows.push_back(DataRow(record));
    return rows;
  }
  if (selected_res != kAllResolutions) {
    rows.reserve(records.size());
    for (const FpsRecord& record : records) rows.push_back(DataRow(record));
    return rows;
  }
  rows.reserve(records.size() * 3);
  std::size_t record_number = 0;
  for (const FpsRecord& record : records) {
    rows.emplace_back(ResolutionCaption(++record_number));
    rows.push_back(DataRow(record));
    rows.emplace_back(kSeparatorRow);
  }
  return rows;
}

namespace {

// Where each field of a data row begins: the fields have fixed widths and one tab between
// them, so a tab inside a field never moves the fields after it.
constexpr std::array<std::size_t, 4> kDataFieldStarts = {
    0, decltype(FpsRecord::level_name)::kWidth + 1,
    decltype(FpsRecord::level_name)::kWidth + decltype(FpsRecord::fps_low)::kWidth + 2,
    kDataRowLength - decltype(FpsRecord::fps_high)::kWidth};

bool IsDataRow(std::wstring_view row) {
  if (row.size() != kDataRowLength) return false;
  for (std::size_t field = 1; field < kDataFieldStarts.size(); ++field) {
    if (row[kDataFieldStarts[field] - 1] != L'\t') return false;
  }
  return true;
}

}  // namespace

std::vector<RowCell> RowCells(std::wstring_view row) {
  std::vector<RowCell> cells;
  if (IsDataRow(row)) {
    for (std::size_t field = 0; field < kDataFieldStarts.size(); ++field) {
      const std::size_t end =
          field + 1 < kDataFieldStarts.size() ? kDataFieldStarts[field + 1] - 1 : row.size();
      cells.push_back({field, row.substr(kDataFieldStarts[field], end - kDataFieldStarts[field])});
    }
    return cells;
  }
  std::size_t column = 0;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = row.find(L'\t', start);
    if (end == std::wstring_view::npos) end = row.size();
    if (end > start) cells.push_back({column, row.substr(start, end - start)});
    if (end == row.size()) break;
    while (end < row.size() && row[end] == L'\t') ++end;
    start = end;
    ++column;
  }
  return cells;
}

std::array<std::size_t, 4> ColumnHeaderWordStarts() {
  std::array<std::size_t, 4> starts{};
  std::size_t word = 0;
  for (std::size_t i = 0; i < kColumnHeader.size() && word < starts.size(); ++i) {
    const bool begins_word = kColumnHeader[i] != L' ' && (i == 0 || kColumnHeader[i - 1] == L' ');
    // "Low FPS", "Average FPS" and "High FPS" are two words each: a column starts after a run
    // of more than one space.
    const bool after_gap = i >= 2 && kColumnHeader[i - 2] == L' ';
    if (begins_word && (i == 0 || after_gap)) starts[word++] = i;
  }
  return starts;
}

}  // namespace quorvath
