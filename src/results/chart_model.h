// The chart of one to five runs of a test, drawn from their records: per record a horizontal
// bar as long as its average FPS and a line from its low to its high FPS. The oldest run that
// could be read is the base: its bars carry their three figures; every other run is drawn in a
// colour of its own under the base's bar of the same level and resolution, with its average and
// the change against the base. Runs of several resolutions are charted one resolution at a time;
// a single run of several ("All Resolutions") shows them all, its bars of a level side by side,
// a colour per resolution. A run that cannot be read, or shares no level with the base, gets a
// note instead of bars. Figures are text in a result file: one that is not a plain decimal number
// gets no bar, only its text. Lengths are device-independent pixels (1/96 inch).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/run_csv.h"

namespace quorvath {

inline constexpr std::size_t kMaxChartRuns = 5;

// "41.26" or "143" gives its value; anything else (a sign, a blank, a letter) nothing.
std::optional<double> PlainNumber(std::wstring_view text);

// A run to chart, as the window hands it over.
struct ChartSource {
  std::wstring name;              // how the chart names it: its date and time, and its label
  const SavedRun* run = nullptr;  // nothing when its file could not be read
  std::wstring problem{};         // then what is wrong, naming the file
};

struct ChartBar {
  SavedRecord record;
  std::optional<double> low, average, high;
  std::size_t run = 0;     // index into ChartModel::runs
  std::size_t colour = 0;  // the run's colour; in the grouped view the resolution's
  bool compared = false;   // not the base: its average and change are shown, not its low and high
  std::wstring change;     // against the base's bar of its level and resolution; empty for none
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
enum class ChartMark { kColour, kAverageBar, kRangeLine, kNone };
struct ChartLabel {
  ChartMark mark = ChartMark::kNone;
  std::size_t colour = 0;  // for kColour
  std::wstring text;
};

// The figure columns beside the bars, in this order.
enum ChartColumn : std::size_t { kLowColumn, kAverageColumn, kHighColumn, kChangeColumn };
inline constexpr std::array<std::wstring_view, 4> kChartColumnHeadings = {L"Low", L"Average",
                                                                          L"High", L"Change"};
// The texts of a bar's columns as drawn: the base's low, average and high figures; another
// run's average and change.
std::array<std::wstring_view, 4> BarFigures(const ChartBar& bar);

struct ChartModel {
  // "High Quality, 1280 x 1024: changes against <base>", or "...: <base>" for a run alone.
  std::wstring title;
  std::vector<std::wstring> runs;         // the charted runs' names, the base first
  std::vector<std::wstring> resolutions;  // of the charted runs, in the order they first come
  std::size_t shown = 0;                  // the resolution shown, unless grouped
  bool grouped = false;                   // one run of several resolutions, all shown
  bool has_changes = false;               // a run is compared with the base: a Change column
  std::vector<ChartLabel> legend;         // the colours: of the runs, or of the resolutions
  std::vector<ChartLabel> key;            // what the marks and figures mean
  std::vector<std::wstring> notes;        // the runs without bars, and why
  std::vector<ChartGroup> groups;         // the levels, the base's order first
  Axis axis;
};

// Charts `runs` (oldest first; at most kMaxChartRuns of them are drawn) of the test named
// `test`, showing the resolution `shown` (an index into the resolutions, clamped). Levels are
// matched by name and resolution, the second record of a name with the base's second.
ChartModel BuildChart(std::wstring_view test, const std::vector<ChartSource>& runs,
                      std::size_t shown = 0);

// About five round steps (1, 2 or 5 times a power of ten) that reach `largest`.
Axis NiceAxis(double largest);
std::wstring AxisLabel(double value, const Axis& axis);

// The change from `before` to `now` in per cent, one decimal: "+4.1 %", "−2.3 %" (a minus
// sign, not a hyphen); empty when `before` is 0.
std::wstring ChangeText(double now, double before);

// The chart as tab-separated text, lines ended by CR LF:
//   the title;
//   "Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange";
//   a line per bar as drawn, the base's bar of a level first: its level, resolution, run (named
//   as the legend names it), low, average and high figures as the run's file has them, and the
//   change against the base (empty for the base's bars and where there is none);
//   the notes, one a line.
std::wstring ChartText(const ChartModel& chart);

// The chart's text as the painter measures it with its font, in device-independent pixels.
class ChartTextMeasure {
 public:
  virtual ~ChartTextMeasure() = default;
  virtual int LineHeight() const = 0;
  virtual int Width(std::wstring_view text) const = 0;
  // The height `text` takes when wrapped at `width`, in the title's font for a `title`.
  virtual int WrappedHeight(std::wstring_view text, int width, bool title) const = 0;
};

struct BarPlace {
  int top = 0, height = 0;
};
struct GroupPlace {
  int top = 0, bottom = 0;  // the level's name is beside the first bar
  std::vector<BarPlace> bars;
};
struct LabelPlace {
  int left = 0, top = 0;  // of the mark; the words follow it, on a line of the chart's rows
};
struct TextPlace {
  int top = 0, height = 0;  // the lines of a text that wraps within the margins
};

// Where everything goes. The header, from 0 to `header_height`, stays in place while the body
// under it scrolls; the picture of the whole chart has the header once, at its top.
struct ChartLayout {
  int width = 0, height = 0;
  int min_width = 0;  // the narrowest the chart can be laid out
  int line = 0;       // a line of text
  int row = 0;        // a row of the legend, the key or the axis, and a bar's height
  int header_height = 0;
  TextPlace title;
  std::vector<LabelPlace> legend, key;
  std::vector<TextPlace> notes;
  int axis_title_top = 0;  // "Average FPS (longer is better)" over the plot
  int axis_top = 0;        // the tick labels and the columns' headings; the axis line ends it
  int label_left = 0, label_right = 0;  // the level names
  int plot_left = 0, plot_right = 0;    // where 0 and the axis maximum are
  std::array<int, 4> column_right{};    // the right edge of each figure column; 0 when not shown
  std::vector<GroupPlace> groups;

  // The x of `value` on the axis.
  int XFor(double value, const Axis& axis) const;
};
inline constexpr std::wstring_view kAxisTitle = L"Average FPS (longer is better)";
inline constexpr std::wstring_view kLevelHeading = L"Level";

ChartLayout LayoutChart(const ChartModel& chart, int width, const ChartTextMeasure& measure);

}  // namespace quorvath
