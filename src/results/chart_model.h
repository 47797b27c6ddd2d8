// The chart of one to five sets of runs of a test. A set is one run, or the runs of a series of
// repeats: per level and resolution it has a horizontal bar as long as its average FPS and a
// line from its low to its high FPS; a set of several runs a bar as long as the mean of their
// averages, the means of their figures, and a spread mark from the lowest to the highest run
// average instead. The oldest set that could be read is the base: its bars carry their three
// figures; every other set is drawn in a colour of its own under the base's bar of the same
// level and resolution, with its average, the change against the base and, where both have
// several runs, whether that change is more than the runs' own scatter. Sets of several
// resolutions are charted one resolution at a time; a single set of several ("All
// Resolutions") shows them all, its bars of a level side by side, a colour per resolution. A set
// that cannot be read, or shares no level with the base, gets a note instead of bars. Figures
// are text in a result file: one that is not a plain decimal number gets no bar, only its text.
// Lengths are device-independent pixels (1/96 inch).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/run_csv.h"
#include "results/run_stats.h"

namespace quorvath {

inline constexpr std::size_t kMaxChartRuns = 5;

// "41.26" or "143" gives its value; anything else (a sign, a blank, a letter) nothing.
std::optional<double> PlainNumber(std::wstring_view text);

// A set of runs to chart, as the window hands it over.
struct ChartSource {
  // How the chart names it: a run by its date and time and its label; a set of several runs by
  // its label, or its first run's date and time, to which the chart adds " (3 runs)".
  std::wstring name;
  std::vector<const SavedRun*> runs;  // those that could be read, oldest first; none for none
  std::wstring problem{};             // when none could be read: what is wrong, naming the file
};

// "faster", "slower", "within noise"; empty for kNone.
std::wstring_view VerdictText(Verdict verdict);

struct ChartBar {
  // A run's record as its file has it; for a set of several runs the means of their figures
  // with two decimals (an average that no run has as a plain number is empty).
  SavedRecord record;
  std::optional<double> low, average, high;
  std::size_t run = 0;     // index into ChartModel::runs: the set's
  std::size_t colour = 0;  // the set's colour; in the grouped view the resolution's
  bool compared = false;   // not the base: its average and change are shown, not its low and high
  std::wstring change;     // against the base's bar of its level and resolution; empty for none
  bool spread = false;     // a set of several runs: a mark from sample.min to sample.max
  Sample sample{};         // the runs' plain Average FPS figures
  Verdict verdict = Verdict::kNone;  // of a compared set against the base
};

struct ChartGroup {
  std::wstring level;
  std::vector<ChartBar> bars;
};

// The value axis from 0 to `max`, with a tick every `step`, a round number.
struct Axis {
  double max = 1;
  double step = 0.2;
};

// A mark of the legend or the key, and the words beside it.
enum class ChartMark { kColour, kAverageBar, kRangeLine, kSpreadLine, kNone };
struct ChartLabel {
  ChartMark mark = ChartMark::kNone;
  std::size_t colour = 0;  // for kColour
  std::wstring text;
};

// The figure columns beside the bars, in this order.
enum ChartColumn : std::size_t {
  kLowColumn,
  kAverageColumn,
  kHighColumn,
  kChangeColumn,
  kVerdictColumn
};
inline constexpr std::size_t kChartColumns = 5;
inline constexpr std::array<std::wstring_view, kChartColumns> kChartColumnHeadings = {
    L"Low", L"Average", L"High", L"Change", L"Verdict"};
// The texts of a bar's columns as drawn: the base's low, average and high figures; another
// set's average, change and verdict.
std::array<std::wstring_view, kChartColumns> BarFigures(const ChartBar& bar);

struct ChartModel {
  // "High Quality, 1280 x 1024: changes against <base>", or "...: <base>" for a set alone.
  std::wstring title;
  std::vector<std::wstring> runs;         // the charted sets' names as the legend has them
  std::vector<std::size_t> set_sizes;     // their runs, the base first
  std::vector<std::wstring> resolutions;  // of the charted runs, in the order they first come
  std::size_t shown = 0;                  // the resolution shown, unless grouped
  bool grouped = false;                   // one set of several resolutions, all shown
  bool has_changes = false;               // a set is compared with the base: a Change column
  bool has_verdicts = false;              // a bar has a verdict: a Verdict column
  std::vector<ChartLabel> legend;         // the colours: of the runs, or of the resolutions
  std::vector<ChartLabel> key;            // what the marks and figures mean
  std::vector<std::wstring> notes;        // the sets without bars, and why
  std::vector<ChartGroup> groups;         // the levels, the base's order first
  Axis axis;
};

// Charts `sets` (oldest first; at most kMaxChartRuns of them are drawn) of the test named
// `test`, showing the resolution `shown` (an index into the resolutions, clamped). Levels are
// matched by name and resolution, the second record of a name with the base's second.
ChartModel BuildChart(std::wstring_view test, const std::vector<ChartSource>& sets,
                      std::size_t shown = 0);

// About five round steps (1, 2 or 5 times a power of ten) that reach `largest`.
Axis NiceAxis(double largest);
std::wstring AxisLabel(double value, const Axis& axis);

// The change from `before` to `now` in per cent, one decimal: "+4.1 %", "−2.3 %" (a minus
// sign, not a hyphen); empty when `before` is 0.
std::wstring ChangeText(double now, double before);

// How the legend names a set of `runs` runs called `name`: "new driver (3 runs)"; a single run
// by its name alone.
std::wstring SetLegendName(const std::wstring& name, std::size_t runs);

// The chart as tab-separated text, lines ended by CR LF:
//   the title;
//   "Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange\tRuns\tSD\tVerdict";
//   a line per bar as drawn, the base's bar of a level first: its level, resolution, set (named
//   as the legend names it), low, average and high figures as the run's file has them (for a
//   set of several runs their means, two decimals), the change against the base (empty for the
//   base's bars and where there is none), the runs (1 for a run), their averages' standard
//   deviation (two decimals; empty for a run) and the verdict (empty for none);
//   the notes, one a line.
std::wstring ChartText(const ChartModel& chart);

}  // namespace quorvath
