#include "results/chart_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <utility>

#include "results/run_sets.h"

namespace quorvath {

namespace {

constexpr std::wstring_view kAllResolutions = L"All Resolutions";

std::wstring Formatted(const char* format, double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, format, decimals, value);
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

using LevelKey = std::pair<std::wstring, std::wstring>;  // level, resolution

// A set's figures of one level and resolution, as its bar shows them.
struct SetLevel {
  SavedRecord record;
  std::optional<double> low, average, high;
  Sample sample;
  std::size_t occurrence = 0;  // of the level and resolution in a run
};

// The levels of a set: a single run's records as its file has them; for several runs the
// means of their figures.
std::vector<SetLevel> LevelsOf(const std::vector<const SavedRun*>& runs) {
  std::vector<SetLevel> levels;
  if (runs.size() == 1) {
    std::map<LevelKey, std::size_t> seen;
    for (const SavedRecord& r : runs.front()->records) {
      SetLevel level{r,
                     PlainNumber(r.low),
                     PlainNumber(r.average),
                     PlainNumber(r.high),
                     {},
                     seen[{r.level, r.resolution}]++};
      if (level.average) level.sample = {1, *level.average, 0, *level.average, *level.average};
      levels.push_back(std::move(level));
    }
    return levels;
  }
  const auto text = [](const std::optional<double>& value) {
    return value ? Formatted("%.*f", *value, 2) : std::wstring();
  };
  for (const LevelFigures& figures : SetFigures(runs)) {
    std::optional<double> average;
    if (figures.average.n > 0) average = figures.average.mean;
    levels.push_back(
        {{figures.resolution, figures.level, text(figures.low), text(average), text(figures.high)},
         figures.low,
         average,
         figures.high,
         figures.average,
         figures.occurrence});
  }
  return levels;
}

struct ChartedSet {
  std::vector<SetLevel> levels;
  bool several = false;  // runs
};

bool SharesALevel(const ChartedSet& set, const ChartedSet& base) {
  std::set<LevelKey> levels;
  for (const SetLevel& l : base.levels) levels.insert({l.record.level, l.record.resolution});
  return std::any_of(set.levels.begin(), set.levels.end(), [&](const SetLevel& l) {
    return levels.count({l.record.level, l.record.resolution}) > 0;
  });
}

ChartBar BarOf(const SetLevel& level, std::size_t set, std::size_t colour, bool several) {
  return {level.record, level.low, level.average, level.high,   set,           colour,
          set > 0,      {},        several,       level.sample, Verdict::kNone};
}

// One set's levels of every resolution, those of a level side by side, a colour per
// resolution.
std::vector<ChartGroup> GroupedBars(const ChartedSet& set,
                                    const std::vector<std::wstring>& resolutions) {
  std::vector<ChartGroup> groups;
  for (const SetLevel& level : set.levels) {
    const auto colour = static_cast<std::size_t>(
        std::find(resolutions.begin(), resolutions.end(), level.record.resolution) -
        resolutions.begin());
    if (groups.empty() || groups.back().level != level.record.level) {
      groups.push_back({level.record.level, {}});
    }
    groups.back().bars.push_back(BarOf(level, 0, colour, set.several));
  }
  return groups;
}

// The sets' levels at `resolution`, a group per level: the base's levels in its order, then
// those that only later sets have. The n-th record of a name in a run goes with the base's n-th.
std::vector<ChartGroup> ViewBars(const std::vector<ChartedSet>& sets,
                                 const std::wstring& resolution) {
  std::vector<ChartGroup> groups;
  std::map<std::pair<std::wstring, std::size_t>, std::size_t> group_of;
  for (std::size_t i = 0; i < sets.size(); ++i) {
    for (const SetLevel& level : sets[i].levels) {
      if (level.record.resolution != resolution) continue;
      const auto [place, added] =
          group_of.try_emplace({level.record.level, level.occurrence}, groups.size());
      if (added) groups.push_back({level.record.level, {}});
      ChartGroup& group = groups[place->second];
      ChartBar bar = BarOf(level, i, i, sets[i].several);
      if (i > 0 && !group.bars.empty() && group.bars.front().run == 0) {
        const ChartBar& base = group.bars.front();
        if (bar.average && base.average && *base.average != 0) {
          bar.change = ChangeText(*bar.average, *base.average);
        }
        bar.verdict = Compare(base.sample, bar.sample);
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

std::wstring_view VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::kFaster:
      return L"faster";
    case Verdict::kSlower:
      return L"slower";
    case Verdict::kWithinNoise:
      return L"within noise";
    default:
      return {};
  }
}

namespace {

// The sets drawn: the oldest that could be read (the base) and, five in all at most, those that
// share a level with it; their names in `chart.runs`, and a note in `chart.notes` for the others.
std::vector<ChartedSet> ChooseSets(const std::vector<ChartSource>& sets, ChartModel& chart) {
  std::vector<ChartedSet> charted;
  for (const ChartSource& source : sets) {
    const std::size_t runs = source.runs.size();
    const std::wstring name = SetLegendName(source.name, runs);
    const auto not_drawn = [&](const std::wstring& why) {
      chart.notes.push_back(name.empty() ? why : name + L" is not drawn. " + why);
    };
    if (runs == 0) {
      not_drawn(source.problem.empty() ? L"Its file could not be read." : source.problem);
      continue;
    }
    if (charted.size() == kMaxChartRuns) {
      not_drawn(L"A chart shows at most " + std::to_wstring(kMaxChartRuns) + L" runs or sets.");
      continue;
    }
    ChartedSet set{LevelsOf(source.runs), runs > 1};
    if (!charted.empty() && !SharesALevel(set, charted.front())) {
      not_drawn(L"It has no level of the same name and resolution as " + chart.runs.front() + L".");
    } else {
      charted.push_back(std::move(set));
      chart.runs.push_back(name);
      chart.set_sizes.push_back(runs);
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

// What the marks and figures mean, as far as the chart has them.
std::vector<ChartLabel> KeyOf(const ChartModel& chart) {
  const auto has = [&](bool several) {
    return std::any_of(chart.set_sizes.begin(), chart.set_sizes.end(),
                       [&](std::size_t runs) { return (runs > 1) == several; });
  };
  std::vector<ChartLabel> key = {{ChartMark::kAverageBar, 0, L"Average FPS"}};
  if (has(false)) key.push_back({ChartMark::kRangeLine, 0, L"Lowest to highest FPS"});
  if (has(true)) {
    key.push_back({ChartMark::kSpreadLine, 0, L"Lowest to highest run average"});
    key.push_back({ChartMark::kNone, 0, L"Figures: low, average, high FPS; a set's, the means"});
  } else {
    key.push_back({ChartMark::kNone, 0, L"Figures: low, average, high FPS"});
  }
  if (chart.has_changes) {
    key.push_back({ChartMark::kNone, 0,
                   chart.set_sizes.front() > 1 ? L"Change: mean average against the first set"
                                               : L"Change: average against the first run"});
  }
  if (chart.has_verdicts) {
    key.push_back(
        {ChartMark::kNone, 0, L"Verdict: whether the change is beyond the runs' scatter"});
  }
  return key;
}

}  // namespace

ChartModel BuildChart(std::wstring_view test, const std::vector<ChartSource>& sets,
                      std::size_t shown) {
  ChartModel chart;
  const std::vector<ChartedSet> charted = ChooseSets(sets, chart);
  for (const ChartedSet& set : charted) {
    for (const SetLevel& level : set.levels) {
      if (std::find(chart.resolutions.begin(), chart.resolutions.end(), level.record.resolution) ==
          chart.resolutions.end()) {
        chart.resolutions.push_back(level.record.resolution);
      }
    }
  }
  chart.shown = std::min(shown, chart.resolutions.empty() ? 0 : chart.resolutions.size() - 1);
  chart.grouped = charted.size() == 1 && chart.resolutions.size() > 1;
  chart.has_changes = charted.size() > 1;
  chart.title = TitleOf(test, chart);
  if (chart.grouped) {
    chart.groups = GroupedBars(charted.front(), chart.resolutions);
    for (std::size_t i = 0; i < chart.resolutions.size(); ++i) {
      chart.legend.push_back({ChartMark::kColour, i, chart.resolutions[i]});
    }
  } else if (!chart.resolutions.empty()) {
    const std::wstring& resolution = chart.resolutions[chart.shown];
    chart.groups = ViewBars(charted, resolution);
    for (std::size_t i = 0; i < charted.size(); ++i) {
      const auto has = [&](const SetLevel& l) { return l.record.resolution == resolution; };
      if (std::none_of(charted[i].levels.begin(), charted[i].levels.end(), has)) {
        chart.notes.push_back(chart.runs[i] + L" has no level at " + resolution + L".");
      }
    }
  }
  if (charted.size() > 1) {
    for (std::size_t i = 0; i < chart.runs.size(); ++i) {
      chart.legend.push_back({ChartMark::kColour, i, chart.runs[i]});
    }
  }

  double largest = 0;
  for (const ChartGroup& group : chart.groups) {
    for (const ChartBar& bar : group.bars) {
      chart.has_verdicts = chart.has_verdicts || bar.verdict != Verdict::kNone;
      for (const auto& value : {bar.low, bar.average, bar.high}) {
        if (value) largest = std::max(largest, *value);
      }
      if (bar.spread && bar.sample.n > 0) largest = std::max(largest, bar.sample.max);
    }
  }
  if (!chart.groups.empty()) chart.key = KeyOf(chart);
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

std::wstring SetLegendName(const std::wstring& name, std::size_t runs) {
  return runs > 1 ? name + L" (" + std::to_wstring(runs) + L" runs)" : name;
}

std::wstring ChartText(const ChartModel& chart) {
  std::wstring text = chart.title + L"\r\n";
  text += L"Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange\tRuns\tSD\tVerdict\r\n";
  for (const ChartGroup& group : chart.groups) {
    for (const ChartBar& bar : group.bars) {
      const SavedRecord& r = bar.record;
      const std::wstring sd = bar.sample.n > 0 ? Formatted("%.*f", bar.sample.sd, 2) : L"";
      text += r.level + L'\t' + r.resolution + L'\t' + chart.runs[bar.run] + L'\t' + r.low + L'\t' +
              r.average + L'\t' + r.high + L'\t' + bar.change + L'\t' +
              (bar.spread ? std::to_wstring(bar.sample.n) + L'\t' + sd : L"1\t") + L'\t' +
              std::wstring(VerdictText(bar.verdict)) + L"\r\n";
    }
  }
  for (const std::wstring& note : chart.notes) text += note + L"\r\n";
  return text;
}

std::array<std::wstring_view, kChartColumns> BarFigures(const ChartBar& bar) {
  if (bar.compared) return {{{}, bar.record.average, {}, bar.change, VerdictText(bar.verdict)}};
  return {{bar.record.low, bar.record.average, bar.record.high, {}, {}}};
}

}  // namespace quorvath
