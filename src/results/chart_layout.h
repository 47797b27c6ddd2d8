// Where the parts of a chart (results/chart_model.h) go, in device-independent pixels (1/96
// inch), with its text measured as the painter measures it: a header of the title, the legend,
// the key, the notes and the axis that stays in place, and under it a row per bar, the figure
// columns right-aligned from the right margin.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "results/chart_model.h"

namespace quorvath {

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
  int label_left = 0, label_right = 0;            // the level names
  int plot_left = 0, plot_right = 0;              // where 0 and the axis maximum are
  std::array<int, kChartColumns> column_right{};  // each figure column's right edge; 0: not shown
  std::vector<GroupPlace> groups;

  // The x of `value` on the axis.
  int XFor(double value, const Axis& axis) const;
};
inline constexpr std::wstring_view kAxisTitle = L"Average FPS (longer is better)";
inline constexpr std::wstring_view kLevelHeading = L"Level";

ChartLayout LayoutChart(const ChartModel& chart, int width, const ChartTextMeasure& measure);

}  // namespace quorvath
