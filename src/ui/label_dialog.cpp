#include "ui/label_dialog.h"

#include <utility>

#include "runs/history.h"
#include "ui/desktop.h"

namespace quorvath {

namespace {

// clang-format off
constexpr ControlSpec kControls[] = {
    // name                     kind                               left   top  width height caption                                              state
    {LabelDialog::lblPrompt,  ControlKind::kLabel,                120,  120, 4800,  225, L"&Label for the runs started from now on:",      kNoFlags},
    {LabelDialog::txtLabel,   ControlKind::kEditField,            120,  390, 4800,  315, nullptr,                                          kNoFlags},
    {LabelDialog::lblNote,    ControlKind::kLabel,                120,  810, 4800,  435, L"It becomes part of each run's file name. Leave "
                                                                                          L"it empty for runs without a label.",            kNoFlags},
    {LabelDialog::cmdOK,      ControlKind::kDefaultPushButton,   2400, 1380, 1200,  345, L"OK",                                             kNoFlags},
    {LabelDialog::cmdCancel,  ControlKind::kPushButton,          3720, 1380, 1200,  345, L"Cancel",                                         kNoFlags},
};
// clang-format on
constexpr WindowLayout kLayout = {kControls, 8, {5040, 1845}};

}  // namespace

LabelDialog::~LabelDialog() { Close(); }

void LabelDialog::Show(HWND owner, const std::wstring& current,
                       std::function<void(std::wstring)> accept) {
  if (IsOpen()) {
    ShowOrBringForward();
    return;
  }
  if (!CreateDialogWindow(owner, L"Label for New Runs")) return;
  owner_ = owner;
  accept_ = std::move(accept);
  const HWND edit = GetDlgItem(hwnd(), txtLabel);
  SendMessageW(edit, EM_SETLIMITTEXT, kMaxLabelLength, 0);
  SetWindowTextW(edit, current.c_str());
  SendMessageW(edit, EM_SETSEL, 0, -1);
  CenterWindow(hwnd(), owner);
  EnableWindow(owner, FALSE);
  ShowOrBringForward();
  SetFocus(edit);
}

void LabelDialog::OnOk() {
  const HWND edit = GetDlgItem(hwnd(), txtLabel);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  const std::wstring label(TrimLabel(text));
  if (const std::wstring problem = LabelProblem(label); !problem.empty()) {
    ShowWarning(hwnd(), problem);
    SetFocus(edit);
    return;
  }
  const std::function<void(std::wstring)> accept = std::move(accept_);
  End();
  if (accept) accept(label);
}

void LabelDialog::End() {
  // The owner is enabled before this window goes, so that it is the one that becomes active.
  if (owner_ != nullptr) EnableWindow(owner_, TRUE);
  owner_ = nullptr;
  Close();
}

INT_PTR LabelDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CreateLayout(kLayout);
      return FALSE;  // the focus is set once the text is in
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) OnOk();
      if (LOWORD(wparam) == IDCANCEL) End();
      return TRUE;
    case WM_CLOSE:
      End();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace quorvath
