#include "results/chart_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorvath {

namespace {

// The layout, in device-independent pixels.
constexpr int kMargin = 12;
constexpr int kLegendHeight = 20;
constexpr int kAxisLabelHeight = 18;
constexpr int kLabelWidth = 120;
constexpr int kFiguresWidth = 190;
constexpr int kMinPlotWidth = 80;
constexpr int kBarHeight = 16;
constexpr int kComparedHeight = 7;
constexpr int kBarGap = 3;
constexpr int kGroupGap = 10;

std::wstring Formatted(const char* format, double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, format, decimals, value);
  return std::wstring(text, text + std::char_traits<char>::length(text));
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

ChartModel BuildChart(const SavedRun& run, const SavedRun* baseline) {
  ChartModel chart;
  chart.has_baseline = baseline != nullptr;
  std::vector<bool> used(baseline != nullptr ? baseline->records.size() : 0, false);
  double largest = 0;
  const auto widen = [&](const std::optional<double>& value) {
    if (value) largest = std::max(largest, *value);
  };
  for (const SavedRecord& record : run.records) {
    ChartBar bar;
    bar.record = record;
    bar.low = PlainNumber(record.low);
    bar.average = PlainNumber(record.average);
    bar.high = PlainNumber(record.high);
    const auto known =
        std::find(chart.resolutions.begin(), chart.resolutions.end(), record.resolution);
    bar.resolution = static_cast<std::size_t>(known - chart.resolutions.begin());
    if (known == chart.resolutions.end()) chart.resolutions.push_back(record.resolution);
    for (std::size_t i = 0; i < used.size(); ++i) {
      const SavedRecord& other = baseline->records[i];
      if (used[i] || other.level != record.level || other.resolution != record.resolution) continue;
      used[i] = true;
      bar.baseline_text = other.average;
      bar.baseline_value = PlainNumber(other.average);
      if (bar.average && bar.baseline_value && *bar.baseline_value != 0) {
        bar.change = ChangeText(*bar.average, *bar.baseline_value);
      }
      break;
    }
    for (const auto& value : {bar.low, bar.average, bar.high, bar.baseline_value}) widen(value);
    if (chart.groups.empty() || chart.groups.back().level != record.level) {
      chart.groups.push_back({record.level, {}});
    }
    chart.groups.back().bars.push_back(std::move(bar));
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
  std::wstring text = L"Level\tResolution\tLow FPS\tAverage FPS\tHigh FPS";
  if (chart.has_baseline) text += L"\tCompared Average FPS\tChange";
  text += L"\r\n";
  for (const ChartGroup& group : chart.groups) {
    for (const ChartBar& bar : group.bars) {
      const SavedRecord& r = bar.record;
      text += r.level + L'\t' + r.resolution + L'\t' + r.low + L'\t' + r.average + L'\t' + r.high;
      if (chart.has_baseline) text += L'\t' + bar.baseline_text.value_or(L"") + L'\t' + bar.change;
      text += L"\r\n";
    }
  }
  return text;
}

int ChartLayout::XFor(double value, const Axis& axis) const {
  const double share = std::clamp(value / axis.max, 0.0, 1.0);
  return plot_left + static_cast<int>(std::lround(share * (plot_right - plot_left)));
}

ChartLayout LayoutChart(const ChartModel& chart, int width) {
  ChartLayout layout;
  layout.width = std::max(width, 2 * kMargin + kLabelWidth + kMinPlotWidth + kFiguresWidth);
  layout.label_left = kMargin;
  layout.plot_left = kMargin + kLabelWidth;
  layout.figures_left = layout.width - kMargin - kFiguresWidth;
  layout.plot_right = layout.figures_left - kMargin;
  int y = kMargin;
  if (chart.resolutions.size() > 1 || chart.has_baseline) {
    layout.legend_top = y;
    y += kLegendHeight;
  }
  layout.axis_top = y;
  y += kAxisLabelHeight;
  for (const ChartGroup& group : chart.groups) {
    GroupPlace place;
    place.top = y;
    for (std::size_t i = 0; i < group.bars.size(); ++i) {
      if (i > 0) y += kBarGap;
      BarPlace bar{y, kBarHeight, y + kBarHeight, chart.has_baseline ? kComparedHeight : 0};
      y = bar.baseline_top + bar.baseline_height;
      place.bars.push_back(bar);
    }
    place.bottom = y;
    layout.groups.push_back(std::move(place));
    y += kGroupGap;
  }
  layout.height = (layout.groups.empty() ? y : y - kGroupGap) + kMargin;
  return layout;
}

}  // namespace quorvath
