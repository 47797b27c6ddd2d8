// Base of the program's windows. Each is a modeless dialog built from an in-memory template,
// so the system's dialog manager gives it native keyboard handling (Tab order, access keys,
// default and cancel buttons, focus kept across activation). A fixed dialog's controls come
// from a table that reads like the window's design: name (the control id), kind, geometry in
// twips from the client area's top-left corner, caption and initial state, converted to pixels
// for the window's DPI and laid out again when the DPI changes. A resizable window has no table:
// it places its own content. The base keeps, for every window, the font and icons for its DPI,
// the menu bar, and what happens when the DPI changes or the window goes.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <span>
#include <string>

#include "core/win_handles.h"

namespace quorvath {

inline constexpr UINT kDefaultDpi = 96;

// 1440 twips to the inch: 15 twips make one pixel at 96 DPI.
inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// Pixels designed at 96 DPI, for `dpi`.
inline int ScaleForDpi(int pixels_at_96, UINT dpi) {
  return MulDiv(pixels_at_96, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

// The DPI the window is shown at: GetDpiForWindow where the system has it, otherwise the
// screen's logical DPI.
UINT DpiForWindow(HWND window);

// A system metric at `dpi` (GetSystemMetricsForDpi where the system has it).
int SystemMetricForDpi(int index, UINT dpi);

// The program's icon at `size` pixels square.
UniqueIcon LoadAppIcon(int size);

// "MS Sans Serif" at `points`, regular, for `dpi`; where that raster font has no such size, the
// scalable face the system puts in its place, so that the text always has the size asked for.
UniqueFont CreateDialogFont(int points, UINT dpi);

// A top-level window that is never shown. A window it owns has no taskbar button of its own,
// yet, unlike one owned by another of the program's windows, may go behind that window.
UniqueWindow CreateHiddenOwner();

// Runs the body of a window or dialog procedure: no exception may cross into the system's code.
// A message whose handling threw gets what `fallback` returns.
template <class Body, class Fallback>
auto RunGuarded(Body&& body, Fallback&& fallback) noexcept -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    return fallback();
  }
}

// Places `window` in the middle of `over`, or of the work area of its screen when `over` is
// none, kept inside that work area.
void CenterWindow(HWND window, HWND over);

// Places `window` to the right of `beside`, `gap` pixels apart, else to its left, else as far
// right as it fits, top edges level; made smaller where it is larger than the work area. In the
// middle of the work area when `beside` is none.
void PlaceBeside(HWND window, HWND beside, int gap);

enum class ControlKind {
  kPushButton,
  kDefaultPushButton,
  kPicture,        // the program's picture control (picture_control.h)
  kDropDownList,   // a combo box without an edit field
  kMultiLineText,  // a read-only, word-wrapping text box with a vertical scroll bar
  kLabel,
  kListBox,    // owner-drawn rows
  kEditField,  // one line of text to type
};

enum ControlFlags : unsigned {
  kNoFlags = 0,
  kDisabled = 1u << 0,
  kTabStop = 1u << 1,
  kSunkenBorder = 1u << 2,
  kSingleBorder = 1u << 3,
};

struct ControlSpec {
  int id;
  ControlKind kind;
  int left, top, width, height;  // twips
  const wchar_t* caption;
  unsigned flags;
};

// A window's design: its controls in Tab order (none in a resizable window), their font, and
// the client area (the one a resizable window opens with).
struct WindowLayout {
  std::span<const ControlSpec> controls;
  int font_points;
  SIZE client_twips;
};

enum class WindowFrame {
  kFixed,      // a fixed dialog frame
  kResizable,  // a sizing border, minimize and maximize boxes
};

struct MenuItemSpec {
  int id;
  const wchar_t* caption;  // "&" marks the access key; nullptr for a separator
};
struct MenuSpec {
  const wchar_t* caption;
  std::initializer_list<MenuItemSpec> items;
};

class DialogWindow {
 public:
  DialogWindow() = default;
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool IsOpen() const { return hwnd_ != nullptr; }

  // Destroys the window if it is open; does nothing otherwise.
  void Close();

  // Hands keyboard navigation messages to the program's open dialogs; true when one of them
  // took the message. Called from the message loop.
  static bool RouteDialogMessage(MSG& message);

 protected:
  // Creates the window hidden: a caption, the frame, a close box and the icon. WM_INITDIALOG is
  // the place to call CreateLayout.
  bool CreateDialogWindow(HWND owner, const std::wstring& caption, DWORD extra_ex_style = 0,
                          WindowFrame frame = WindowFrame::kFixed);

  // Shows the window just made, or brings the open one forward: restored when minimized, and
  // activated.
  void ShowOrBringForward();

  // The dialog procedure's body. Return TRUE when the message was handled. WM_DPICHANGED is
  // handled before it is called: the window takes the font and icons for the new DPI, moves
  // (a resizable one also takes the suggested size), is laid out again, then OnDpiChanged.
  // WM_CLOSE left unhandled closes the window (Close).
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  virtual void OnDpiChanged(UINT /*previous_dpi*/) {}

  // The smallest client area, in pixels, that a resizable window may be sized to; nothing for
  // no limit.
  virtual std::optional<SIZE> MinClientSize() const { return std::nullopt; }

  // Called once the window is destroyed, with hwnd() already cleared.
  virtual void OnDestroyed() {}

  // Creates the controls of `layout` at their places for the window's DPI, and sizes the
  // client area; the window keeps `layout` for later DPI changes.
  void CreateLayout(const WindowLayout& layout);

  // Sizes the window so that its client area is `client` pixels, whatever its frame and menu
  // bar take; FrameSize is the window's size for that.
  void SetClientSize(SIZE client);
  SIZE FrameSize(SIZE client) const;

  // Builds the menu bar; the window destroys it with itself.
  void AttachMenuBar(std::initializer_list<MenuSpec> menus);

  UINT dpi() const { return dpi_; }
  HFONT font() const { return font_.get(); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void ApplyLayout(UINT dpi, bool create);
  void OnDpiMessage(UINT dpi, const RECT& suggested);
  void OnNcDestroy();

  HWND hwnd_ = nullptr;
  UINT dpi_ = 0;
  const WindowLayout* layout_ = nullptr;
  UniqueFont font_;
  UniqueIcon icon_;
  UniqueIcon small_icon_;
};

}  // namespace quorvath
