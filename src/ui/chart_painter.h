// The chart of a run in pixels: its model (results/chart_model.h), laid out in
// device-independent pixels, drawn into a device context at a DPI. Nothing here knows a window;
// the text is written with the font selected into the device context.
#pragma once

#include <windows.h>

#include <string_view>

#include "results/chart_model.h"

namespace quorvath {

// Draws `model`, laid out as `layout`, at `dpi` into `dc`, whose logical origin is the chart's
// top-left corner: the background over `bounds` (logical coordinates) and whatever of the chart
// lies inside them, nothing outside. The legend names the compared run `baseline_label`. With
// `high_contrast` only the system's colours are used: the user chose those to be able to read the
// screen.
void DrawChart(HDC dc, UINT dpi, const ChartModel& model, const ChartLayout& layout,
               std::wstring_view baseline_label, bool high_contrast, const RECT& bounds);

// The width in pixels that DrawChart's legend takes at `dpi`; 0 when the chart has none (one
// resolution and no comparison).
int MeasureLegend(HDC dc, UINT dpi, const ChartModel& model, std::wstring_view baseline_label);

}  // namespace quorvath
