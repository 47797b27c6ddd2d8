#include "results/result_rows.h"

namespace quorvath {

namespace {

// Where each field of a data row begins, behind the fields and tabs before it.
constexpr std::array<std::size_t, 4> kDataFieldStarts = {0, 15, 26, 37};

bool IsDataRow(std::wstring_view row) {
  return row.size() == kDataRowLength && row[14] == L'\t' && row[25] == L'\t' && row[36] == L'\t';
}

}  // namespace

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

std::vector<std::wstring> ResultRows(const std::deque<FpsRecord>& records, RowLayout layout) {
  std::vector<std::wstring> rows;
  rows.reserve(records.size() * (layout == RowLayout::kResolutionCaptions ? 3 : 1) + 2);
  if (layout == RowLayout::kCpu) {
    rows.emplace_back(kCpuHeaderRow);
    rows.emplace_back();
  }
  std::size_t record_number = 0;
  for (const FpsRecord& record : records) {
    if (layout == RowLayout::kResolutionCaptions)
      rows.emplace_back(ResolutionCaption(++record_number));
    rows.push_back(DataRow(record));
    if (layout == RowLayout::kResolutionCaptions) rows.emplace_back(kSeparatorRow);
  }
  return rows;
}

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
  for (std::size_t start = 0;;) {
    std::size_t end = row.find(L'\t', start);
    if (end == std::wstring_view::npos) end = row.size();
    if (end > start) cells.push_back({column, row.substr(start, end - start)});
    if (end == row.size()) break;
    start = row.find_first_not_of(L'\t', end);
    if (start == std::wstring_view::npos) break;
    ++column;
  }
  return cells;
}

std::array<std::size_t, 4> ColumnHeaderWordStarts() {
  // "Low FPS", "Average FPS" and "High FPS" are two words each: a column starts after a run of
  // more than one space.
  std::array<std::size_t, 4> starts{};
  std::size_t word = 1;
  for (std::size_t i = 2; i < kColumnHeader.size() && word < starts.size(); ++i) {
    if (kColumnHeader[i] != L' ' && kColumnHeader[i - 1] == L' ' && kColumnHeader[i - 2] == L' ') {
      starts[word++] = i;
    }
  }
  return starts;
}

}  // namespace quorvath
