// The chart of runs in pixels: its model (results/chart_model.h), laid out in
// device-independent pixels with text measured by the chart's font, drawn into a device context
// at a DPI. Nothing here knows a window; the text is written with the font selected into the
// device context, the title in its bold form.
#pragma once

#include <windows.h>

#include "core/win_handles.h"
#include "results/chart_layout.h"

namespace quorvath {

// Measures the chart's text with the font selected into `dc`, at `dpi`, for LayoutChart. The
// device context must keep that font while this is used.
class GdiChartMeasure final : public ChartTextMeasure {
 public:
  GdiChartMeasure(HDC dc, UINT dpi);
  int LineHeight() const override;
  int Width(std::wstring_view text) const override;
  int WrappedHeight(std::wstring_view text, int width, bool title) const override;

 private:
  int Dips(int pixels) const;

  HDC dc_;
  UINT dpi_;
  int line_ = 0;  // pixels
  UniqueFont title_font_;
};

// Draws `model`, laid out as `layout`, at `dpi` into `dc`, whose logical origin is the chart's
// top-left corner: the background over `bounds` (logical coordinates) and whatever of the chart
// lies inside them, nothing outside. The header stays in place; the body under it is drawn
// `scroll` pixels higher, and never over the header. With `high_contrast` only the system's
// colours are used, and hatches tell the colours apart: the user chose those to be able to read
// the screen.
void DrawChart(HDC dc, UINT dpi, const ChartModel& model, const ChartLayout& layout,
               bool high_contrast, const RECT& bounds, int scroll);

}  // namespace quorvath
