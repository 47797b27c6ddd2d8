// Base of the program's windows: each is a modeless dialog built from an in-memory template,
// so the system's dialog manager gives it native keyboard handling (Tab order, access keys,
// default and cancel buttons, focus kept across activation). Controls are added from tables.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "core/win_handles.h"
#include "ui/control_table.h"

namespace quorvath {

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

  // Hands keyboard navigation messages to the program's open dialogs; true when one of
  // them took the message. Call from the message loop.
  static bool RouteDialogMessage(MSG& message);

 protected:
  // Creates the window hidden: a caption, a fixed dialog frame and a close box.
  bool CreateDialogWindow(HWND owner, const std::wstring& caption, DWORD extra_ex_style = 0);

  // The dialog procedure's body. Return TRUE when the message was handled; return values
  // of messages such as WM_CTLCOLOR* go through SetDialogResult or directly as INT_PTR.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

  // Called once the window is destroyed, with hwnd() already cleared.
  virtual void OnDestroyed() {}

  // Gives a message's result to the dialog manager (DWLP_MSGRESULT) and reports it handled.
  INT_PTR SetDialogResult(LRESULT result);

  // Creates the controls of the table at their places for the window's DPI, in "MS Sans
  // Serif" at `font_points`, and sizes the client area to `client_twips`; with the icons.
  void CreateLayout(std::span<const ControlSpec> controls, int font_points, SIZE client_twips);

  // The same layout again for a new DPI: the controls move, fonts and icons are remade.
  void ApplyLayout(std::span<const ControlSpec> controls, int font_points, SIZE client_twips,
                   UINT dpi);
  UINT dpi() const { return dpi_; }
  HFONT font() const { return font_.get(); }

  // For WM_DPICHANGED: moves the window to the place the system suggests; the caller then
  // lays it out again for the new DPI.
  void MoveToSuggestedPlace(LPARAM suggested_rect);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // The client area and the icons for `dpi`.
  void FinishLayout(SIZE client_twips, UINT dpi);

  HWND hwnd_ = nullptr;
  UINT dpi_ = 0;
  UniqueFont font_;
  UniqueIcon icon_;
  UniqueIcon small_icon_;
};

}  // namespace quorvath
