// frmAbout: the About dialog.
#pragma once

#include <windows.h>

#include "ui/dialog_window.h"

namespace quorvath {

class AboutForm : public DialogWindow {
 public:
  AboutForm() = default;
  ~AboutForm() override;

  // Shows the dialog owned by `owner` (so that it has no taskbar button of its own), or
  // brings the open one to the front: there is only ever one.
  void Show(HWND owner);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace quorvath
