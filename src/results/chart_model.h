// The chart of a run, drawn from its records: per record a horizontal bar as long as its
// average FPS, a line from its low to its high FPS and the three figures beside it; the
// records of one level side by side (one bar per resolution under "All Resolutions"); and
// when another run is compared, that run's average as a second, lighter bar under each bar,
// with the change. Figures are text in a result file: one that is not a plain decimal number
// gets no bar, only its text. Lengths are device-independent pixels (1/96 inch).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/run_csv.h"

namespace quorvath {

// "41.26" or "143" gives its value; anything else (a sign, a blank, a letter) nothing.
std::optional<double> PlainNumber(std::wstring_view text);

struct ChartBar {
  SavedRecord record;
  std::optional<double> low, average, high;
  std::optional<std::wstring> baseline_text;  // the compared run's text for this bar
  std::optional<double> baseline_value;       // and its value
  std::wstring change;                        // "+4.1 %", "−2.3 %"; empty without both
  std::size_t resolution = 0;                 // index into ChartModel::resolutions
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

struct ChartModel {
  std::vector<ChartGroup> groups;
  std::vector<std::wstring> resolutions;  // in the order they first come: the legend
  bool has_baseline = false;              // another run is compared with this one
  Axis axis;
};

// Levels are matched by name and resolution; a level that is in only one of the two runs gets
// no change.
ChartModel BuildChart(const SavedRun& run, const SavedRun* baseline);

// About five round steps (1, 2 or 5 times a power of ten) that reach `largest`.
Axis NiceAxis(double largest);
std::wstring AxisLabel(double value, const Axis& axis);

// The change from `before` to `now` in per cent, one decimal: "+4.1 %", "−2.3 %" (a minus
// sign, not a hyphen); empty when `before` is 0.
std::wstring ChangeText(double now, double before);

// The chart as tab-separated text: a header line, then per bar its level, resolution, low,
// average and high figures, and the compared average and the change when a run is compared.
std::wstring ChartText(const ChartModel& chart);

struct BarPlace {
  int top = 0, height = 0;                    // the bar and its figures
  int baseline_top = 0, baseline_height = 0;  // 0 high without a comparison
};
struct GroupPlace {
  int top = 0, bottom = 0;  // the level's name is written from the top
  std::vector<BarPlace> bars;
};
struct ChartLayout {
  int width = 0, height = 0;
  int legend_top = -1;                // -1 without a legend (one resolution and no comparison)
  int axis_top = 0;                   // the row of tick labels above the bars
  int label_left = 0;                 // the level names
  int plot_left = 0, plot_right = 0;  // where 0 and the axis maximum are
  int figures_left = 0;               // the figures of the longest bars start here at most
  std::vector<GroupPlace> groups;

  // The x of `value` on the axis.
  int XFor(double value, const Axis& axis) const;
};
ChartLayout LayoutChart(const ChartModel& chart, int width);

}  // namespace quorvath
