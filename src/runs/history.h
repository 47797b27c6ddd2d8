// The history of runs: every completed run saved, without asking, as a CSV file in the user's
// Documents folder under "Quorvath\Results", named for its time, test, resolution and label:
// "2026-12-07 14-03-22 High Quality 1280 x 1024 - new driver.csv", or without " - " and a label
// for a run that has none. A saved run is never replaced: a name already taken gets " (2)",
// " (3)", ... before ".csv".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "results/run_csv.h"
#include "runs/kit.h"

namespace quorvath {

struct RunName {
  std::wstring stamp;  // "2026-12-07 14-03-22", local time
  TestKind test = TestKind::kCpu;
  std::wstring resolution;  // "1280 x 1024" or "All Resolutions"; empty for the CPU test
  int copy = 1;             // 2 and on for " (2)", ...
  std::wstring label{};     // empty for none

  friend bool operator==(const RunName&, const RunName&) = default;
};

std::wstring RunFileName(const RunName& name);
// Nothing for a name that is not one of the history's.
std::optional<RunName> ParseRunFileName(std::wstring_view file_name);
// The newest first: by time, a later copy before an earlier one.
bool NewerFirst(const RunName& a, const RunName& b);

// A label for runs holds at most this many characters, none that a file name cannot hold.
inline constexpr std::size_t kMaxLabelLength = 60;
// The label as it is kept: without surrounding spaces.
std::wstring_view TrimLabel(std::wstring_view text);
// The characters of `label` that a file name cannot hold (\ / : * ? " < > | and the control
// characters), each once, in the order they first come; empty when there are none.
std::wstring ForbiddenLabelCharacters(std::wstring_view label);
// What is wrong with `label` (already trimmed) as the user is told it, naming the characters
// it cannot hold; empty when it can be a label.
std::wstring LabelProblem(std::wstring_view label);

// The parts of a run's time: "2026-12-07 14-03-22" as a file name has it, or
// "2026-12-07 14:03:22" as the Started column does.
struct StampParts {
  int year, month, day, hour, minute, second;
};
std::optional<StampParts> ParseStamp(std::wstring_view stamp);
// The run's file in the history `folder` (given without a trailing backslash).
std::wstring RunPath(const std::wstring& folder, const RunName& name);
// The runs a chart can compare with, newest first and at most `limit`: of the `listed` runs
// (newest first) those saved before `saved_as`; all of them while the run is not saved.
std::vector<RunName> EarlierRuns(std::vector<RunName> listed,
                                 const std::optional<RunName>& saved_as, std::size_t limit);

// "2026-12-07 14-03-22", and with `time_separator` ':' "2026-12-07 14:03:22".
std::wstring RunStamp(int year, int month, int day, int hour, int minute, int second,
                      wchar_t time_separator = L'-');

// The resolution a run of `test` is kept under: the one chosen for the High and Low Quality
// tests, none for the CPU test. The records themselves carry theirs.
std::wstring HistoryResolution(TestKind test, std::wstring_view selected_res);
// The layout of a test's list, and of its records in the history.
RowLayout LayoutFor(TestKind test, std::wstring_view selected_res);
// The resolution a test's records carry when not "All Resolutions".
std::wstring_view RecordResolution(TestKind test, std::wstring_view selected_res);

// What the History window lists of a saved run: what its file name tells at once, and what its
// content adds once the file is read.
struct HistoryEntry {
  RunName name;
  std::uint64_t size = 0, last_write = 0;  // the file as listed: a file changed since is read again
  enum class Content { kUnread, kRun, kNotARun } content = Content::kUnread;
  std::wstring label{};  // the Label column's once read, which a name ending in " (N)" can hide
  std::wstring computer{};
  std::size_t levels = 0;           // records
  std::optional<double> average{};  // the mean of the Average FPS figures that are plain numbers
};

// Takes in what the entry's file holds: `run` as read, nothing when it is not a run.
void Summarize(HistoryEntry& entry, const std::optional<SavedRun>& run);

enum class HistoryColumn { kDate, kTest, kResolution, kLabel, kComputer, kLevels, kAverage };
inline constexpr std::size_t kHistoryColumnCount = 7;

// Whether the column shows what only the file's content tells.
bool NeedsContent(HistoryColumn column);

// The text of a cell, the Date column's aside (the user's format of the stamp is the window's):
// "High Quality", "1280 x 1024" ("640 x 480" for the CPU test), the label, the computer, "21",
// "41.06"; empty for what is not known.
std::wstring HistoryCellText(const HistoryEntry& entry, HistoryColumn column);

// Sorts the History window's rows by `column`: texts in letter order with their numbers taken
// as numbers ("driver 9" before "driver 10"), figures by value, dates by time, what is not
// known first; `ascending` false reverses that. Entries alike in that column keep the newest
// first either way.
void SortHistory(std::vector<HistoryEntry>& entries, HistoryColumn column, bool ascending);

#ifdef _WIN32
// The local time now as RunStamp writes it.
std::wstring LocalStampNow(wchar_t time_separator = L'-');

// Documents\Quorvath\Results, without a trailing backslash; empty when the system names no
// Documents folder.
std::wstring HistoryFolder();

struct SavedFile {
  RunName name;             // as saved, with its copy number
  std::wstring path;        // empty when not saved
  unsigned long error = 0;  // the system's reason when not
};

// Writes the run into `folder`, made first when missing, under a name no other file has. The
// bytes go to a temporary file that is then renamed, so no half file is ever there.
SavedFile SaveRun(const std::wstring& folder, RunName name, const SavedRun& run);

// Writes `bytes` to `path` through a temporary file beside it, replacing a file there.
unsigned long WriteFileWhole(const std::wstring& path, std::string_view bytes);

// The saved runs of `test` and `resolution` in `folder`, newest first; names only.
std::vector<RunName> ListRuns(const std::wstring& folder, TestKind test,
                              std::wstring_view resolution);

// The run saved in `path`; nothing when the file cannot be read or is not a run.
std::optional<SavedRun> ReadRun(const std::wstring& path);

// Every saved run in `folder`, newest first: its name and what the listing tells of its file,
// nothing read. Files whose names are not runs' names are left out.
std::vector<HistoryEntry> ListHistory(const std::wstring& folder);

struct RenamedRun {
  RunName name;             // the run's name now: the new one, or the old one when it failed
  unsigned long error = 0;  // the system's reason when it failed
  bool not_a_run = false;   // it failed because the file could not be read as a run
};

// Gives the run `name` in `folder` the label `label` (already trimmed and checked): its file
// takes the new name (the next " (N)" when that is taken, as SaveRun does) and its Label column
// the label, the file written in the new format. The new file is written in full before the old
// one goes, so that whatever fails leaves the run as it was, and no temporary file behind.
RenamedRun RenameRun(const std::wstring& folder, const RunName& name, const std::wstring& label);

struct UnmovedRun {
  RunName name;
  unsigned long error;  // the system's reason
};

// Moves the runs `names` in `folder` to the Recycle Bin; the runs that could not be moved stay
// where they are and are returned. Where a file cannot go to the Recycle Bin (a network drive,
// a full bin) the shell asks the user, over `owner`, before it deletes it for good.
std::vector<UnmovedRun> RecycleRuns(HWND owner, const std::wstring& folder,
                                    const std::vector<RunName>& names);
#endif

}  // namespace quorvath
