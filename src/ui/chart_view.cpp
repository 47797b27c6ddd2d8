#include "ui/chart_view.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "ui/chart_painter.h"
#include "ui/desktop.h"

namespace quorvath {

namespace {

constexpr wchar_t kViewClass[] = L"QuorvathChartView";

// Device-independent pixels.
constexpr int kScrollLine = 20;
constexpr int kMinBodyHeight = 60;  // under the header

// Pixels. A taller picture is of little use to other programs and takes much memory: the
// chart of a result file with thousands of levels is copied as text only.
constexpr int kMaxPictureHeight = 32767;

bool HighContrastIsOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool ChartView::Create(HWND parent, int id) {
  static const ATOM registered = [] {
    WNDCLASSEXW view_class{};
    view_class.cbSize = sizeof view_class;
    // The layout follows the width, and every paint covers the whole view anyway.
    view_class.style = CS_HREDRAW | CS_VREDRAW;
    view_class.lpfnWndProc = &ChartView::Proc;
    view_class.hInstance = GetModuleHandleW(nullptr);
    view_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    view_class.lpszClassName = kViewClass;
    return RegisterClassExW(&view_class);
  }();
  if (registered == 0) return false;
  RECT client{};
  GetClientRect(parent, &client);
  return CreateWindowExW(0, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, 0, 0,
                         client.right, client.bottom, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), this) != nullptr;
}

void ChartView::SetScale(HFONT font, UINT dpi) {
  scroll_top_ = MulDiv(scroll_top_, static_cast<int>(dpi), static_cast<int>(dpi_));
  font_ = font;
  dpi_ = dpi;
  Relayout();
}

void ChartView::SetModel(ChartModel model, bool from_top) {
  model_ = std::move(model);
  if (from_top) scroll_top_ = 0;
  Relayout();
}

ChartLayout ChartView::LayoutFor(int width) const {
  const ScopedWindowDc dc(hwnd_);
  const ScopedSelectObject font(dc.get(), font_);
  return LayoutChart(model_, width, GdiChartMeasure(dc.get(), dpi_));
}

SIZE ChartView::LaidOutSize(int width) const {
  const ChartLayout layout = LayoutFor(width);
  return {Px(layout.width), std::max(Px(layout.height), Px(layout.header_height + kMinBodyHeight))};
}

SIZE ChartView::MinSize() const {
  return {Px(layout_.min_width) + SystemMetricForDpi(SM_CXVSCROLL, dpi_),
          Px(layout_.header_height + kMinBodyHeight)};
}

SIZE ChartView::ClientSize() const {
  RECT area{};
  GetClientRect(hwnd_, &area);
  return {area.right, area.bottom};
}

void ChartView::Relayout() {
  if (hwnd_ == nullptr) return;
  const SIZE view = ClientSize();
  layout_ = LayoutFor(MulDiv(view.cx, 96, static_cast<int>(dpi_)));
  // The bar scrolls the body: what lies under the header.
  const int body = Px(layout_.height) - HeaderHeight();
  const int page = std::max(0, static_cast<int>(view.cy) - HeaderHeight());
  scroll_top_ = std::clamp(scroll_top_, 0, std::max(0, body - page));
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  bar.nMax = body - 1;
  bar.nPage = static_cast<UINT>(page);
  bar.nPos = scroll_top_;
  // Showing or hiding the bar changes the view's width: the WM_SIZE that follows lays the
  // chart out again, at the same height.
  SetScrollInfo(hwnd_, SB_VERT, &bar, TRUE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void ChartView::ScrollTo(int top) {
  top = std::clamp(top, 0, std::max(0, Px(layout_.height) - static_cast<int>(ClientSize().cy)));
  if (top == scroll_top_) return;
  scroll_top_ = top;
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_POS;
  bar.nPos = top;
  SetScrollInfo(hwnd_, SB_VERT, &bar, TRUE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void ChartView::Draw(HDC dc, int width, int height, int scroll) const {
  const ScopedSelectObject font(dc, font_);
  DrawChart(dc, dpi_, model_, layout_, HighContrastIsOn(), {0, 0, width, height}, scroll);
}

UniqueBitmap ChartView::DrawWholeChart() const {
  const int width = std::max(static_cast<int>(ClientSize().cx), Px(layout_.width));
  const int height = Px(layout_.height);
  if (height > kMaxPictureHeight) return UniqueBitmap();
  // 24 bits a pixel: no alpha channel that other programs could take for transparency.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const UniqueDc memory(CreateCompatibleDC(nullptr));
  if (!picture || !memory) return UniqueBitmap();
  {
    const ScopedSelectObject select(memory.get(), picture.get());
    Draw(memory.get(), width, height, 0);
  }
  GdiFlush();
  return picture;
}

void ChartView::Copy() const {
  // A chart too large for one picture still goes as text.
  CopyPictureAndTextToClipboard(GetAncestor(hwnd_, GA_ROOT), DrawWholeChart().get(),
                                ChartText(model_));
}

void ChartView::OnPaint() const {
  const ScopedPaint paint(hwnd_);
  const SIZE view = ClientSize();
  if (paint.get() == nullptr || view.cx <= 0 || view.cy <= 0) return;
  // Drawn whole into a buffer first, so that nothing flickers while the window is resized.
  const UniqueDc memory(CreateCompatibleDC(paint.get()));
  const UniqueBitmap buffer(CreateCompatibleBitmap(paint.get(), view.cx, view.cy));
  if (!memory || !buffer) return;
  const ScopedSelectObject select(memory.get(), buffer.get());
  Draw(memory.get(), view.cx, view.cy, scroll_top_);
  BitBlt(paint.get(), 0, 0, view.cx, view.cy, memory.get(), 0, 0, SRCCOPY);
}

void ChartView::OnKeyDown(WPARAM key) {
  // The keys scroll as the scroll bar's arrows, page areas and ends do.
  constexpr std::pair<WPARAM, int> kScrollKeys[] = {{VK_UP, SB_LINEUP},    {VK_DOWN, SB_LINEDOWN},
                                                    {VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN},
                                                    {VK_HOME, SB_TOP},     {VK_END, SB_BOTTOM}};
  if (key == 'C' && GetKeyState(VK_CONTROL) < 0) Copy();
  for (const auto& [scroll_key, request] : kScrollKeys) {
    if (key == scroll_key) OnVScroll(request);
  }
}

void ChartView::OnVScroll(int request) {
  const int line = Px(kScrollLine);
  // A page keeps one line of the last in view.
  const int page = std::max(line, static_cast<int>(ClientSize().cy) - HeaderHeight() - line);
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_TRACKPOS;
  switch (request) {
    case SB_LINEUP:
      return ScrollTo(scroll_top_ - line);
    case SB_LINEDOWN:
      return ScrollTo(scroll_top_ + line);
    case SB_PAGEUP:
      return ScrollTo(scroll_top_ - page);
    case SB_PAGEDOWN:
      return ScrollTo(scroll_top_ + page);
    case SB_TOP:
      return ScrollTo(0);
    case SB_BOTTOM:
      return ScrollTo(std::numeric_limits<int>::max());
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      // The 32-bit position; the message carries only 16 bits of it.
      if (GetScrollInfo(hwnd_, SB_VERT, &bar)) ScrollTo(bar.nTrackPos);
      return;
    default:
      return;
  }
}

void ChartView::OnMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  // Fine-grained wheels send a notch in several parts.
  wheel_delta_ += delta;
  const int notches = wheel_delta_ / WHEEL_DELTA;
  if (notches == 0) return;
  wheel_delta_ -= notches * WHEEL_DELTA;
  const int step = lines == WHEEL_PAGESCROLL ? static_cast<int>(ClientSize().cy) - HeaderHeight()
                                             : static_cast<int>(lines) * Px(kScrollLine);
  ScrollTo(scroll_top_ - notches * step);
}

LRESULT ChartView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every paint covers the whole view
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_GETDLGCODE:
      // The arrows scroll, and letters are not taken as the dialog's access keys; Esc and Tab
      // stay with the dialog.
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(wparam);
      return 0;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wparam));
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wparam));
      return 0;
    case WM_NCDESTROY: {
      const HWND view = std::exchange(hwnd_, nullptr);
      SetWindowLongPtrW(view, GWLP_USERDATA, 0);
      return DefWindowProcW(view, message, wparam, lparam);
    }
    default:
      return DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

LRESULT CALLBACK ChartView::Proc(HWND view, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* const created =
        static_cast<ChartView*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->hwnd_ = view;
    SetWindowLongPtrW(view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  // Messages before WM_NCCREATE find none.
  auto* const self = reinterpret_cast<ChartView*>(GetWindowLongPtrW(view, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ != view) return DefWindowProcW(view, message, wparam, lparam);
  return RunGuarded([&] { return self->HandleMessage(message, wparam, lparam); },
                    [&] { return DefWindowProcW(view, message, wparam, lparam); });
}

}  // namespace quorvath
