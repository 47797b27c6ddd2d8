// quorvath.exe: the start-up checks, the main window and the message loop.
#include <windows.h>

#include "core/app_state.h"
#include "core/dll_search.h"
#include "core/message_box.h"
#include "core/os_name.h"
#include "core/startup.h"
#include "core/system_library.h"
#include "ui/dialog_window.h"
#include "ui/main_form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show_command) {
  using namespace quorvath;

  HardenDllSearch();
  SetAppDir();
  if (!IsSupportedOs(GetOSName())) {
    ShowPlainMessage(nullptr, L"This Operating System is not Supported", L"Not Supported");
    return 0;
  }
  if (!CheckRequiredFiles()) return 0;

  LoadCommonControls();

  int exit_code = 0;
  {
    MainForm main_form;
    if (main_form.Create()) {
      main_form.Load(show_command);
      MSG message{};
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (DialogWindow::RouteDialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      exit_code = static_cast<int>(message.wParam);
    } else {
      exit_code = 1;
    }
  }
  return exit_code;
}
