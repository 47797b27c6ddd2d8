#include "ui/chart_painter.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/win_handles.h"
#include "ui/dialog_window.h"

namespace quorvath {

namespace {

// Lengths in device-independent pixels, besides those of the chart's layout.
constexpr int kTextGap = 6;  // between names, bars and figures
constexpr int kSwatch = 10;
constexpr int kLegendSpacing = 16;
constexpr int kEndTick = 8;

// One colour a resolution, in the order of the legend.
constexpr COLORREF kBarColors[] = {RGB(47, 102, 172), RGB(221, 125, 38), RGB(72, 150, 82),
                                   RGB(140, 86, 165)};

struct Palette {
  bool high_contrast;
  COLORREF background, text, grid, axis, range, gain, loss;
};

Palette PaletteFor(bool high_contrast) {
  if (high_contrast) {
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    return {true, GetSysColor(COLOR_WINDOW), text, gray, text, text, text, text};
  }
  return {
      .high_contrast = false,
      .background = RGB(255, 255, 255),
      .text = RGB(32, 32, 32),
      .grid = RGB(226, 226, 226),
      .axis = RGB(150, 150, 150),
      .range = RGB(24, 24, 24),
      .gain = RGB(22, 128, 44),
      .loss = RGB(196, 48, 36),
  };
}

COLORREF Lighter(COLORREF color) {
  const auto lift = [](BYTE part) { return static_cast<BYTE>(part + (255 - part) * 3 / 5); };
  return RGB(lift(GetRValue(color)), lift(GetGValue(color)), lift(GetBValue(color)));
}

void Fill(HDC dc, const RECT& box, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Write(HDC dc, std::wstring_view text, RECT box, COLORREF color, UINT format) {
  if (text.empty()) return;
  SetTextColor(dc, color);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box,
            format | DT_SINGLELINE | DT_NOPREFIX);
}

// The text as the font can show it: where the font has no minus sign (U+2212), a hyphen.
std::wstring Showable(HDC dc, std::wstring text) {
  constexpr wchar_t kMinus = L'\u2212';
  WORD glyph = 0;
  if (text.find(kMinus) != std::wstring::npos &&
      GetGlyphIndicesW(dc, &kMinus, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
      glyph == 0xFFFF) {
    std::replace(text.begin(), text.end(), kMinus, L'-');
  }
  return text;
}

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

struct LegendEntry {
  std::wstring text;
  std::optional<std::size_t> resolution;  // none for the compared run
};

// Shown when the layout has a legend row: for several resolutions or a comparison.
std::vector<LegendEntry> LegendEntries(const ChartModel& model, std::wstring_view compared) {
  std::vector<LegendEntry> entries;
  if (model.resolutions.size() < 2 && !model.has_baseline) return entries;
  for (std::size_t i = 0; i < model.resolutions.size(); ++i) {
    entries.push_back({model.resolutions[i], i});
  }
  if (model.has_baseline) {
    entries.push_back({L"Compared: " + std::wstring(compared), std::nullopt});
  }
  return entries;
}

int MeasureLegendEntry(HDC dc, UINT dpi, const LegendEntry& entry) {
  return ScaleForDpi(kSwatch + kTextGap / 2, dpi) + TextWidth(dc, entry.text);
}

// Draws the chart's parts for one DPI into a device context that holds the chart's font.
struct ChartPainter {
  HDC dc;
  UINT dpi;
  const Palette& palette;
  const ChartModel& model;
  const ChartLayout& layout;

  int Px(int dips) const { return ScaleForDpi(dips, dpi); }
  int X(double value) const { return Px(layout.XFor(value, model.axis)); }
  int Thin() const { return std::max(1, Px(1)); }

  void FillBar(const RECT& box, std::size_t resolution, bool compared) const {
    if (!palette.high_contrast) {
      const COLORREF color = kBarColors[resolution % std::size(kBarColors)];
      Fill(dc, box, compared ? Lighter(color) : color);
    } else if (compared) {
      Fill(dc, box, GetSysColor(COLOR_GRAYTEXT));
    } else {
      // With the system's colours alone, hatches tell the resolutions apart, and the low to
      // high line stays readable across them.
      constexpr int kHatches[] = {HS_BDIAGONAL, HS_FDIAGONAL, HS_DIAGCROSS, HS_CROSS};
      const COLORREF color = GetSysColor(COLOR_HIGHLIGHT);
      const UniqueBrush hatch(CreateHatchBrush(kHatches[resolution % std::size(kHatches)], color));
      FillRect(dc, &box, hatch.get());
      SetDCBrushColor(dc, color);
      FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
  }

  void DrawLegend(const std::vector<LegendEntry>& entries) const {
    const int top = Px(layout.legend_top);
    const int bottom = Px(layout.axis_top);
    const int swatch = Px(kSwatch);
    const int swatch_top = (top + bottom - swatch) / 2;
    int left = Px(layout.label_left);
    for (const LegendEntry& entry : entries) {
      const RECT box{left, swatch_top, left + swatch, swatch_top + swatch};
      if (entry.resolution) {
        FillBar(box, *entry.resolution, false);
      } else {
        // The compared bars are lighter versions of every resolution's colour.
        const int strips = static_cast<int>(std::max<std::size_t>(1, model.resolutions.size()));
        for (int i = 0; i < strips; ++i) {
          FillBar(
              {left + swatch * i / strips, box.top, left + swatch * (i + 1) / strips, box.bottom},
              static_cast<std::size_t>(i), true);
        }
      }
      Write(dc, entry.text, {box.right + Px(kTextGap / 2), top, Px(layout.width), bottom},
            palette.text, DT_VCENTER);
      left += MeasureLegendEntry(dc, dpi, entry) + Px(kLegendSpacing);
    }
  }

  // Tick labels above the plot and light grid lines down through it.
  void DrawAxis() const {
    const int plot_top = Px(layout.groups.front().top);
    const int plot_bottom = Px(layout.groups.back().bottom);
    const int steps = static_cast<int>(std::lround(model.axis.max / model.axis.step));
    int labels_end = std::numeric_limits<int>::min();
    for (int i = 0; i <= std::min(steps, 100); ++i) {
      const double value = model.axis.step * i;
      const int x = X(value);
      Fill(dc, {x, plot_top, x + Thin(), plot_bottom}, i == 0 ? palette.axis : palette.grid);
      Fill(dc, {x, plot_top - Px(3), x + Thin(), plot_top}, palette.axis);
      // In a narrow window a label that would touch the one before is left out.
      const std::wstring label = AxisLabel(value, model.axis);
      const int half = (TextWidth(dc, label) + 1) / 2;
      if (x - half < labels_end + Px(kTextGap)) continue;
      Write(dc, label, {x - half, Px(layout.axis_top), x + half + 1, plot_top - Px(4)},
            palette.text, DT_CENTER | DT_BOTTOM);
      labels_end = x + half;
    }
    Fill(dc, {X(0), plot_top - Thin(), X(model.axis.max) + Thin(), plot_top}, palette.axis);
  }

  void DrawGroup(const ChartGroup& group, const GroupPlace& place) const {
    if (place.bars.empty()) return;
    Write(dc, group.level,
          {Px(layout.label_left), Px(place.top), Px(layout.plot_left - kTextGap),
           Px(place.top + place.bars.front().height)},
          palette.text, DT_VCENTER | DT_END_ELLIPSIS);
    for (std::size_t i = 0; i < group.bars.size() && i < place.bars.size(); ++i) {
      DrawBar(group.bars[i], place.bars[i]);
    }
  }

  void DrawBar(const ChartBar& bar, const BarPlace& place) const {
    const int top = Px(place.top);
    const int bottom = Px(place.top + place.height);
    int end = X(0);  // of what is drawn, for the figures
    if (bar.average) {
      FillBar({X(0), top, X(*bar.average), bottom}, bar.resolution, false);
      end = std::max(end, X(*bar.average));
    }
    if (bar.baseline_value && place.baseline_height > 0) {
      FillBar({X(0), Px(place.baseline_top), X(*bar.baseline_value),
               Px(place.baseline_top + place.baseline_height)},
              bar.resolution, true);
    }
    if (bar.low && bar.high) {
      const int low = std::min(X(*bar.low), X(*bar.high));
      const int high = std::max(X(*bar.low), X(*bar.high));
      const int middle = (top + bottom - Thin()) / 2;
      const int tick = Px(kEndTick) / 2;
      Fill(dc, {low, middle, high + Thin(), middle + Thin()}, palette.range);
      Fill(dc, {low, middle - tick, low + Thin(), middle + Thin() + tick}, palette.range);
      Fill(dc, {high, middle - tick, high + Thin(), middle + Thin() + tick}, palette.range);
      end = std::max(end, high + Thin());
    }
    const SavedRecord& record = bar.record;
    const std::wstring figures = record.low + L" / " + record.average + L" / " + record.high;
    RECT box{std::min(end + Px(kTextGap), Px(layout.figures_left)), top, Px(layout.width), bottom};
    Write(dc, figures, box, palette.text, DT_VCENTER);
    if (!bar.change.empty()) {
      box.left += TextWidth(dc, figures) + Px(2 * kTextGap);
      Write(dc, Showable(dc, bar.change), box,
            bar.change.front() == L'+' ? palette.gain : palette.loss, DT_VCENTER);
    }
  }
};

}  // namespace

void DrawChart(HDC dc, UINT dpi, const ChartModel& model, const ChartLayout& layout,
               std::wstring_view baseline_label, bool high_contrast, const RECT& bounds) {
  const Palette palette = PaletteFor(high_contrast);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  Fill(dc, bounds, palette.background);
  SetBkMode(dc, TRANSPARENT);
  const ChartPainter painter{dc, dpi, palette, model, layout};
  if (layout.legend_top >= 0) painter.DrawLegend(LegendEntries(model, baseline_label));
  if (!layout.groups.empty()) painter.DrawAxis();
  for (std::size_t i = 0; i < layout.groups.size() && i < model.groups.size(); ++i) {
    const GroupPlace& place = layout.groups[i];
    // Only the levels in sight: a result file may have thousands.
    if (painter.Px(place.bottom) < bounds.top || painter.Px(place.top) > bounds.bottom) continue;
    painter.DrawGroup(model.groups[i], place);
  }
  RestoreDC(dc, saved);
}

int MeasureLegend(HDC dc, UINT dpi, const ChartModel& model, std::wstring_view baseline_label) {
  int width = 0;
  for (const LegendEntry& entry : LegendEntries(model, baseline_label)) {
    if (width > 0) width += ScaleForDpi(kLegendSpacing, dpi);
    width += MeasureLegendEntry(dc, dpi, entry);
  }
  return width;
}

}  // namespace quorvath
