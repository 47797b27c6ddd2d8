// frmAbout: the About dialog. It shows the program's title and version, the maker's banner
// (a link to the maker's web site), the credits, and starts the system information tool.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/win_handles.h"
#include "ui/dialog_window.h"
#include "ui/desktop.h"

namespace quorvath {

// The version label: "Version " and the three numbers in plain decimal ("Version 1.10.0").
std::wstring AboutVersionText(int major, int minor, int revision);

class AboutForm : public DialogWindow {
 public:
  AboutForm() = default;
  ~AboutForm() override;

  // Shows the dialog in the middle of `over`, or brings the open one to the front: there is
  // only ever one. It has no taskbar button of its own, yet may go behind the main window.
  void Show(HWND over);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDestroyed() override;

  void OnInitDialog();
  void OnCommand(int id, int code);
  void OnPaint();

  // The dialog's owner, made at its first showing and kept until the program ends.
  UniqueWindow owner_;

  // Everything below lives as long as the window: a closed dialog keeps nothing.
  UniqueBitmap banner_;
  UniqueBitmap banner_2x_;
  UniqueBitmap program_picture_;
  UniqueBitmap program_picture_2x_;
  std::optional<ToolTips> tooltips_;
};

}  // namespace quorvath
