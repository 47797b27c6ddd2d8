// Base of the program's windows: each is a modeless dialog built from an in-memory template,
// so the system's dialog manager gives it native keyboard handling (Tab order, access keys,
// default and cancel buttons, focus kept across activation). Controls are added from tables.
#pragma once

#include <windows.h>

#include <string>

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

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
};

}  // namespace quorvath
