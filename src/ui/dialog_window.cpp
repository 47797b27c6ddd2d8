#include "ui/dialog_window.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/app_resources.h"
#include "ui/dpi.h"
#include "ui/ui_font.h"

namespace quorvath {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;

// The open dialogs of the program, for the message loop.
std::vector<HWND>& OpenDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

// DLGTEMPLATE followed by: no menu, the default dialog class, the caption. No font: every
// control gets its font from the program, sized for the window's DPI.
std::vector<WORD> BuildTemplate(DWORD ex_style, const std::wstring& caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  DLGTEMPLATE header{};
  header.style = kDialogStyle;
  header.dwExtendedStyle = ex_style;
  header.cdit = 0;
  header.cx = 100;  // the window is sized in pixels once it exists
  header.cy = 50;
  std::memcpy(words.data(), &header, sizeof header);
  words.push_back(0);  // menu
  words.push_back(0);  // class
  for (const wchar_t c : caption) words.push_back(static_cast<WORD>(c));
  words.push_back(0);
  return words;
}

}  // namespace

DialogWindow::~DialogWindow() {
  if (hwnd_ == nullptr) return;
  // The derived part is gone: destroy the window without calling back into it.
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  std::vector<HWND>& dialogs = OpenDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), hwnd_), dialogs.end());
  DestroyWindow(hwnd_);
}

void DialogWindow::Close() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool DialogWindow::CreateDialogWindow(HWND owner, const std::wstring& caption,
                                      DWORD extra_ex_style) {
  if (hwnd_ != nullptr) return true;
  const std::vector<WORD> dialog_template = BuildTemplate(extra_ex_style, caption);
  // DLGTEMPLATE must be DWORD-aligned; a vector of WORDs comes from operator new, which
  // aligns far more than that.
  CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                             reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()), owner,
                             &DialogWindow::DialogProc, reinterpret_cast<LPARAM>(this));
  return hwnd_ != nullptr;
}

INT_PTR DialogWindow::SetDialogResult(LRESULT result) {
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
  return TRUE;
}

void DialogWindow::CreateLayout(std::span<const ControlSpec> controls, int font_points,
                                SIZE client_twips) {
  const UINT dpi = DpiForWindow(hwnd_);
  font_ = CreateDialogFont(font_points, dpi);
  CreateControls(hwnd_, controls, dpi, font_.get());
  FinishLayout(client_twips, dpi);
}

void DialogWindow::ApplyLayout(std::span<const ControlSpec> controls, int font_points,
                               SIZE client_twips, UINT dpi) {
  font_ = CreateDialogFont(font_points, dpi);
  LayoutControls(hwnd_, controls, dpi, font_.get());
  FinishLayout(client_twips, dpi);
}

void DialogWindow::FinishLayout(SIZE client_twips, UINT dpi) {
  dpi_ = dpi;
  SetClientSize(hwnd_, ClientSizeForDpi(client_twips.cx, client_twips.cy, dpi), dpi);
  icon_ = LoadAppIcon(SystemMetricForDpi(SM_CXICON, dpi));
  small_icon_ = LoadAppIcon(SystemMetricForDpi(SM_CXSMICON, dpi));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
}

void DialogWindow::MoveToSuggestedPlace(LPARAM suggested_rect) {
  const RECT& suggested = *reinterpret_cast<const RECT*>(suggested_rect);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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

  INT_PTR handled = FALSE;
  // No exception may cross into the system's code.
  try {
    handled = self->HandleMessage(message, wparam, lparam);
  } catch (...) {
    handled = FALSE;
  }

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, DWLP_USER, 0);
    std::vector<HWND>& dialogs = OpenDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), window), dialogs.end());
    self->hwnd_ = nullptr;
    // What the window's controls drew with goes with them.
    self->font_.reset();
    self->icon_.reset();
    self->small_icon_.reset();
    self->dpi_ = 0;
    try {
      self->OnDestroyed();
    } catch (...) {
    }
  }
  return handled;
}

}  // namespace quorvath
