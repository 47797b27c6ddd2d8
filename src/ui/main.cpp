// quorvath.exe: the start-up checks, the main window and the message loop.
#include <windows.h>

#include "core/os_name.h"
#include "core/win_system.h"
#include "runs/kit.h"
#include "runs/program_folder.h"
#include "ui/desktop.h"
#include "ui/main_form.h"

namespace quorvath {
namespace {

// Checks the required files under App().app_dir. For the first one missing it tells the user
// and returns false: the program must then end without showing anything.
bool CheckRequiredFiles() {
  const std::optional<std::wstring> missing = FindFirstMissingFile(App().app_dir);
  if (!missing) return true;
  ShowPlainMessage(nullptr, MissingFileMessage(*missing), L"Error!");
  return false;
}

int Run(int show_command) {
  HardenDllSearch();
  SetAppDir();
  if (!IsSupportedOs(GetOSName())) {
    ShowPlainMessage(nullptr, L"This Operating System is not Supported", L"Not Supported");
    return 0;
  }
  if (!CheckRequiredFiles()) return 0;
  LoadCommonControls();

  MainForm main_form;
  if (!main_form.Create()) return 1;
  main_form.Load(show_command);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (DialogWindow::RouteDialogMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace
}  // namespace quorvath

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show_command) {
  return quorvath::Run(show_command);
}
