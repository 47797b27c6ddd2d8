// The chart drawn into a 24-bit picture at 96 and 144 DPI: its bars where the layout puts them
// and in their colours, the background beside them, and nothing outside the bounds given.
#include "ui/chart_painter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/win_handles.h"
#include "ui/dialog_window.h"

namespace quorvath {
namespace {

TEST(ChartPainter, DrawsTheBarsWhereTheLayoutPutsThemAndNothingOutsideTheBounds) {
  const SavedRun run = {{{L"1280 x 1024", L"Cinder Keep", L"20", L"40", L"80"},
                         {L"1280 x 1024", L"Frostmere", L"5", L"10", L"20"}}};
  const SavedRun before = {{{L"1280 x 1024", L"Cinder Keep", L"20", L"30", L"80"}}};
  const ChartModel model = BuildChart(run, &before);
  const ChartLayout layout = LayoutChart(model, 400);
  const BarPlace& bar = layout.groups[0].bars[0];  // Cinder Keep, compared
  constexpr COLORREF kUntouched = RGB(7, 7, 7);
  for (const int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    const auto px = [&](int dips) { return dips * dpi / 96; };
    // The picture reaches 20 pixels past the chart; the bounds end under the first level.
    const int width = px(layout.width) + 20, height = px(layout.height) + 20;
    const RECT bounds{0, 0, px(layout.width), px(layout.groups[0].bottom)};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueDc dc(CreateCompatibleDC(nullptr));
    const UniqueFont font = CreateDialogFont(8, static_cast<UINT>(dpi));
    ASSERT_TRUE(picture && dc && font);
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    auto* const bytes = static_cast<BYTE*>(bits);
    std::fill(bytes, bytes + stride * static_cast<std::size_t>(height), BYTE{7});
    {
      const ScopedSelectObject select(dc.get(), picture.get());
      const ScopedSelectObject select_font(dc.get(), font.get());
      DrawChart(dc.get(), static_cast<UINT>(dpi), model, layout, L"2026-12-07 14-03-22", false,
                bounds);
      GdiFlush();
    }
    const auto at = [&](int x, int y) {
      const BYTE* pixel = bytes + static_cast<std::size_t>(y) * stride + x * 3;
      return RGB(pixel[2], pixel[1], pixel[0]);
    };
    const int bar_row = px(bar.top + bar.height / 4);  // above the low to high line
    const int compared_row = px(bar.baseline_top + bar.baseline_height / 2);
    const struct {
      int x, y;
      COLORREF colour;
    } expected[] = {
        {px(layout.plot_left + 2), bar_row, RGB(47, 102, 172)},        // the first resolution
        {px(layout.plot_left + 2), compared_row, RGB(171, 193, 221)},  // lighter: compared
        {px(layout.plot_left - 2), bar_row, RGB(255, 255, 255)},       // between name and bar
        {px(layout.width - 2), compared_row, RGB(255, 255, 255)},      // past the figures
        {px(layout.plot_left + 2), px(layout.groups[1].bars[0].top) + 2, kUntouched},  // Frostmere
    };
    for (const auto& point : expected) {
      EXPECT_EQ(at(point.x, point.y), point.colour) << point.x << ", " << point.y;
    }
    int drawn_outside = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (x >= bounds.right || y >= bounds.bottom) drawn_outside += at(x, y) != kUntouched;
      }
    }
    EXPECT_EQ(drawn_outside, 0);
  }
}

}  // namespace
}  // namespace quorvath
