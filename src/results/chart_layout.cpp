#include "results/chart_layout.h"

#include <algorithm>
#include <cmath>

namespace quorvath {

namespace {

// The layout, in device-independent pixels.
constexpr int kMargin = 12;
constexpr int kMinRow = 16;        // a bar, and a row of the header
constexpr int kRowGap = 4;         // between the header's parts
constexpr int kSwatch = 10;        // a legend's colour, a key's mark
constexpr int kMarkGap = 4;        // between a mark and its words
constexpr int kLabelSpacing = 16;  // between one label and the next on a row
constexpr int kTextGap = 6;        // between a level's name and the plot
constexpr int kColumnGap = 12;     // between figure columns
constexpr int kPlotGap = 20;       // between the plot and the figures: room for a tick label
constexpr int kMinLabelWidth = 60;
constexpr int kMaxLabelWidth = 180;  // longer level names end in "..."
constexpr int kMinPlotWidth = 80;
constexpr int kAxisGap = 6;  // between the axis line and the first bar
constexpr int kBarGap = 3;
constexpr int kGroupGap = 10;

}  // namespace

int ChartLayout::XFor(double value, const Axis& axis) const {
  const double share = std::clamp(value / axis.max, 0.0, 1.0);
  return plot_left + static_cast<int>(std::lround(share * (plot_right - plot_left)));
}

namespace {

// Places `labels` one after the other from the left margin, on as many rows as they need.
std::vector<LabelPlace> Flow(const std::vector<ChartLabel>& labels, int width, int row,
                             const ChartTextMeasure& measure, int& y) {
  std::vector<LabelPlace> places;
  int x = kMargin;
  for (const ChartLabel& label : labels) {
    const int mark = label.mark == ChartMark::kNone ? 0 : kSwatch + kMarkGap;
    const int extent = mark + measure.Width(label.text);
    if (x > kMargin && x + extent > width - kMargin) {
      x = kMargin;
      y += row;
    }
    places.push_back({x, y});
    x += extent + kLabelSpacing;
  }
  if (!labels.empty()) y += row + kRowGap;
  return places;
}

}  // namespace

ChartLayout LayoutChart(const ChartModel& chart, int width, const ChartTextMeasure& measure) {
  ChartLayout layout;
  layout.line = measure.LineHeight();
  layout.row = std::max(kMinRow, layout.line + 2);

  // The columns, right-aligned from the right margin, as wide as their widest text.
  std::array<int, kChartColumns> column_width{};
  const std::size_t columns = chart.has_verdicts ? 5 : chart.has_changes ? 4 : 3;
  for (std::size_t c = 0; c < columns; ++c) {
    column_width[c] = measure.Width(kChartColumnHeadings[c]);
  }
  int label_width = measure.Width(kLevelHeading);
  for (const ChartGroup& group : chart.groups) {
    label_width = std::max(label_width, measure.Width(group.level));
    for (const ChartBar& bar : group.bars) {
      const auto figures = BarFigures(bar);
      for (std::size_t c = 0; c < columns; ++c) {
        if (!figures[c].empty())
          column_width[c] = std::max(column_width[c], measure.Width(figures[c]));
      }
    }
  }
  label_width = std::clamp(label_width, kMinLabelWidth, kMaxLabelWidth);
  int figures_width = 0;
  for (std::size_t c = 0; c < columns; ++c)
    figures_width += column_width[c] + (c > 0 ? kColumnGap : 0);
  layout.min_width =
      2 * kMargin + label_width + kTextGap + kMinPlotWidth + kPlotGap + figures_width;
  layout.width = std::max(width, layout.min_width);

  layout.label_left = kMargin;
  layout.label_right = kMargin + label_width;
  layout.plot_left = layout.label_right + kTextGap;
  int right = layout.width - kMargin;
  for (std::size_t c = columns; c-- > 0;) {
    layout.column_right[c] = right;
    right -= column_width[c] + kColumnGap;
  }
  layout.plot_right = right + kColumnGap - kPlotGap;

  // The header: the title, the legend, the key, the notes, the axis.
  const int text_width = layout.width - 2 * kMargin;
  int y = kMargin;
  layout.title = {y, measure.WrappedHeight(chart.title, text_width, true)};
  y += layout.title.height + kRowGap;
  layout.legend = Flow(chart.legend, layout.width, layout.row, measure, y);
  layout.key = Flow(chart.key, layout.width, layout.row, measure, y);
  for (const std::wstring& note : chart.notes) {
    layout.notes.push_back({y, measure.WrappedHeight(note, text_width, false)});
    y += layout.notes.back().height;
  }
  if (!chart.notes.empty()) y += kRowGap;
  if (!chart.groups.empty()) {
    layout.axis_title_top = y;
    layout.axis_top = y + layout.row;
    y = layout.axis_top + layout.row;
  }
  layout.header_height = y;

  // The body: a group per level, a bar per record.
  y += kAxisGap;
  for (const ChartGroup& group : chart.groups) {
    GroupPlace place;
    place.top = y;
    for (std::size_t i = 0; i < group.bars.size(); ++i) {
      if (i > 0) y += kBarGap;
      place.bars.push_back({y, layout.row});
      y += layout.row;
    }
    place.bottom = y;
    layout.groups.push_back(std::move(place));
    y += kGroupGap;
  }
  layout.height = (layout.groups.empty() ? layout.header_height : y - kGroupGap) + kMargin;
  return layout;
}

}  // namespace quorvath
