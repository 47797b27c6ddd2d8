// The chart drawn into a 24-bit picture at 96 and 144 DPI: its bars and legend where the layout
// puts them and in their colours, the background beside them, nothing outside the bounds given,
// and a header that the bars scrolled under it never paint over.
#include "ui/chart_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "core/win_handles.h"
#include "ui/dialog_window.h"

namespace quorvath {
namespace {

constexpr COLORREF kUntouched = RGB(7, 7, 7);

// A picture filled with kUntouched, and a device context that draws into it with the chart's
// font at `dpi`.
struct Picture {
  Picture(int w, int h, UINT dpi) : width(w), height(h), font(CreateDialogFont(8, dpi)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::fill_n(static_cast<BYTE*>(bits), stride * static_cast<std::size_t>(height), BYTE{7});
    SelectObject(dc.get(), bitmap.get());
    SelectObject(dc.get(), font.get());
  }
  COLORREF At(int x, int y) const {
    const BYTE* pixel =
        static_cast<const BYTE*>(bits) + static_cast<std::size_t>(y) * stride + x * 3;
    return RGB(pixel[2], pixel[1], pixel[0]);
  }
  int width, height;
  void* bits = nullptr;
  std::size_t stride = 0;
  UniqueBitmap bitmap;
  UniqueFont font;
  UniqueDc dc{CreateCompatibleDC(nullptr)};
};

TEST(ChartPainter, DrawsWhereTheLayoutPutsThingsNothingOutsideAndNeverOverTheHeader) {
  const SavedRun before = {{{L"1280 x 1024", L"Cinder Keep", L"20", L"30", L"80"},
                            {L"1280 x 1024", L"Frostmere", L"5", L"10", L"20"}}};
  const SavedRun after = {{{L"1280 x 1024", L"Cinder Keep", L"20", L"40", L"80"}}};
  const ChartModel model = BuildChart(L"High Quality", {{L"Mon", {&before}}, {L"Tue", {&after}}});
  for (const UINT dpi : {96u, 144u}) {
    SCOPED_TRACE(dpi);
    const auto px = [&](int dips) { return ScaleForDpi(dips, dpi); };
    Picture measured(1, 1, dpi);
    const ChartLayout layout = LayoutChart(model, 400, GdiChartMeasure(measured.dc.get(), dpi));
    const BarPlace& base = layout.groups[0].bars[0];  // Cinder Keep: Mon, then Tue
    const BarPlace& later = layout.groups[0].bars[1];
    // The picture reaches 20 pixels past the chart; the bounds end under the first level and
    // cut through the figures.
    Picture whole(px(layout.width) + 20, px(layout.height) + 20, dpi);
    const RECT bounds{0, 0, px(layout.width - 20), px(layout.groups[0].bottom)};
    DrawChart(whole.dc.get(), dpi, model, layout, false, bounds, 0);
    GdiFlush();
    const int base_row = px(base.top + base.height / 4);  // above the low to high line
    const int later_row = px(later.top + later.height / 4);
    const struct {
      int x, y;
      COLORREF colour;
    } expected[] = {
        {px(layout.plot_left + 2), base_row, RGB(47, 102, 172)},   // the base's colour
        {px(layout.plot_left + 2), later_row, RGB(221, 125, 38)},  // the second run's
        {px(layout.plot_left - 2), base_row, RGB(255, 255, 255)},  // between name and bar
        {px(layout.legend[1].left + 2), px(layout.legend[1].top + layout.row / 2),
         RGB(221, 125, 38)},  // Tue's swatch
        {px(layout.plot_left + 2), px(layout.groups[1].bars[0].top) + 2, kUntouched},  // Frostmere
    };
    for (const auto& point : expected) {
      EXPECT_EQ(whole.At(point.x, point.y), point.colour) << point.x << ", " << point.y;
    }
    int drawn_outside = 0;
    for (int y = 0; y < whole.height; ++y) {
      for (int x = 0; x < whole.width; ++x) {
        if (x >= bounds.right || y >= bounds.bottom) drawn_outside += whole.At(x, y) != kUntouched;
      }
    }
    EXPECT_EQ(drawn_outside, 0);

    // Scrolled so that the base's bar lies under the header: the header is as it was, and the
    // second run's bar has moved up by the scroll.
    const int header = px(layout.header_height);
    const int scroll = px(later.top) - header;
    Picture scrolled(whole.width, whole.height, dpi);
    DrawChart(scrolled.dc.get(), dpi, model, layout, false, bounds, scroll);
    GdiFlush();
    int header_changed = 0;
    for (int y = 0; y < header; ++y) {
      for (int x = 0; x < whole.width; ++x) header_changed += whole.At(x, y) != scrolled.At(x, y);
    }
    EXPECT_EQ(header_changed, 0);
    EXPECT_EQ(scrolled.At(px(layout.plot_left + 2), later_row - scroll), RGB(221, 125, 38));

    // With the system's colours alone, a bar is hatched in the highlight colour, and the plot has
    // no other colours than the system's.
    Picture contrast(whole.width, whole.height, dpi);
    DrawChart(contrast.dc.get(), dpi, model, layout, true, bounds, 0);
    GdiFlush();
    const COLORREF system[] = {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_WINDOW),
                               GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_GRAYTEXT)};
    int highlighted = 0, other = 0;
    for (int x = px(layout.plot_left); x <= px(layout.plot_right); ++x) {
      const COLORREF colour = contrast.At(x, base_row);
      highlighted += colour == system[0];
      other += std::find(std::begin(system), std::end(system), colour) == std::end(system);
    }
    EXPECT_GT(highlighted, 0);
    EXPECT_EQ(other, 0);
  }
}

// Sets of runs: a spread mark, thick and black, from the lowest to the highest run average; the
// verdicts green for faster and red for slower, in the text colour with the system's colours.
TEST(ChartPainter, DrawsASetsSpreadAndItsVerdictInItsColour) {
  const auto run = [](const wchar_t* keep, const wchar_t* moor) {
    return SavedRun{{{L"1280 x 1024", L"Keep", L"20", keep, L"80"},
                     {L"1280 x 1024", L"Moor", L"5", moor, L"40"}}};
  };
  const SavedRun base[] = {run(L"40", L"30"), run(L"41", L"30"), run(L"42", L"30")};
  const SavedRun later[] = {run(L"44", L"26"), run(L"45", L"27"), run(L"46", L"28")};
  const ChartModel model = BuildChart(
      L"High Quality",
      {{L"Mon", {&base[0], &base[1], &base[2]}}, {L"Tue", {&later[0], &later[1], &later[2]}}});
  for (const UINT dpi : {96u, 144u}) {
    SCOPED_TRACE(dpi);
    const auto px = [&](int dips) { return ScaleForDpi(dips, dpi); };
    Picture measured(1, 1, dpi);
    const ChartLayout layout = LayoutChart(model, 500, GdiChartMeasure(measured.dc.get(), dpi));
    const RECT bounds{0, 0, px(layout.width), px(layout.height)};
    // In a row of a bar, the pixels of `colour` in the Verdict column.
    const auto verdict_pixels = [&](const Picture& picture, const BarPlace& bar, COLORREF colour) {
      int count = 0;
      for (int y = px(bar.top); y < px(bar.top + bar.height); ++y) {
        for (int x = px(layout.column_right[kChangeColumn]); x < px(layout.column_right[4]); ++x) {
          count += picture.At(x, y) == colour;
        }
      }
      return count;
    };
    const COLORREF green = RGB(0, 128, 0), red = RGB(192, 0, 0);
    for (const bool high_contrast : {false, true}) {
      Picture picture(bounds.right, bounds.bottom, dpi);
      DrawChart(picture.dc.get(), dpi, model, layout, high_contrast, bounds, 0);
      GdiFlush();
      const BarPlace& keep = layout.groups[0].bars[0];
      const BarPlace& faster = layout.groups[0].bars[1];
      const BarPlace& slower = layout.groups[1].bars[1];
      if (!high_contrast) {
        EXPECT_EQ(picture.At(px(layout.XFor(41, model.axis)), px(keep.top + keep.height / 2)),
                  RGB(0, 0, 0));
        EXPECT_EQ(picture.At(px(layout.XFor(20, model.axis)), px(keep.top + 2)), RGB(47, 102, 172));
      }
      EXPECT_EQ(verdict_pixels(picture, faster, green) > 0, !high_contrast);
      EXPECT_EQ(verdict_pixels(picture, slower, red) > 0, !high_contrast);
      EXPECT_EQ(verdict_pixels(picture, faster, red) + verdict_pixels(picture, slower, green), 0);
    }
  }
}

}  // namespace
}  // namespace quorvath
