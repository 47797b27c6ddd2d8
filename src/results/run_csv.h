// A run as the history keeps it: a CSV file in UTF-8 with a byte-order mark (so that
// spreadsheet programs read it right), CR LF line ends and RFC 4180 quoting, a header line,
// then one line per record: its resolution and its four fields without their padding, followed
// by what is known of the run as a whole (its label, when it started, how long it took, the
// machine it ran on and, for a run of a series, which series and which run of it), repeated on
// every line so that each line stands alone in a spreadsheet. Files of the two earlier formats,
// without the run's columns or without the series', still read.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/fps_reader.h"
#include "results/result_rows.h"

namespace quorvath {

inline constexpr std::wstring_view kRunCsvHeader =
    L"Resolution,Level,Low FPS,Average FPS,High FPS,Label,Started,Duration (s),Computer,"
    L"Processor,Memory (MB),Graphics,Graphics Driver,Windows,Series,Run";
// The second format: without the series' columns.
inline constexpr std::wstring_view kRunNoSeriesCsvHeader =
    L"Resolution,Level,Low FPS,Average FPS,High FPS,Label,Started,Duration (s),Computer,"
    L"Processor,Memory (MB),Graphics,Graphics Driver,Windows";
// The first format: the records alone.
inline constexpr std::wstring_view kRecordsOnlyCsvHeader =
    L"Resolution,Level,Low FPS,Average FPS,High FPS";

struct SavedRecord {
  std::wstring resolution;
  std::wstring level;
  std::wstring low;
  std::wstring average;
  std::wstring high;

  friend bool operator==(const SavedRecord&, const SavedRecord&) = default;
};

// What is known of a run as a whole; an unknown value is empty.
struct RunContext {
  std::wstring label;
  std::wstring started;   // local time the test was started: "2026-12-07 14:03:22"
  std::wstring duration;  // whole seconds until its result was taken
  std::wstring computer;
  std::wstring processor;
  std::wstring memory;  // MB
  std::wstring graphics;
  std::wstring driver;
  std::wstring windows;
  // A run of a series of repeats: the Started of the series' first run, the same in each of its
  // runs, and which run this is ("2 of 3"). Both empty for a single run.
  std::wstring series;
  std::wstring run;

  friend bool operator==(const RunContext&, const RunContext&) = default;
};

struct SavedRun {
  std::vector<SavedRecord> records;
  RunContext context{};

  friend bool operator==(const SavedRun&, const SavedRun&) = default;
};

// The records of a result window as the history keeps them: with the resolution caption each
// carries in an "All Resolutions" list, `resolution` otherwise; the spaces that pad a field to
// its width dropped, everything else exactly as read.
std::vector<SavedRecord> SavedRecords(const std::deque<FpsRecord>& records, RowLayout layout,
                                      std::wstring_view resolution);

std::string RunCsv(const SavedRun& run);

// Nothing when `bytes` are not a run in either format: another header, a line with another
// number of fields than its header, a quote left open, or bytes that are not UTF-8. The run's
// values are those of its first record.
std::optional<SavedRun> ParseRunCsv(std::string_view bytes);

}  // namespace quorvath
