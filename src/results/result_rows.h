// The rows that the result windows list, made from the records of a result file.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "results/fps_record_list.h"
#include "runs/batch_files.h"

namespace quorvath {

// "Level", 27 spaces, "Low FPS", 20 spaces, "Average FPS", 13 spaces, "High FPS": the column
// header above the High and Low Quality lists (91 characters, no tabs).
inline constexpr std::wstring_view kColumnHeader =
    L"Level                           Low FPS                    Average FPS             High "
    L"FPS";

// The first two rows of the CPU list.
inline constexpr std::wstring_view kCpuHeaderRow = L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS";
inline constexpr std::wstring_view kCpuBlankRow = L"";

// Follows each record of an "All Resolutions" list.
inline constexpr std::wstring_view kSeparatorRow = L" ";

// The four fields of a record with their padding, joined by one tab each: 47 characters.
inline constexpr std::size_t kDataRowLength =
    decltype(FpsRecord::level_name)::kWidth + decltype(FpsRecord::fps_low)::kWidth +
    decltype(FpsRecord::fps_avg)::kWidth + decltype(FpsRecord::fps_high)::kWidth + 3;
std::wstring DataRow(const FpsRecord& record);

// The resolution that record `record_number` (from 1) of an "All Resolutions" file was run
// at: 1, 4, 7, ... "1600 x 1200"; 2, 5, 8, ... "1280 x 1024"; 3, 6, 9, ... "1024 x 768".
std::wstring_view ResolutionCaption(std::size_t record_number);

// Every row of a test's list, in order. The CPU list starts with its header row and a blank
// row; a High or Low Quality list run at "All Resolutions" (exactly that text) gives each
// record its resolution caption row before and a separator row after.
std::vector<std::wstring> ResultRows(TestKind test, const FpsRecordList& records,
                                     std::wstring_view selected_res);

// Where the rows' columns are. A data row's four fields are cut at their fixed places, so
// that a tab inside a field (the file format does not forbid one) moves nothing. Any other
// row is cut at its tabs, and a run of tabs moves on by one column, so that the CPU header
// row (two tabs between some words) puts its words in the same four columns.
struct RowCell {
  std::size_t column;
  std::wstring_view text;

  friend bool operator==(const RowCell&, const RowCell&) = default;
};
std::vector<RowCell> RowCells(std::wstring_view row);

// The character positions of the four words of kColumnHeader ("Level", "Low FPS",
// "Average FPS", "High FPS"): the columns start where the header's words do.
std::array<std::size_t, 4> ColumnHeaderWordStarts();

}  // namespace quorvath
