#include "results/chart_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <utility>

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

constexpr std::wstring_view kAllResolutions = L"All Resolutions";

std::wstring Formatted(const char* format, double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, format, decimals, value);
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

using LevelKey = std::pair<std::wstring, std::wstring>;  // level, resolution

bool SharesALevel(const SavedRun& run, const SavedRun& base) {
  std::set<LevelKey> levels;
  for (const SavedRecord& r : base.records) levels.insert({r.level, r.resolution});
  return std::any_of(run.records.begin(), run.records.end(), [&](const SavedRecord& r) {
    return levels.count({r.level, r.resolution}) > 0;
  });
}

ChartBar BarOf(const SavedRecord& record, std::size_t run, std::size_t colour) {
  return {record,
          PlainNumber(record.low),
          PlainNumber(record.average),
          PlainNumber(record.high),
          run,
          colour,
          run > 0,
          {}};
}

// One run's records of every resolution, those of a level side by side, a colour per
// resolution.
std::vector<ChartGroup> GroupedBars(const SavedRun& run,
                                    const std::vector<std::wstring>& resolutions) {
  std::vector<ChartGroup> groups;
  for (const SavedRecord& record : run.records) {
    const auto colour = static_cast<std::size_t>(
        std::find(resolutions.begin(), resolutions.end(), record.resolution) - resolutions.begin());
    if (groups.empty() || groups.back().level != record.level) {
      groups.push_back({record.level, {}});
    }
    groups.back().bars.push_back(BarOf(record, 0, colour));
  }
  return groups;
}

// The runs' records at `resolution`, a group per level: the base's levels in its order, then
// those that only later runs have. The n-th record of a name in a run goes with the base's n-th.
std::vector<ChartGroup> ViewBars(const std::vector<const SavedRun*>& runs,
                                 const std::wstring& resolution) {
  std::vector<ChartGroup> groups;
  std::map<std::pair<std::wstring, std::size_t>, std::size_t> group_of;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    std::map<std::wstring, std::size_t> seen;
    for (const SavedRecord& record : runs[i]->records) {
      if (record.resolution != resolution) continue;
      const auto [place, added] =
          group_of.try_emplace({record.level, seen[record.level]++}, groups.size());
      if (added) groups.push_back({record.level, {}});
      ChartGroup& group = groups[place->second];
      ChartBar bar = BarOf(record, i, i);
      if (i > 0 && !group.bars.empty() && group.bars.front().run == 0) {
        const ChartBar& base = group.bars.front();
        if (bar.average && base.average && *base.average != 0) {
          bar.change = ChangeText(*bar.average, *base.average);
        }
      }
      group.bars.push_back(std::move(bar));
    }
  }
  return groups;
}

}  // namespace

std::optional<double> PlainNumber(std::wstring_view text) {
  std::size_t digits = 0, points = 0;
  for (const wchar_t c : text) {
    if (c >= L'0' && c <= L'9') {
      ++digits;
    } else if (c == L'.') {
      ++points;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0 || points > 1) return std::nullopt;
  return std::strtod(std::string(text.begin(), text.end()).c_str(), nullptr);
}

namespace {

// The runs drawn: the oldest that could be read (the base) and, five in all at most, those that
// share a level with it; their names in `chart.runs`, and a note in `chart.notes` for the others.
std::vector<const SavedRun*> ChooseRuns(const std::vector<ChartSource>& runs, ChartModel& chart) {
  std::vector<const SavedRun*> charted;
  for (const ChartSource& source : runs) {
    const auto not_drawn = [&](const std::wstring& why) {
      chart.notes.push_back(source.name.empty() ? why : source.name + L" is not drawn. " + why);
    };
    if (source.run == nullptr) {
      not_drawn(source.problem.empty() ? L"Its file could not be read." : source.problem);
    } else if (!charted.empty() && charted.size() == kMaxChartRuns) {
      not_drawn(L"A chart shows at most " + std::to_wstring(kMaxChartRuns) + L" runs.");
    } else if (!charted.empty() && !SharesALevel(*source.run, *charted.front())) {
      not_drawn(L"It has no level of the same name and resolution as " + chart.runs.front() + L".");
    } else {
      charted.push_back(source.run);
      chart.runs.push_back(source.name);
    }
  }
  return charted;
}

// "High Quality, 1280 x 1024: changes against <base>".
std::wstring TitleOf(std::wstring_view test, const ChartModel& chart) {
  std::wstring title(test);
  const std::wstring_view view = chart.grouped ? kAllResolutions
                                 : chart.resolutions.empty()
                                     ? std::wstring_view()
                                     : std::wstring_view(chart.resolutions[chart.shown]);
  if (!view.empty()) title += (title.empty() ? L"" : L", ") + std::wstring(view);
  if (!title.empty()) title += L": ";
  if (chart.runs.empty()) return title + L"no run to draw";
  return title + (chart.has_changes ? L"changes against " : L"") + chart.runs.front();
}

}  // namespace

ChartModel BuildChart(std::wstring_view test, const std::vector<ChartSource>& runs,
                      std::size_t shown) {
  ChartModel chart;
  const std::vector<const SavedRun*> charted = ChooseRuns(runs, chart);
  for (const SavedRun* run : charted) {
    for (const SavedRecord& record : run->records) {
      if (std::find(chart.resolutions.begin(), chart.resolutions.end(), record.resolution) ==
          chart.resolutions.end()) {
        chart.resolutions.push_back(record.resolution);
      }
    }
  }
  chart.shown = std::min(shown, chart.resolutions.empty() ? 0 : chart.resolutions.size() - 1);
  chart.grouped = charted.size() == 1 && chart.resolutions.size() > 1;
  chart.has_changes = charted.size() > 1;
  chart.title = TitleOf(test, chart);
  if (chart.grouped) {
    chart.groups = GroupedBars(*charted.front(), chart.resolutions);
    for (std::size_t i = 0; i < chart.resolutions.size(); ++i) {
      chart.legend.push_back({ChartMark::kColour, i, chart.resolutions[i]});
    }
  } else if (!chart.resolutions.empty()) {
    const std::wstring& resolution = chart.resolutions[chart.shown];
    chart.groups = ViewBars(charted, resolution);
    for (std::size_t i = 0; i < charted.size(); ++i) {
      const auto has = [&](const SavedRecord& r) { return r.resolution == resolution; };
      if (std::none_of(charted[i]->records.begin(), charted[i]->records.end(), has)) {
        chart.notes.push_back(chart.runs[i] + L" has no level at " + resolution + L".");
      }
    }
  }
  if (charted.size() > 1) {
    for (std::size_t i = 0; i < chart.runs.size(); ++i) {
      chart.legend.push_back({ChartMark::kColour, i, chart.runs[i]});
    }
  }
  if (!chart.groups.empty()) {
    chart.key = {{ChartMark::kAverageBar, 0, L"Average FPS"},
                 {ChartMark::kRangeLine, 0, L"Lowest to highest FPS"},
                 {ChartMark::kNone, 0, L"Figures: low, average, high FPS"}};
    if (chart.has_changes) {
      chart.key.push_back({ChartMark::kNone, 0, L"Change: average against the first run"});
    }
  }

  double largest = 0;
  for (const ChartGroup& group : chart.groups) {
    for (const ChartBar& bar : group.bars) {
      for (const auto& value : {bar.low, bar.average, bar.high}) {
        if (value) largest = std::max(largest, *value);
      }
    }
  }
  chart.axis = NiceAxis(largest);
  return chart;
}

Axis NiceAxis(double largest) {
  if (!(largest > 0) || !std::isfinite(largest)) return {};
  const double raw = largest / 5;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double residual = raw / magnitude;
  const double step = magnitude * (residual <= 1 ? 1 : residual <= 2 ? 2 : residual <= 5 ? 5 : 10);
  // Rounding must not add a step for a figure that sits right on a tick.
  return {std::ceil(largest / step - 1e-9) * step, step};
}

std::wstring AxisLabel(double value, const Axis& axis) {
  const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(axis.step) + 1e-9)));
  return Formatted("%.*f", value, decimals);
}

std::wstring ChangeText(double now, double before) {
  if (before == 0) return {};
  const double change = std::round((now - before) / before * 1000) / 10;
  return (change < 0 ? L"\u2212" : L"+") + Formatted("%.*f", std::fabs(change), 1) + L" %";
}

std::wstring ChartText(const ChartModel& chart) {
  std::wstring text = chart.title + L"\r\n";
  text += L"Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange\r\n";
  for (const ChartGroup& group : chart.groups) {
    for (const ChartBar& bar : group.bars) {
      const SavedRecord& r = bar.record;
      text += r.level + L'\t' + r.resolution + L'\t' + chart.runs[bar.run] + L'\t' + r.low + L'\t' +
              r.average + L'\t' + r.high + L'\t' + bar.change + L"\r\n";
    }
  }
  for (const std::wstring& note : chart.notes) text += note + L"\r\n";
  return text;
}

std::array<std::wstring_view, 4> BarFigures(const ChartBar& bar) {
  if (bar.compared) return {{{}, bar.record.average, {}, bar.change}};
  return {{bar.record.low, bar.record.average, bar.record.high, {}}};
}

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
  std::array<int, 4> column_width{};
  const std::size_t columns = chart.has_changes ? 4 : 3;
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
