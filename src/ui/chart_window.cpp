#include "ui/chart_window.h"

#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <string_view>
#include <utility>

#include "core/file_system.h"
#include "core/paths.h"
#include "core/win_system.h"
#include "ui/desktop.h"
#include "ui/dialog_window.h"

namespace quorvath {

namespace {

constexpr wchar_t kClassName[] = L"QuorvathChart";

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
constexpr int kTextGap = 6;    // between names, bars and figures
constexpr int kSwatch = 10;
constexpr int kLegendSpacing = 16;
constexpr int kEndTick = 8;
constexpr int kScrollLine = 20;
constexpr int kFontPoints = 8;

// Pixels. A taller picture is of little use to other programs and takes much memory: the
// chart of a result file with thousands of levels is copied as text only.
constexpr int kMaxPictureHeight = 32767;

// One colour a resolution, in the order of the legend.
constexpr COLORREF kBarColors[] = {RGB(47, 102, 172), RGB(221, 125, 38), RGB(72, 150, 82),
                                   RGB(140, 86, 165)};

struct Palette {
  bool high_contrast;
  COLORREF background, text, grid, axis, range, gain, loss;
};

// The chart's own colours, or only the system's while high contrast is on: the user chose
// those to be able to read the screen.
Palette CurrentPalette() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
      (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
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
std::vector<LegendEntry> LegendEntries(const ChartModel& model, const std::wstring& compared) {
  std::vector<LegendEntry> entries;
  if (model.resolutions.size() < 2 && !model.has_baseline) return entries;
  for (std::size_t i = 0; i < model.resolutions.size(); ++i) {
    entries.push_back({model.resolutions[i], i});
  }
  if (model.has_baseline) entries.push_back({L"Compared: " + compared, std::nullopt});
  return entries;
}

int LegendEntryWidth(HDC dc, UINT dpi, const LegendEntry& entry) {
  return ScaleForDpi(kSwatch + kTextGap / 2, dpi) + TextWidth(dc, entry.text);
}

int LegendWidth(HDC dc, UINT dpi, const std::vector<LegendEntry>& entries) {
  int width = 0;
  for (const LegendEntry& entry : entries) {
    if (width > 0) width += ScaleForDpi(kLegendSpacing, dpi);
    width += LegendEntryWidth(dc, dpi, entry);
  }
  return width;
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

  void Legend(const std::vector<LegendEntry>& entries) const {
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
      left += LegendEntryWidth(dc, dpi, entry) + Px(kLegendSpacing);
    }
  }

  // Tick labels above the plot and light grid lines down through it.
  void Axis() const {
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

  void Group(const ChartGroup& group, const GroupPlace& place) const {
    if (place.bars.empty()) return;
    Write(dc, group.level,
          {Px(layout.label_left), Px(place.top), Px(layout.plot_left - kTextGap),
           Px(place.top + place.bars.front().height)},
          palette.text, DT_VCENTER | DT_END_ELLIPSIS);
    for (std::size_t i = 0; i < group.bars.size() && i < place.bars.size(); ++i) {
      Bar(group.bars[i], place.bars[i]);
    }
  }

  void Bar(const ChartBar& bar, const BarPlace& place) const {
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

// A Win32 error wrapped in an HRESULT is told in its own words; the system knows most other
// HRESULTs by their whole value.
std::wstring HresultText(HRESULT result) {
  return SystemErrorText(HRESULT_FACILITY(result) == FACILITY_WIN32
                             ? static_cast<DWORD>(HRESULT_CODE(result))
                             : static_cast<DWORD>(result));
}

HRESULT EncodePng(IWICImagingFactory& factory, IWICBitmapSource* picture, IStream* stream) {
  ComPtr<IWICBitmapEncoder> encoder;
  HRESULT result = factory.CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Receive());
  if (SUCCEEDED(result)) result = encoder->Initialize(stream, WICBitmapEncoderNoCache);
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  if (SUCCEEDED(result)) result = encoder->CreateNewFrame(frame.Receive(), options.Receive());
  if (SUCCEEDED(result)) result = frame->Initialize(options.get());
  UINT width = 0, height = 0;
  if (SUCCEEDED(result)) result = picture->GetSize(&width, &height);
  if (SUCCEEDED(result)) result = frame->SetSize(width, height);
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(result)) result = frame->SetPixelFormat(&format);
  if (SUCCEEDED(result)) result = frame->WriteSource(picture, nullptr);
  if (SUCCEEDED(result)) result = frame->Commit();
  if (SUCCEEDED(result)) result = encoder->Commit();
  return result;
}

HRESULT WritePng(HBITMAP picture, const std::wstring& path) {
  ComPtr<IWICImagingFactory> factory;
  HRESULT result = CreateComInstance(CLSID_WICImagingFactory, IID_IWICImagingFactory,
                                     reinterpret_cast<void**>(factory.Receive()));
  ComPtr<IWICBitmap> source;
  if (SUCCEEDED(result)) {
    result =
        factory->CreateBitmapFromHBITMAP(picture, nullptr, WICBitmapIgnoreAlpha, source.Receive());
  }
  bool opened = false;
  {
    ComPtr<IWICStream> stream;
    if (SUCCEEDED(result)) result = factory->CreateStream(stream.Receive());
    if (SUCCEEDED(result)) {
      result = stream->InitializeFromFilename(ExtendedLengthPath(path).c_str(), GENERIC_WRITE);
      opened = SUCCEEDED(result);
    }
    if (SUCCEEDED(result)) result = EncodePng(*factory.get(), source.get(), stream.get());
  }
  // No half-written picture is left behind; the stream has closed the file by now.
  if (FAILED(result) && opened) DeleteOneFile(path);
  return result;
}

// A window's client area, in pixels.
struct ClientSize {
  explicit ClientSize(HWND window) {
    RECT area{};
    GetClientRect(window, &area);
    width = static_cast<int>(area.right);
    height = static_cast<int>(area.bottom);
  }
  int width = 0;
  int height = 0;
};

// Begins and ends the painting of a window.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~ScopedPaint() { EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace

ChartWindow::~ChartWindow() { Close(); }

void ChartWindow::Show(ChartSubject subject, HWND beside) {
  subject_ = std::move(subject);
  const bool opening = hwnd_ == nullptr;
  if (opening && !Create(beside)) return;
  SetWindowTextW(hwnd_, subject_.caption.c_str());
  scroll_top_ = 0;
  CompareWithDefault();
  if (opening) {
    Place(beside);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
  } else {
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
  }
}

void ChartWindow::Close() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool ChartWindow::Create(HWND beside) {
  static const ATOM registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    // The layout follows the width, and every paint covers the whole client area anyway.
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = &ChartWindow::WindowProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class);
  }();
  if (registered == 0) return false;
  // Made where `beside` is, so that it starts at the DPI of that monitor.
  RECT start{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
  if (beside != nullptr) GetWindowRect(beside, &start);
  CreateWindowExW(WS_EX_APPWINDOW, kClassName, subject_.caption.c_str(), WS_OVERLAPPEDWINDOW,
                  start.left, start.top, 200, 200, nullptr, nullptr, GetModuleHandleW(nullptr),
                  this);
  if (hwnd_ == nullptr) return false;

  UniqueMenu bar(CreateMenu());
  const HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kSaveChartAs, L"Save Chart &As...");
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(file, MF_STRING, kCloseChart, L"&Close");
  AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), L"&Compare");
  if (SetMenu(hwnd_, bar.get())) bar.release();  // the window destroys it with itself
  SetDpi(DpiForWindow(hwnd_));
  return true;
}

void ChartWindow::Place(HWND beside) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(beside != nullptr ? beside : hwnd_, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  const RECT& work = monitor.rcWork;
  const int content = Px(LayoutChart(model_, kOpeningClientWidth).height);
  SIZE frame = FrameFor({Px(kOpeningClientWidth), std::max(content, Px(kMinClientHeight))});
  frame.cx = std::min(frame.cx, work.right - work.left);
  frame.cy = std::min(frame.cy, work.bottom - work.top);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (beside == nullptr) {
    CenterWindow(hwnd_, nullptr);
    return;
  }
  // To the right of the result window, else to its left, else as far right as it fits.
  RECT around{};
  GetWindowRect(beside, &around);
  const int gap = Px(kBesideGap);
  LONG left = around.right + gap;
  if (left + frame.cx > work.right) left = around.left - gap - frame.cx;
  if (left < work.left) left = std::max(work.left, work.right - frame.cx);
  const LONG top = std::clamp(around.top, work.top, std::max(work.top, work.bottom - frame.cy));
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE ChartWindow::FrameFor(SIZE client) const {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi =
      SystemFunctionAs<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
  RECT frame{0, 0, client.cx, client.cy};
  if (adjust_for_dpi == nullptr || !adjust_for_dpi(&frame, style, TRUE, ex_style, dpi_)) {
    AdjustWindowRectEx(&frame, style, TRUE, ex_style);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

int ChartWindow::MinClientWidth() const {
  int width = LayoutChart(ChartModel{}, 0).width;
  const std::vector<LegendEntry> entries = LegendEntries(model_, baseline_label_);
  if (!entries.empty()) {
    const ScopedWindowDc dc(hwnd_);
    const ScopedSelectObject font(dc.get(), font_.get());
    const int legend = MulDiv(LegendWidth(dc.get(), dpi_, entries), 96, static_cast<int>(dpi_));
    width = std::max(width, legend + 2 * layout_.label_left);
  }
  return width;
}

void ChartWindow::SetDpi(UINT dpi) {
  dpi_ = dpi;
  font_ = CreateDialogFont(kFontPoints, dpi);
  // The window lets go of the old icons only once it has the new ones.
  UniqueIcon icon = LoadAppIcon(SystemMetricForDpi(SM_CXICON, dpi));
  UniqueIcon small_icon = LoadAppIcon(SystemMetricForDpi(SM_CXSMICON, dpi));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon.get()));
  icon_ = std::move(icon);
  small_icon_ = std::move(small_icon);
}

void ChartWindow::CompareWithDefault() {
  earlier_.clear();
  if (!subject_.history_folder.empty()) {
    earlier_ = EarlierRuns(ListRuns(subject_.history_folder, subject_.test, subject_.resolution),
                           subject_.saved_as, kCompareRunCount);
  }
  std::optional<SavedRun> run;
  if (!earlier_.empty()) {
    run = ReadRun(RunPath(subject_.history_folder, earlier_.front()));
  }
  if (run) {
    CompareWith(kCompareRun, run, RunLabel(earlier_.front()));
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
    ShowWarning(hwnd_, L"This file could not be read as a saved run:\r\n" + path);
  }
}

void ChartWindow::CompareWith(int item, const std::optional<SavedRun>& run, std::wstring label) {
  baseline_label_ = std::move(label);
  compare_item_ = item;
  model_ = BuildChart(subject_.run, run ? &*run : nullptr);
  FillCompareMenu();
  Relayout();
}

void ChartWindow::FillCompareMenu() const {
  const HMENU menu = GetSubMenu(GetMenu(hwnd_), 1);
  if (menu == nullptr) return;
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  const auto add = [&](int id, const std::wstring& caption) {
    const UINT checked = id == compare_item_ ? MF_CHECKED : MF_UNCHECKED;
    AppendMenuW(menu, MF_STRING | checked, static_cast<UINT_PTR>(id), caption.c_str());
  };
  for (std::size_t i = 0; i < earlier_.size(); ++i) {
    add(kCompareRun + static_cast<int>(i), RunLabel(earlier_[i]));
  }
  if (!earlier_.empty()) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(kCompareNone, L"&None");
  add(kCompareOpen, L"&Open...");
}

void ChartWindow::Relayout() {
  const ClientSize client(hwnd_);
  layout_ = LayoutChart(model_, MulDiv(client.width, 96, static_cast<int>(dpi_)));
  const int content = Px(layout_.height);
  scroll_top_ = std::clamp(scroll_top_, 0, std::max(0, content - client.height));
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  bar.nMax = content - 1;
  bar.nPage = static_cast<UINT>(client.height);
  bar.nPos = scroll_top_;
  // Showing or hiding the bar changes the client area's width: the WM_SIZE that follows lays
  // the chart out again, at the same height.
  SetScrollInfo(hwnd_, SB_VERT, &bar, TRUE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void ChartWindow::ScrollTo(int top) {
  const ClientSize client(hwnd_);
  top = std::clamp(top, 0, std::max(0, Px(layout_.height) - client.height));
  if (top == scroll_top_) return;
  scroll_top_ = top;
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_POS;
  bar.nPos = top;
  SetScrollInfo(hwnd_, SB_VERT, &bar, TRUE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void ChartWindow::Draw(HDC dc, int width, int height, int top) const {
  const Palette palette = CurrentPalette();
  Fill(dc, {0, 0, width, height}, palette.background);
  // The chart's own coordinates, shifted by the scroll position.
  POINT origin{};
  SetViewportOrgEx(dc, 0, -top, &origin);
  {
    const ScopedSelectObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    const ChartPainter painter{dc, dpi_, palette, model_, layout_};
    if (layout_.legend_top >= 0) painter.Legend(LegendEntries(model_, baseline_label_));
    if (!layout_.groups.empty()) painter.Axis();
    for (std::size_t i = 0; i < layout_.groups.size() && i < model_.groups.size(); ++i) {
      const GroupPlace& place = layout_.groups[i];
      if (Px(place.bottom) < top || Px(place.top) > top + height) continue;
      painter.Group(model_.groups[i], place);
    }
  }
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

UniqueBitmap ChartWindow::WholeChart() const {
  const ClientSize client(hwnd_);
  const int width = std::max(client.width, Px(layout_.width));
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
  const std::wstring text = ChartText(model_);
  const ClipboardData text_data{CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)};
  const UniqueBitmap picture = WholeChart();
  DIBSECTION section{};
  if (!picture ||
      GetObjectW(picture.get(), sizeof section, &section) != static_cast<int>(sizeof section)) {
    // A chart too large for one picture still goes as text.
    PutOnClipboard(hwnd_, {text_data});
    return;
  }
  // CF_DIB: the header, then the rows as they are, each padded to whole DWORDs.
  BITMAPINFOHEADER header = section.dsBmih;
  const std::size_t stride = (static_cast<std::size_t>(header.biWidth) * 24 + 31) / 32 * 4;
  const std::size_t size = stride * static_cast<std::size_t>(header.biHeight);
  header.biSizeImage = static_cast<DWORD>(size);
  std::string dib(sizeof header + size, '\0');
  std::memcpy(dib.data(), &header, sizeof header);
  std::memcpy(dib.data() + sizeof header, section.dsBm.bmBits, size);
  PutOnClipboard(hwnd_, {{CF_DIB, dib.data(), dib.size()}, text_data});
}

void ChartWindow::SaveChartAs() const {
  const UniqueBitmap picture = WholeChart();
  if (!picture) {
    ShowWarning(hwnd_, L"The chart is too large to be saved as one picture.");
    return;
  }
  std::wstring suggested = FileSafeName(subject_.caption, L"Chart") + L".png";
  if (!subject_.history_folder.empty()) suggested = subject_.history_folder + L"\\" + suggested;
  const std::optional<std::wstring> path =
      AskSavePath(hwnd_, L"PNG images (*.png)", L"*.png", suggested);
  if (!path) return;
  const HRESULT result = WritePng(picture.get(), *path);
  if (FAILED(result)) {
    ShowWarning(
        hwnd_, L"The chart could not be saved as:\r\n" + *path + L"\r\n\r\n" + HresultText(result));
  }
}

void ChartWindow::OnPaint() {
  const ScopedPaint paint(hwnd_);
  const ClientSize client(hwnd_);
  if (paint.get() == nullptr || client.width <= 0 || client.height <= 0) return;
  // Drawn whole into a buffer first, so that nothing flickers while the window is resized.
  const UniqueDc memory(CreateCompatibleDC(paint.get()));
  const UniqueBitmap buffer(CreateCompatibleBitmap(paint.get(), client.width, client.height));
  if (!memory || !buffer) return;
  const ScopedSelectObject select(memory.get(), buffer.get());
  Draw(memory.get(), client.width, client.height, scroll_top_);
  BitBlt(paint.get(), 0, 0, client.width, client.height, memory.get(), 0, 0, SRCCOPY);
}

void ChartWindow::OnSize() { Relayout(); }

void ChartWindow::OnCommand(int id) {
  const auto run = static_cast<std::size_t>(id - kCompareRun);
  if (id >= kCompareRun && run < earlier_.size()) {
    CompareWithFile(id, RunPath(subject_.history_folder, earlier_[run]), RunLabel(earlier_[run]));
  } else if (id == kCompareOpen) {
    const std::optional<std::wstring> path =
        AskOpenPath(hwnd_, L"CSV files (*.csv)", L"*.csv", subject_.history_folder);
    if (path) CompareWithFile(kCompareOpen, *path, FileTitle(*path, L".csv"));
  } else if (id == kCompareNone) {
    CompareWith(kCompareNone, std::nullopt, {});
  } else if (id == kSaveChartAs) {
    SaveChartAs();
  } else if (id == kCloseChart) {
    Close();
  }
}

void ChartWindow::OnKeyDown(WPARAM key) {
  // The keys scroll as the scroll bar's arrows, page areas and ends do.
  constexpr std::pair<WPARAM, int> kScrollKeys[] = {{VK_UP, SB_LINEUP},    {VK_DOWN, SB_LINEDOWN},
                                                    {VK_PRIOR, SB_PAGEUP}, {VK_NEXT, SB_PAGEDOWN},
                                                    {VK_HOME, SB_TOP},     {VK_END, SB_BOTTOM}};
  if (key == VK_ESCAPE) {
    Close();
  } else if (key == 'C' && GetKeyState(VK_CONTROL) < 0) {
    CopyChart();
  }
  for (const auto& [scroll_key, request] : kScrollKeys) {
    if (key == scroll_key) OnVScroll(request);
  }
}

void ChartWindow::OnVScroll(int request) {
  const int line = Px(kScrollLine);
  // A page keeps one line of the last in view.
  const int page = std::max(line, ClientSize(hwnd_).height - line);
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

void ChartWindow::OnMouseWheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  // Fine-grained wheels send a notch in several parts.
  wheel_delta_ += delta;
  const int notches = wheel_delta_ / WHEEL_DELTA;
  if (notches == 0) return;
  wheel_delta_ -= notches * WHEEL_DELTA;
  const ClientSize client(hwnd_);
  const int step =
      lines == WHEEL_PAGESCROLL ? client.height : static_cast<int>(lines) * Px(kScrollLine);
  ScrollTo(scroll_top_ - notches * step);
}

void ChartWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  scroll_top_ = MulDiv(scroll_top_, static_cast<int>(dpi), static_cast<int>(dpi_));
  SetDpi(dpi);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // Also when the suggested size is the size it has.
  Relayout();
}

void ChartWindow::OnGetMinMaxInfo(MINMAXINFO& info) const {
  const SIZE frame = FrameFor(
      {Px(MinClientWidth()) + SystemMetricForDpi(SM_CXVSCROLL, dpi_), Px(kMinClientHeight)});
  info.ptMinTrackSize = {frame.cx, frame.cy};
}

LRESULT ChartWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every paint covers the whole client area
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) OnSize();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
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
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_SETTINGCHANGE:  // high contrast may have been switched
    case WM_SYSCOLORCHANGE:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK ChartWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* const created =
        static_cast<ChartWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after WM_NCDESTROY find none.
  auto* const self = reinterpret_cast<ChartWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT result = 0;
  // No exception may cross into the system's code.
  try {
    result = self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    result = DefWindowProcW(window, message, wparam, lparam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->font_.reset();
    self->icon_.reset();
    self->small_icon_.reset();
  }
  return result;
}

}  // namespace quorvath
