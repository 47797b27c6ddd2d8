// A run as the history keeps it: a CSV file in UTF-8 with a byte-order mark (so that
// spreadsheet programs read it right), CR LF line ends and RFC 4180 quoting, a header line,
// then one line per record: its resolution and its four fields without their padding.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/fps_reader.h"
#include "results/result_rows.h"

namespace quorvath {

inline constexpr std::wstring_view kRunCsvHeader = L"Resolution,Level,Low FPS,Average FPS,High FPS";

struct SavedRecord {
  std::wstring resolution;
  std::wstring level;
  std::wstring low;
  std::wstring average;
  std::wstring high;

  friend bool operator==(const SavedRecord&, const SavedRecord&) = default;
};
using SavedRun = std::vector<SavedRecord>;

// The records of a result window as the history keeps them: with the resolution caption each
// carries in an "All Resolutions" list, `resolution` otherwise; the spaces that pad a field to
// its width dropped, everything else exactly as read.
SavedRun SavedRecords(const std::deque<FpsRecord>& records, RowLayout layout,
                      std::wstring_view resolution);

std::string RunCsv(const SavedRun& run);

// Nothing when `bytes` are not a run in that format: another header, a line of other than five
// fields, a quote left open, or bytes that are not UTF-8.
std::optional<SavedRun> ParseRunCsv(std::string_view bytes);

}  // namespace quorvath
