// The surface a chart window draws its chart on: a child window that lays the chart out at its
// width with the window's font and DPI, keeps the chart's header in place and scrolls the bars
// under it (scroll bar, mouse wheel, arrows, Page Up and Down, Home and End), paints through a
// buffer, and gives the whole chart as one picture. Ctrl+C copies the chart as a bitmap and as
// tab-separated text (ChartText).
#pragma once

#include <windows.h>

#include "core/win_handles.h"
#include "results/chart_layout.h"
#include "results/chart_model.h"
#include "ui/dialog_window.h"

namespace quorvath {

class ChartView {
 public:
  ChartView() = default;
  ChartView(const ChartView&) = delete;
  ChartView& operator=(const ChartView&) = delete;

  // Creates the view filling `parent`'s client area, as its control `id`; it goes with its
  // parent.
  bool Create(HWND parent, int id);
  HWND hwnd() const { return hwnd_; }

  // The font and DPI the chart is drawn with: the parent's, also after the DPI changed; the
  // scroll position keeps its place in the chart.
  void SetScale(HFONT font, UINT dpi);
  // Shows `model`, from its top or where the view was.
  void SetModel(ChartModel model, bool from_top);
  const ChartModel& model() const { return model_; }

  // The chart laid out `width` device-independent pixels wide, in pixels; and the smallest
  // view that shows it, the scroll bar included.
  SIZE LaidOutSize(int width) const;
  SIZE MinSize() const;

  // The whole chart, its header at the top, as a 24-bit DIB section as wide as the view at
  // least; none when it is too tall for one.
  UniqueBitmap DrawWholeChart() const;
  void Copy() const;

 private:
  static LRESULT CALLBACK Proc(HWND view, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  ChartLayout LayoutFor(int width) const;
  void Relayout();
  void ScrollTo(int top);
  void OnKeyDown(WPARAM key);
  void OnVScroll(int request);
  void OnMouseWheel(int delta);
  void OnPaint() const;
  void Draw(HDC dc, int width, int height, int scroll) const;
  int Px(int dips) const { return ScaleForDpi(dips, dpi_); }
  SIZE ClientSize() const;
  int HeaderHeight() const { return Px(layout_.header_height); }

  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  UINT dpi_ = kDefaultDpi;
  ChartModel model_;
  ChartLayout layout_;   // for the view's width
  int scroll_top_ = 0;   // pixels of the body scrolled under the header
  int wheel_delta_ = 0;  // the mouse wheel's turn not yet scrolled
};

}  // namespace quorvath
