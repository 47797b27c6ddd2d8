#include "ui/chart_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <limits>
#include <string>

#include "ui/dialog_window.h"

namespace quorvath {

namespace {

// Lengths in device-independent pixels, besides those of the chart's layout.
constexpr int kSwatch = 10;
constexpr int kMarkGap = 4;
constexpr int kEndTick = 8;
constexpr int kSpreadCap = 12;   // the spread mark's end caps, taller than the range's ticks
constexpr int kSpreadWidth = 3;  // and its line, thicker
constexpr int kTickLength = 3;
constexpr int kTextGap = 6;

constexpr UINT kWrapped = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

// A colour a run, or a resolution in a run's grouped view, in the order of the legend. Green
// and red are kept for telling a change to be real.
constexpr COLORREF kBarColors[] = {RGB(47, 102, 172), RGB(221, 125, 38), RGB(140, 86, 165),
                                   RGB(40, 150, 160), RGB(156, 117, 95)};
// With the system's colours alone, hatches tell them apart.
constexpr int kHatches[] = {HS_BDIAGONAL, HS_FDIAGONAL, HS_DIAGCROSS,
                            HS_CROSS,     HS_VERTICAL,  HS_HORIZONTAL};

struct Palette {
  bool high_contrast;
  COLORREF background, text, grid, axis, range, key_bar, spread, faster, slower;
};

Palette PaletteFor(bool high_contrast) {
  if (high_contrast) {
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    return {true, GetSysColor(COLOR_WINDOW), text, gray, text, text, gray, text, text, text};
  }
  return {
      .high_contrast = false,
      .background = RGB(255, 255, 255),
      .text = RGB(32, 32, 32),
      .grid = RGB(226, 226, 226),
      .axis = RGB(150, 150, 150),
      .range = RGB(24, 24, 24),
      .key_bar = RGB(160, 160, 160),
      .spread = RGB(0, 0, 0),
      .faster = RGB(0, 128, 0),
      .slower = RGB(192, 0, 0),
  };
}

void Fill(HDC dc, const RECT& box, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Write(HDC dc, std::wstring_view text, RECT box, COLORREF color, UINT format) {
  if (text.empty()) return;
  SetTextColor(dc, color);
  DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, format | DT_NOPREFIX);
}

// The text as the font can show it: where the font has no minus sign (U+2212), a hyphen.
std::wstring Showable(HDC dc, std::wstring_view shown) {
  constexpr wchar_t kMinus = L'\u2212';
  std::wstring text(shown);
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

// The title's font: the font selected into `dc`, a quarter larger and bold; where its face has
// no such size (a raster face stops short), the scalable face that "MS Shell Dlg" stands for on
// Windows, named as such: Wine maps that name to a Tahoma without a bold form at every size,
// and finds a bold sans-serif face for this one.
UniqueFont TitleFontOf(HDC dc) {
  LOGFONTW face{};
  if (GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof face, &face) != sizeof face) return {};
  face.lfHeight = face.lfHeight * 5 / 4;
  face.lfWidth = 0;
  face.lfWeight = FW_BOLD;
  UniqueFont same(CreateFontIndirectW(&face));
  TEXTMETRICW metrics{};
  if (same) {
    const ScopedSelectObject select(dc, same.get());
    GetTextMetricsW(dc, &metrics);
  }
  if (metrics.tmHeight - metrics.tmInternalLeading == std::abs(face.lfHeight)) return same;
  wcsncpy_s(face.lfFaceName, L"Microsoft Sans Serif", _TRUNCATE);
  UniqueFont scalable(CreateFontIndirectW(&face));
  return scalable ? std::move(scalable) : std::move(same);
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
  RECT Row(int left, int top, int right) const {
    return {left, Px(top), right, Px(top + layout.row)};
  }

  void FillBar(const RECT& box, std::size_t colour) const {
    if (!palette.high_contrast) return Fill(dc, box, kBarColors[colour % std::size(kBarColors)]);
    // The low to high line stays readable across the hatches.
    const COLORREF color = GetSysColor(COLOR_HIGHLIGHT);
    const UniqueBrush hatch(CreateHatchBrush(kHatches[colour % std::size(kHatches)], color));
    FillRect(dc, &box, hatch.get());
    SetDCBrushColor(dc, color);
    FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }

  // A line from `low` to `high` with an upright tick at each end, across the middle of `top`
  // to `bottom`.
  void DrawRange(int low, int high, int top, int bottom) const {
    const int middle = (top + bottom - Thin()) / 2;
    const int tick = Px(kEndTick) / 2;
    Fill(dc, {low, middle, high + Thin(), middle + Thin()}, palette.range);
    Fill(dc, {low, middle - tick, low + Thin(), middle + Thin() + tick}, palette.range);
    Fill(dc, {high, middle - tick, high + Thin(), middle + Thin() + tick}, palette.range);
  }

  // A set's spread: a thick line from `low` to `high` with a tall cap at each end.
  void DrawSpread(int low, int high, int top, int bottom) const {
    const int width = std::max(1, Px(kSpreadWidth));
    const int middle = (top + bottom - width) / 2;
    const int cap = Px(kSpreadCap) / 2;
    const int cap_width = std::max(2, Px(2));
    Fill(dc, {low, middle, high + cap_width, middle + width}, palette.spread);
    Fill(dc, {low, middle - cap, low + cap_width, middle + width + cap}, palette.spread);
    Fill(dc, {high, middle - cap, high + cap_width, middle + width + cap}, palette.spread);
  }

  COLORREF VerdictColour(Verdict verdict) const {
    return verdict == Verdict::kFaster   ? palette.faster
           : verdict == Verdict::kSlower ? palette.slower
                                         : palette.text;
  }

  void DrawLabels(const std::vector<ChartLabel>& labels,
                  const std::vector<LabelPlace>& places) const {
    for (std::size_t i = 0; i < labels.size() && i < places.size(); ++i) {
      const ChartLabel& label = labels[i];
      const int left = Px(places[i].left);
      const int top = Px(places[i].top + (layout.row - kSwatch) / 2);
      const RECT mark{left, top, left + Px(kSwatch), top + Px(kSwatch)};
      if (label.mark == ChartMark::kColour) FillBar(mark, label.colour);
      if (label.mark == ChartMark::kAverageBar) Fill(dc, mark, palette.key_bar);
      if (label.mark == ChartMark::kRangeLine)
        DrawRange(mark.left, mark.right - Thin(), mark.top, mark.bottom);
      if (label.mark == ChartMark::kSpreadLine)
        DrawSpread(mark.left, mark.right - std::max(2, Px(2)), mark.top, mark.bottom);
      const int text_left = label.mark == ChartMark::kNone ? left : mark.right + Px(kMarkGap);
      Write(dc, label.text, Row(text_left, places[i].top, Px(layout.width - layout.label_left)),
            palette.text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
  }

  void DrawHeader() const {
    // As wide as the text was measured for: wrapped the same way.
    const int text_right = Px(layout.label_left) + Px(layout.width - 2 * layout.label_left);
    {
      const UniqueFont title = TitleFontOf(dc);
      const ScopedSelectObject select(dc, title ? title.get() : GetCurrentObject(dc, OBJ_FONT));
      Write(dc, model.title,
            {Px(layout.label_left), Px(layout.title.top), text_right,
             Px(layout.title.top + layout.title.height)},
            palette.text, kWrapped);
    }
    DrawLabels(model.legend, layout.legend);
    DrawLabels(model.key, layout.key);
    for (std::size_t i = 0; i < model.notes.size() && i < layout.notes.size(); ++i) {
      const TextPlace& note = layout.notes[i];
      Write(dc, model.notes[i],
            {Px(layout.label_left), Px(note.top), text_right, Px(note.top + note.height)},
            palette.text, kWrapped);
    }
    if (model.groups.empty()) return;

    // The axis's title over the middle of the plot, as far as it fits.
    const int title_width = TextWidth(dc, kAxisTitle);
    const int title_left = std::max(
        Px(layout.label_left), (Px(layout.plot_left) + Px(layout.plot_right) - title_width) / 2);
    Write(dc, kAxisTitle, Row(title_left, layout.axis_title_top, text_right), palette.text,
          DT_SINGLELINE | DT_VCENTER);
    const UINT heading = DT_SINGLELINE | DT_VCENTER;
    Write(dc, kLevelHeading, Row(Px(layout.label_left), layout.axis_top, Px(layout.plot_left)),
          palette.text, heading);
    for (std::size_t c = 0; c < layout.column_right.size(); ++c) {
      if (layout.column_right[c] == 0) continue;
      Write(dc, kChartColumnHeadings[c],
            Row(Px(layout.plot_right), layout.axis_top, Px(layout.column_right[c])), palette.text,
            heading | DT_RIGHT);
    }

    // The tick labels, a tick under each, and the axis line that ends the header.
    const int axis = Px(layout.header_height);
    const int steps = static_cast<int>(std::lround(model.axis.max / model.axis.step));
    int labels_end = std::numeric_limits<int>::min();
    for (int i = 0; i <= std::min(steps, 100); ++i) {
      const double value = model.axis.step * i;
      const int x = X(value);
      Fill(dc, {x, axis - Px(kTickLength) - Thin(), x + Thin(), axis}, palette.axis);
      // In a narrow window a label that would touch the one before is left out.
      const std::wstring label = AxisLabel(value, model.axis);
      const int half = (TextWidth(dc, label) + 1) / 2;
      if (x - half < labels_end + Px(kTextGap)) continue;
      Write(dc, label, Row(x - half, layout.axis_top, x + half + 1), palette.text,
            DT_SINGLELINE | DT_VCENTER | DT_CENTER);
      labels_end = x + half;
    }
    Fill(dc, {X(0), axis - Thin(), X(model.axis.max) + Thin(), axis}, palette.axis);
  }

  // Light grid lines down through the bars, from the axis line.
  void DrawGrid() const {
    const int top = Px(layout.header_height);
    const int bottom = Px(layout.groups.back().bottom);
    const int steps = static_cast<int>(std::lround(model.axis.max / model.axis.step));
    for (int i = 0; i <= std::min(steps, 100); ++i) {
      const int x = X(model.axis.step * i);
      Fill(dc, {x, top, x + Thin(), bottom}, i == 0 ? palette.axis : palette.grid);
    }
  }

  void DrawGroup(const ChartGroup& group, const GroupPlace& place) const {
    if (place.bars.empty()) return;
    Write(dc, group.level,
          Row(Px(layout.label_left), place.bars.front().top, Px(layout.label_right)), palette.text,
          DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    for (std::size_t i = 0; i < group.bars.size() && i < place.bars.size(); ++i) {
      DrawBar(group.bars[i], place.bars[i]);
    }
  }

  void DrawBar(const ChartBar& bar, const BarPlace& place) const {
    const int top = Px(place.top);
    const int bottom = Px(place.top + place.height);
    if (bar.average) FillBar({X(0), top, X(*bar.average), bottom}, bar.colour);
    if (bar.spread && bar.sample.n > 0) {
      DrawSpread(X(bar.sample.min), X(bar.sample.max), top, bottom);
    } else if (!bar.spread && bar.low && bar.high) {
      DrawRange(std::min(X(*bar.low), X(*bar.high)), std::max(X(*bar.low), X(*bar.high)), top,
                bottom);
    }
    const auto figures = BarFigures(bar);
    for (std::size_t c = 0; c < layout.column_right.size(); ++c) {
      if (layout.column_right[c] == 0) continue;
      const COLORREF colour = c == kVerdictColumn ? VerdictColour(bar.verdict) : palette.text;
      Write(dc, Showable(dc, figures[c]),
            {Px(layout.plot_right), top, Px(layout.column_right[c]), bottom}, colour,
            DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
  }
};

}  // namespace

GdiChartMeasure::GdiChartMeasure(HDC dc, UINT dpi)
    : dc_(dc), dpi_(dpi), title_font_(TitleFontOf(dc)) {
  TEXTMETRICW metrics{};
  if (GetTextMetricsW(dc, &metrics)) line_ = static_cast<int>(metrics.tmHeight);
}

int GdiChartMeasure::Dips(int pixels) const {
  // Rounded up: a text never takes more room than it was given.
  return (pixels * static_cast<int>(kDefaultDpi) + static_cast<int>(dpi_) - 1) /
         static_cast<int>(dpi_);
}

int GdiChartMeasure::LineHeight() const { return Dips(line_); }

int GdiChartMeasure::Width(std::wstring_view text) const { return Dips(TextWidth(dc_, text)); }

int GdiChartMeasure::WrappedHeight(std::wstring_view text, int width, bool title) const {
  if (text.empty()) return 0;
  const HGDIOBJ font = title && title_font_ ? title_font_.get() : GetCurrentObject(dc_, OBJ_FONT);
  const ScopedSelectObject select(dc_, font);
  RECT box{0, 0, ScaleForDpi(width, dpi_), 0};
  DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &box, DT_CALCRECT | kWrapped);
  return Dips(box.bottom);
}

void DrawChart(HDC dc, UINT dpi, const ChartModel& model, const ChartLayout& layout,
               bool high_contrast, const RECT& bounds, int scroll) {
  const Palette palette = PaletteFor(high_contrast);
  const ChartPainter painter{dc, dpi, palette, model, layout};
  const int header = painter.Px(layout.header_height);
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  Fill(dc, bounds, palette.background);
  if (!layout.groups.empty() && !model.groups.empty()) {
    // The body, under the header; the clip stays where it is while the origin moves.
    IntersectClipRect(dc, bounds.left, std::max<int>(bounds.top, header), bounds.right,
                      bounds.bottom);
    POINT origin{};
    OffsetViewportOrgEx(dc, 0, -scroll, &origin);
    painter.DrawGrid();
    for (std::size_t i = 0; i < layout.groups.size() && i < model.groups.size(); ++i) {
      const GroupPlace& place = layout.groups[i];
      // Only the levels in sight: a result file may have thousands.
      if (painter.Px(place.bottom) < bounds.top + scroll ||
          painter.Px(place.top) > bounds.bottom + scroll) {
        continue;
      }
      painter.DrawGroup(model.groups[i], place);
    }
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
  RestoreDC(dc, saved);
  const int header_saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right,
                    std::min<int>(bounds.bottom, header));
  painter.DrawHeader();
  RestoreDC(dc, header_saved);
}

}  // namespace quorvath
