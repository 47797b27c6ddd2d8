#include "ui/web_link.h"

#include <windows.h>

#include "core/system_library.h"

namespace quorvath {

void OpenMakerWebSite() {
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  // The shell may hand the address to COM objects.
  EnsureComInitialized();
  if (const auto shell_execute =
          SystemFunctionAs<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW")) {
    shell_execute(nullptr, nullptr, kMakerWebSite, nullptr, L"C:\\", SW_SHOWNORMAL);
  }
}

}  // namespace quorvath
