#include "ui/chart_window.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "core/paths.h"
#include "core/win_system.h"
#include "ui/chart_painter.h"
#include "ui/desktop.h"
#include "ui/png_file.h"

namespace quorvath {

namespace {

constexpr wchar_t kViewClass[] = L"QuorvathChartView";
constexpr int kViewId = 1;

enum MenuId : int {
  kSaveChartAs = 100,
  kCloseChart,
  kCompareRun = 200,  // the earlier runs, newest first: kCompareRun + 0 ... + 9
  kCompareNone = 210,
  kCompareOpen,
};
constexpr std::size_t kCompareRunCount = kCompareNone - kCompareRun;

// Lengths in device-independent pixels, besides those of the chart's layout.
constexpr int kOpeningClientWidth = 640;
constexpr int kMinClientHeight = 120;
constexpr int kBesideGap = 8;  // between the result window and its chart
constexpr int kScrollLine = 20;

// The window opens 640 device-independent pixels wide (9600 twips) and at least as high as its
// smallest size; its text is in the dialog font at 8 points.
constexpr WindowLayout kLayout = {{}, 8, {kOpeningClientWidth * 15, kMinClientHeight * 15}};

// Pixels. A taller picture is of little use to other programs and takes much memory: the
// chart of a result file with thousands of levels is copied as text only.
constexpr int kMaxPictureHeight = 32767;

bool HighContrastIsOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// A Win32 error wrapped in an HRESULT is told in its own words; the system knows most other
// HRESULTs by their whole value.
std::wstring HresultText(HRESULT result) {
  return SystemErrorText(HRESULT_FACILITY(result) == FACILITY_WIN32
                             ? static_cast<DWORD>(HRESULT_CODE(result))
                             : static_cast<DWORD>(result));
}

}  // namespace

ChartWindow::~ChartWindow() { Close(); }

void ChartWindow::Show(ChartSubject subject, HWND beside) {
  subject_ = std::move(subject);
  const bool opening = !IsOpen();
  if (opening &&
      !CreateDialogWindow(nullptr, subject_.caption, WS_EX_APPWINDOW, WindowFrame::kResizable)) {
    return;
  }
  SetWindowTextW(hwnd(), subject_.caption.c_str());
  scroll_top_ = 0;
  CompareWithDefault();
  if (opening) Place(beside);
  ShowOrBringForward();
}

void ChartWindow::OnInitDialog() {
  static const ATOM registered = [] {
    WNDCLASSEXW view_class{};
    view_class.cbSize = sizeof view_class;
    // The layout follows the width, and every paint covers the whole view anyway.
    view_class.style = CS_HREDRAW | CS_VREDRAW;
    view_class.lpfnWndProc = &ChartWindow::ViewProc;
    view_class.hInstance = GetModuleHandleW(nullptr);
    view_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    view_class.lpszClassName = kViewClass;
    return RegisterClassExW(&view_class);
  }();
  AttachMenuBar(
      {{L"&File", {{kSaveChartAs, L"Save Chart &As..."}, {0, nullptr}, {kCloseChart, L"&Close"}}},
       {L"&Compare", {}}});
  CreateLayout(kLayout);
  if (registered == 0) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  // The one control, first in Tab order: the dialog gives it the focus.
  CreateWindowExW(0, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, 0, 0,
                  client.right, client.bottom, hwnd(),
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kViewId)), GetModuleHandleW(nullptr),
                  this);
}

void ChartWindow::Place(HWND beside) {
  const int content = Px(LayoutChart(model_, kOpeningClientWidth).height);
  SetClientSize({Px(kOpeningClientWidth), std::max(content, Px(kMinClientHeight))});
  PlaceBeside(hwnd(), beside, Px(kBesideGap));
}

ChartWindow::Extent ChartWindow::ViewSize() const {
  RECT area{};
  GetClientRect(view_, &area);
  return {static_cast<int>(area.right), static_cast<int>(area.bottom)};
}

int ChartWindow::MinClientWidth() const {
  int width = LayoutChart(ChartModel{}, 0).width;
  const ScopedWindowDc dc(hwnd());
  const ScopedSelectObject font(dc.get(), this->font());
  const int legend = MeasureLegend(dc.get(), dpi(), model_, baseline_label_);
  if (legend > 0) {
    width = std::max(width, MulDiv(legend, 96, static_cast<int>(dpi())) + 2 * layout_.label_left);
  }
  return width;
}

ChartSubject SavedRunsChart(const std::wstring& folder, std::vector<RunName> names) {
  std::sort(names.begin(), names.end(), NewerFirst);
  ChartSubject subject;
  subject.history_folder = folder;
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    const std::wstring path = RunPath(folder, *name);
    ChartRun run{*name, ReadRun(path), {}};
    if (!run.run) run.problem = L"This file could not be read as a saved run: " + path;
    subject.runs.push_back(std::move(run));
  }
  if (!names.empty()) {
    subject.test = names.front().test;
    subject.caption = std::wstring(TestRowFor(subject.test).name) + L" Results Chart";
  }
  return subject;
}

void ChartWindow::CompareWithDefault() {
  earlier_.clear();
  if (subject_.has_compare_menu && !subject_.history_folder.empty()) {
    earlier_ = EarlierRuns(ListRuns(subject_.history_folder, subject_.test, subject_.resolution),
                           subject_.saved_as, kCompareRunCount);
  }
  std::optional<SavedRun> run;
  if (!earlier_.empty()) {
    run = ReadRun(RunPath(subject_.history_folder, earlier_.front()));
  }
  if (run) {
    CompareWith(kCompareRun, run, RunDisplayName(earlier_.front()));
  } else {
    CompareWith(kCompareNone, std::nullopt, {});
  }
}

void ChartWindow::CompareWithFile(int item, const std::wstring& path, std::wstring label) {
  const std::optional<SavedRun> run = ReadRun(path);
  if (run) {
    CompareWith(item, run, std::move(label));
  } else {
    CompareWith(kCompareNone, std::nullopt, {});
    ShowWarning(hwnd(), L"This file could not be read as a saved run:\r\n" + path);
  }
}

void ChartWindow::CompareWith(int item, const std::optional<SavedRun>& run, std::wstring label) {
  baseline_label_ = std::move(label);
  compare_item_ = item;
  static const SavedRun kNoRun;
  const ChartRun* own = subject_.runs.empty() ? nullptr : &subject_.runs.back();
  model_ = BuildChart(own != nullptr && own->run ? *own->run : kNoRun, run ? &*run : nullptr);
  FillCompareMenu();
  Relayout();
}

void ChartWindow::FillCompareMenu() const {
  const HMENU menu = GetSubMenu(GetMenu(hwnd()), 1);
  if (menu == nullptr) return;
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  const auto add = [&](int id, const std::wstring& caption) {
    const UINT checked = id == compare_item_ ? MF_CHECKED : MF_UNCHECKED;
    AppendMenuW(menu, MF_STRING | checked, static_cast<UINT_PTR>(id), caption.c_str());
  };
  for (std::size_t i = 0; i < earlier_.size(); ++i) {
    add(kCompareRun + static_cast<int>(i), RunDisplayName(earlier_[i]));
  }
  if (!earlier_.empty()) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(kCompareNone, L"&None");
  add(kCompareOpen, L"&Open...");
}

void ChartWindow::Relayout() {
  if (view_ == nullptr) return;
  const Extent view = ViewSize();
  layout_ = LayoutChart(model_, MulDiv(view.width, 96, static_cast<int>(dpi())));
  const int content = Px(layout_.height);
  scroll_top_ = std::clamp(scroll_top_, 0, std::max(0, content - view.height));
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  bar.nMax = content - 1;
  bar.nPage = static_cast<UINT>(view.height);
  bar.nPos = scroll_top_;
  // Showing or hiding the bar changes the view's width: the WM_SIZE that follows lays the
  // chart out again, at the same height.
  SetScrollInfo(view_, SB_VERT, &bar, TRUE);
  InvalidateRect(view_, nullptr, FALSE);
}

void ChartWindow::ScrollTo(int top) {
  top = std::clamp(top, 0, std::max(0, Px(layout_.height) - ViewSize().height));
  if (top == scroll_top_) return;
  scroll_top_ = top;
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_POS;
  bar.nPos = top;
  SetScrollInfo(view_, SB_VERT, &bar, TRUE);
  InvalidateRect(view_, nullptr, FALSE);
}

void ChartWindow::Draw(HDC dc, int width, int height, int top) const {
  // The chart's own coordinates, shifted by the scroll position.
  POINT origin{};
  SetViewportOrgEx(dc, 0, -top, &origin);
  {
    const ScopedSelectObject font(dc, this->font());
    DrawChart(dc, dpi(), model_, layout_, baseline_label_, HighContrastIsOn(),
              {0, top, width, top + height});
  }
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

UniqueBitmap ChartWindow::DrawWholeChart() const {
  const int width = std::max(ViewSize().width, Px(layout_.width));
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

void ChartWindow::CopyChart() const {
  // A chart too large for one picture still goes as text.
  CopyPictureAndTextToClipboard(hwnd(), DrawWholeChart().get(), ChartText(model_));
}

void ChartWindow::SaveChartAs() const {
  const UniqueBitmap picture = DrawWholeChart();
  if (!picture) {
    ShowWarning(hwnd(), L"The chart is too large to be saved as one picture.");
    return;
  }
  std::wstring suggested = FileSafeName(subject_.caption, L"Chart") + L".png";
  if (!subject_.history_folder.empty()) suggested = subject_.history_folder + L"\\" + suggested;
  const std::optional<std::wstring> path =
      AskSavePath(hwnd(), L"PNG images (*.png)", L"*.png", suggested);
  if (!path) return;
  const HRESULT result = WritePngFile(picture.get(), *path);
  if (FAILED(result)) {
    ShowWarning(hwnd(), L"The chart could not be saved as:\r\n" + *path + L"\r\n\r\n" +
                            HresultText(result));
  }
}

void ChartWindow::OnPaint() const {
  const ScopedPaint paint(view_);
  const Extent view = ViewSize();
  if (paint.get() == nullptr || view.width <= 0 || view.height <= 0) return;
  // Drawn whole into a buffer first, so that nothing flickers while the window is resized.
  const UniqueDc memory(CreateCompatibleDC(paint.get()));
  const UniqueBitmap buffer(CreateCompatibleBitmap(paint.get(), view.width, view.height));
  if (!memory || !buffer) return;
  const ScopedSelectObject select(memory.get(), buffer.get());
  Draw(memory.get(), view.width, view.height, scroll_top_);
  BitBlt(paint.get(), 0, 0, view.width, view.height, memory.get(), 0, 0, SRCCOPY);
}

void ChartWindow::OnCommand(int id) {
  const auto run = static_cast<std::size_t>(id - kCompareRun);
  if (id >= kCompareRun && run < earlier_.size()) {
    CompareWithFile(id, RunPath(subject_.history_folder, earlier_[run]),
                    RunDisplayName(earlier_[run]));
  } else if (id == kCompareOpen) {
    const std::optional<std::wstring> path =
        AskOpenPath(hwnd(), L"CSV files (*.csv)", L"*.csv", subject_.history_folder);
    if (path) CompareWithFile(kCompareOpen, *path, FileTitle(*path, L".csv"));
  } else if (id == kCompareNone) {
    CompareWith(kCompareNone, std::nullopt, {});
  } else if (id == kSaveChartAs) {
    SaveChartAs();
  } else if (id == kCloseChart || id == IDCANCEL) {  // IDCANCEL: Esc
    Close();
  }
}

void ChartWindow::OnKeyDown(WPARAM key) {
  // The keys scroll as the scroll bar's arrows, page areas and ends do.
  constexpr std::pair<WPARAM, int> kScrollKeys[] = {{VK_UP, SB_LINEUP},    {VK_DOWN, SB_LINEDOWN},
                                                    {VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN},
                                                    {VK_HOME, SB_TOP},     {VK_END, SB_BOTTOM}};
  if (key == 'C' && GetKeyState(VK_CONTROL) < 0) CopyChart();
  for (const auto& [scroll_key, request] : kScrollKeys) {
    if (key == scroll_key) OnVScroll(request);
  }
}

void ChartWindow::OnVScroll(int request) {
  const int line = Px(kScrollLine);
  // A page keeps one line of the last in view.
  const int page = std::max(line, ViewSize().height - line);
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
      if (GetScrollInfo(view_, SB_VERT, &bar)) ScrollTo(bar.nTrackPos);
      return;
    default:
      return;
  }
}

void ChartWindow::OnMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  // Fine-grained wheels send a notch in several parts.
  wheel_delta_ += delta;
  const int notches = wheel_delta_ / WHEEL_DELTA;
  if (notches == 0) return;
  wheel_delta_ -= notches * WHEEL_DELTA;
  const int step =
      lines == WHEEL_PAGESCROLL ? ViewSize().height : static_cast<int>(lines) * Px(kScrollLine);
  ScrollTo(scroll_top_ - notches * step);
}

void ChartWindow::OnDpiChanged(UINT previous_dpi) {
  scroll_top_ = MulDiv(scroll_top_, static_cast<int>(dpi()), static_cast<int>(previous_dpi));
  // Also when the suggested size is the size it had.
  Relayout();
}

void ChartWindow::OnGetMinMaxInfo(MINMAXINFO& info) const {
  const SIZE frame = FrameSize(
      {Px(MinClientWidth()) + SystemMetricForDpi(SM_CXVSCROLL, dpi()), Px(kMinClientHeight)});
  info.ptMinTrackSize = {frame.cx, frame.cy};
}

INT_PTR ChartWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the focus goes to the view
    case WM_SIZE:
      if (view_ != nullptr && wparam != SIZE_MINIMIZED) {
        MoveWindow(view_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      }
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return TRUE;
    case WM_GETMINMAXINFO:
      if (dpi() != 0) OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lparam));  // once laid out
      return TRUE;
    case WM_SETTINGCHANGE:  // high contrast may have been switched
    case WM_SYSCOLORCHANGE:
      if (view_ != nullptr) InvalidateRect(view_, nullptr, FALSE);
      return FALSE;
    case WM_CLOSE:
      Close();
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT ChartWindow::HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam) {
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
      SetFocus(view_);
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
    default:
      return DefWindowProcW(view_, message, wparam, lparam);
  }
}

LRESULT CALLBACK ChartWindow::ViewProc(HWND view, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* const created =
        static_cast<ChartWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->view_ = view;
    SetWindowLongPtrW(view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  // Messages before WM_NCCREATE find none.
  auto* const self = reinterpret_cast<ChartWindow*>(GetWindowLongPtrW(view, GWLP_USERDATA));
  if (self == nullptr || self->view_ != view) return DefWindowProcW(view, message, wparam, lparam);
  return RunGuarded([&] { return self->HandleViewMessage(message, wparam, lparam); },
                    [&] { return DefWindowProcW(view, message, wparam, lparam); });
}

}  // namespace quorvath
