// The dialog of Runs, Label for New Runs: the label that the runs started after it carry in
// their file names and their Label column, for as long as the program runs. The main window
// waits while it is open, as for any dialog that asks before going on.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/dialog_window.h"

namespace quorvath {

class LabelDialog : public DialogWindow {
 public:
  enum ControlId : int { lblPrompt = 1301, txtLabel, lblNote, cmdOK = IDOK, cmdCancel = IDCANCEL };

  ~LabelDialog() override;

  // Opens the dialog over `owner`, which is disabled until it closes, with `current` to edit.
  // A label the user accepts goes to `accept`, without its surrounding spaces (empty for none).
  void Show(HWND owner, const std::wstring& current, std::function<void(std::wstring)> accept);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnOk();
  void End();

  HWND owner_ = nullptr;
  std::function<void(std::wstring)> accept_;
};

}  // namespace quorvath
