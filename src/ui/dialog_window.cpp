#include "ui/dialog_window.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

#include "core/win_system.h"
#include "res/resource.h"
#include "ui/picture_control.h"

namespace quorvath {

namespace {

constexpr DWORD kFixedStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
// The content fills the client area: the dialog need not paint under it.
constexpr DWORD kResizableStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                  WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN | DS_3DLOOK;

bool IsResizable(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_THICKFRAME) != 0;
}

// A drop-down list is created with the height of its open list; the closed box takes its
// height from the font.
constexpr int kDropDownListRows = 8;

// The open dialogs of the program, for the message loop.
std::vector<HWND>& OpenDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

void ForgetDialog(HWND window) {
  std::vector<HWND>& dialogs = OpenDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), window), dialogs.end());
}

// DLGTEMPLATE followed by: no menu, the default dialog class, the caption. No font: every
// control gets its font from the program, sized for the window's DPI.
std::vector<WORD> BuildTemplate(DWORD style, DWORD ex_style, const std::wstring& caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE header{};
  header.style = style;
  header.dwExtendedStyle = ex_style;
  header.cx = 100;  // the window is sized in pixels once it exists
  header.cy = 50;
  std::memcpy(words.data(), &header, sizeof header);
  words.push_back(0);  // menu
  words.push_back(0);  // class
  for (const wchar_t c : caption) words.push_back(static_cast<WORD>(c));
  words.push_back(0);
  return words;
}

struct ClassAndStyle {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

ClassAndStyle ClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kDefaultPushButton:
      return {WC_BUTTONW, BS_DEFPUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kPicture:
      return {kPictureControlClass, 0, 0};
    case ControlKind::kDropDownList:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::kMultiLineText:
      return {WC_EDITW, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::kLabel:
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kListBox:
      return {WC_LISTBOXW,
              LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                  LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::kEditField:
      return {WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, 0, 0};
}

// Where a control goes at `dpi`, in pixels; a drop-down list's height includes its open list.
RECT PlaceFor(const ControlSpec& spec, UINT dpi) {
  const int left = TwipsToPixels(spec.left, dpi);
  const int top = TwipsToPixels(spec.top, dpi);
  int height = TwipsToPixels(spec.height, dpi);
  if (spec.kind == ControlKind::kDropDownList) height *= kDropDownListRows;
  return RECT{left, top, left + TwipsToPixels(spec.width, dpi), top + height};
}

// The closed drop-down list keeps the designed height: its selection field is that height less
// the box's frame.
void FitDropDownList(HWND control, const ControlSpec& spec, UINT dpi) {
  const int frame = 2 * SystemMetricForDpi(SM_CYEDGE, dpi) + 2;
  SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
               TwipsToPixels(spec.height, dpi) - frame);
}

// The size of `window` with a client area of `client` at `dpi`, whatever its frame and menu bar
// take.
SIZE FrameSizeFor(HWND window, SIZE client, UINT dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi =
      SystemFunctionAs<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const BOOL has_menu = GetMenu(window) != nullptr;
  RECT frame{0, 0, client.cx, client.cy};
  if (adjust_for_dpi == nullptr || !adjust_for_dpi(&frame, style, has_menu, ex_style, dpi)) {
    AdjustWindowRectEx(&frame, style, has_menu, ex_style);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// The height of a font's em square in pixels: its cell less the room for accents above.
int EmHeight(HFONT font) {
  const ScopedWindowDc screen(nullptr);
  const ScopedSelectObject select(screen.get(), font);
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(screen.get(), &metrics)) return 0;
  return static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading);
}

}  // namespace

UniqueIcon LoadAppIcon(int size) {
  return UniqueIcon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVATH),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

UINT DpiForWindow(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = SystemFunctionAs<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (get_dpi != nullptr && window != nullptr) {
    if (const UINT dpi = get_dpi(window); dpi != 0) return dpi;
  }
  const ScopedWindowDc screen(nullptr);
  const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

int SystemMetricForDpi(int index, UINT dpi) {
  using GetMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto metrics_for_dpi =
      SystemFunctionAs<GetMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  return metrics_for_dpi != nullptr ? metrics_for_dpi(index, dpi) : GetSystemMetrics(index);
}

UniqueFont CreateDialogFont(int points, UINT dpi) {
  LOGFONTW font{};
  const int em = MulDiv(points, static_cast<int>(dpi), 72);
  font.lfHeight = -em;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  wcsncpy_s(font.lfFaceName, L"MS Sans Serif", _TRUNCATE);
  UniqueFont raster(CreateFontIndirectW(&font));
  if (raster && EmHeight(raster.get()) == em) return raster;
  // The raster font stops short of this size (12 points at 144 DPI, say) and would be drawn
  // smaller than the window around it. "MS Shell Dlg" is the face the system maps to its
  // scalable successor: "Microsoft Sans Serif" on Windows, Tahoma under Wine.
  wcsncpy_s(font.lfFaceName, L"MS Shell Dlg", _TRUNCATE);
  UniqueFont scalable(CreateFontIndirectW(&font));
  return scalable ? std::move(scalable) : std::move(raster);
}

UniqueWindow CreateHiddenOwner() {
  return UniqueWindow(CreateWindowExW(0, WC_STATICW, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
}

void CenterWindow(HWND window, HWND over) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(over != nullptr ? over : window, MONITOR_DEFAULTTOPRIMARY),
                       &monitor)) {
    return;
  }
  const RECT& work = monitor.rcWork;
  RECT around = work;
  if (over != nullptr) GetWindowRect(over, &around);
  RECT frame{};
  GetWindowRect(window, &frame);
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  const LONG left = std::clamp(around.left + (around.right - around.left - width) / 2, work.left,
                               std::max(work.left, work.right - width));
  const LONG top = std::clamp(around.top + (around.bottom - around.top - height) / 2, work.top,
                              std::max(work.top, work.bottom - height));
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceBeside(HWND window, HWND beside, int gap) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(beside != nullptr ? beside : window, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  const RECT& work = monitor.rcWork;
  RECT frame{};
  GetWindowRect(window, &frame);
  const LONG width = std::min(frame.right - frame.left, work.right - work.left);
  const LONG height = std::min(frame.bottom - frame.top, work.bottom - work.top);
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (beside == nullptr) {
    CenterWindow(window, nullptr);
    return;
  }
  RECT around{};
  GetWindowRect(beside, &around);
  LONG left = around.right + gap;
  if (left + width > work.right) left = around.left - gap - width;
  if (left < work.left) left = std::max(work.left, work.right - width);
  const LONG top = std::clamp(around.top, work.top, std::max(work.top, work.bottom - height));
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DialogWindow::~DialogWindow() {
  if (hwnd_ == nullptr) return;
  // The derived part is gone: destroy the window without calling back into it.
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  ForgetDialog(hwnd_);
  DestroyWindow(hwnd_);
}

void DialogWindow::Close() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool DialogWindow::CreateDialogWindow(HWND owner, const std::wstring& caption, DWORD extra_ex_style,
                                      WindowFrame frame) {
  if (hwnd_ != nullptr) return true;
  RegisterPictureControl();
  const std::vector<WORD> dialog_template = BuildTemplate(
      frame == WindowFrame::kResizable ? kResizableStyle : kFixedStyle, extra_ex_style, caption);
  // DLGTEMPLATE must be DWORD-aligned; a vector's storage comes from operator new, which
  // aligns far more than that.
  CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                             reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()), owner,
                             &DialogWindow::DialogProc, reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

void DialogWindow::ShowOrBringForward() {
  if (!IsWindowVisible(hwnd_)) {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    return;
  }
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

void DialogWindow::SetClientSize(SIZE client) {
  SIZE frame = FrameSize(client);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps, or a frame drawn differently than computed, is corrected here.
  RECT actual{};
  GetClientRect(hwnd_, &actual);
  if (actual.right != client.cx || actual.bottom != client.cy) {
    frame.cx += client.cx - actual.right;
    frame.cy += client.cy - actual.bottom;
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

SIZE DialogWindow::FrameSize(SIZE client) const { return FrameSizeFor(hwnd_, client, dpi_); }

void DialogWindow::CreateLayout(const WindowLayout& layout) {
  layout_ = &layout;
  ApplyLayout(DpiForWindow(hwnd_), true);
  // The program lays every control out again itself when the DPI changes.
  using SetDpiBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
  static const auto set_behavior =
      SystemFunctionAs<SetDpiBehaviorFn>(L"user32.dll", "SetDialogDpiChangeBehavior");
  constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
  if (set_behavior != nullptr) set_behavior(hwnd_, kDisableAll, kDisableAll);
}

void DialogWindow::ApplyLayout(UINT dpi, bool create) {
  dpi_ = dpi;
  // The controls and the window let go of the old font and icons only once they have the new.
  UniqueFont font = CreateDialogFont(layout_->font_points, dpi);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlSpec& spec : layout_->controls) {
    const RECT place = PlaceFor(spec, dpi);
    HWND control = GetDlgItem(hwnd_, spec.id);
    if (create) {
      const ClassAndStyle kind = ClassFor(spec.kind);
      DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
      if ((spec.flags & kDisabled) != 0) style |= WS_DISABLED;
      if ((spec.flags & kTabStop) != 0) style |= WS_TABSTOP;
      if ((spec.flags & kSingleBorder) != 0) style |= WS_BORDER;
      const DWORD ex_style = kind.ex_style | ((spec.flags & kSunkenBorder) ? WS_EX_CLIENTEDGE : 0);
      control = CreateWindowExW(
          ex_style, kind.window_class, spec.caption ? spec.caption : L"", style, place.left,
          place.top, place.right - place.left, place.bottom - place.top, hwnd_,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
    } else if (control != nullptr) {
      SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (control == nullptr) continue;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    if (spec.kind == ControlKind::kDropDownList) FitDropDownList(control, spec, dpi);
  }
  font_ = std::move(font);
  // A resizable window keeps the size it was given.
  if (create || !IsResizable(hwnd_)) {
    SetClientSize({TwipsToPixels(layout_->client_twips.cx, dpi),
                   TwipsToPixels(layout_->client_twips.cy, dpi)});
  }
  UniqueIcon icon = LoadAppIcon(SystemMetricForDpi(SM_CXICON, dpi));
  UniqueIcon small_icon = LoadAppIcon(SystemMetricForDpi(SM_CXSMICON, dpi));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon.get()));
  icon_ = std::move(icon);
  small_icon_ = std::move(small_icon);
  if (!create) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

void DialogWindow::OnDpiMessage(UINT dpi, const RECT& suggested) {
  const UINT previous = dpi_;
  ApplyLayout(dpi, false);
  const UINT keep_size = IsResizable(hwnd_) ? 0 : SWP_NOSIZE;
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, keep_size | SWP_NOZORDER | SWP_NOACTIVATE);
  OnDpiChanged(previous);
}

void DialogWindow::AttachMenuBar(std::initializer_list<MenuSpec> menus) {
  HMENU bar = CreateMenu();
  for (const MenuSpec& menu : menus) {
    HMENU popup = CreatePopupMenu();
    for (const MenuItemSpec& item : menu.items) {
      AppendMenuW(popup, item.caption != nullptr ? MF_STRING : MF_SEPARATOR,
                  static_cast<UINT_PTR>(item.id), item.caption);
    }
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.caption);
  }
  if (!SetMenu(hwnd_, bar)) DestroyMenu(bar);
}

bool DialogWindow::RouteDialogMessage(MSG& message) {
  if (message.hwnd == nullptr) return false;
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  const std::vector<HWND>& dialogs = OpenDialogs();
  if (std::find(dialogs.begin(), dialogs.end(), root) == dialogs.end()) return false;
  return IsDialogMessageW(root, &message) != FALSE;
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DialogWindow* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<DialogWindow*>(lparam);
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    self->hwnd_ = window;
    OpenDialogs().push_back(window);
  } else {
    self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  }
  if (self == nullptr) return FALSE;

  const INT_PTR handled = RunGuarded(
      [&]() -> INT_PTR {
        if (message == WM_DPICHANGED && self->layout_ != nullptr) {
          self->OnDpiMessage(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
          return TRUE;
        }
        if (message == WM_GETMINMAXINFO && self->dpi_ != 0) {  // once laid out
          if (const std::optional<SIZE> smallest = self->MinClientSize()) {
            const SIZE frame = self->FrameSize(*smallest);
            reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = {frame.cx, frame.cy};
            return TRUE;
          }
        }
        const INT_PTR result = self->HandleMessage(message, wparam, lparam);
        // The close box, Alt+F4 and the system menu close a window unless it says otherwise.
        if (message == WM_CLOSE && !result) {
          self->Close();
          return TRUE;
        }
        return result;
      },
      [] { return INT_PTR{FALSE}; });
  if (message == WM_NCDESTROY) self->OnNcDestroy();
  return handled;
}

void DialogWindow::OnNcDestroy() {
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  ForgetDialog(hwnd_);
  hwnd_ = nullptr;
  // What the window's controls drew with goes with them.
  font_.reset();
  icon_.reset();
  small_icon_.reset();
  dpi_ = 0;
  RunGuarded(
      [&] {
        OnDestroyed();
        return 0;
      },
      [] { return 0; });
}

}  // namespace quorvath
