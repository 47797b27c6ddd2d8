// The rows that the result windows list, made from the records of a result file, and the
// columns they are drawn in.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "results/fps_reader.h"

namespace quorvath {

// "Level", 27 spaces, "Low FPS", 20 spaces, "Average FPS", 13 spaces, "High FPS": the column
// header above the High and Low Quality lists (91 characters, no tabs).
inline constexpr std::wstring_view kColumnHeader =
    L"Level                           Low FPS                    Average FPS             High "
    L"FPS";

// The first row of the CPU list; a blank row follows it.
inline constexpr std::wstring_view kCpuHeaderRow = L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS";

// Follows each record of an "All Resolutions" list.
inline constexpr std::wstring_view kSeparatorRow = L" ";

// The four fields of a record with their padding, joined by one tab each: 47 characters.
inline constexpr std::size_t kDataRowLength = 14 + 10 + 10 + 10 + 3;
std::wstring DataRow(const FpsRecord& record);

// The resolution that record `record_number` (from 1) of an "All Resolutions" file was run
// at: 1, 4, 7, ... "1600 x 1200"; 2, 5, 8, ... "1280 x 1024"; 3, 6, 9, ... "1024 x 768".
std::wstring_view ResolutionCaption(std::size_t record_number);

enum class RowLayout {
  kCpu,                 // the header row and a blank row, then a data row per record
  kOneResolution,       // a data row per record
  kResolutionCaptions,  // per record its resolution caption, its data row and a separator row
};

// Every row of a list, in order.
std::vector<std::wstring> ResultRows(const std::deque<FpsRecord>& records, RowLayout layout);

// Where a row's cells go. A data row's four fields are cut at their fixed places, so that a
// tab inside a field (the file format does not forbid one) moves nothing. Any other row is
// cut at its tabs, and a run of tabs moves on by one column, so that the CPU header row (two
// tabs between some words) puts its words in the same four columns.
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
