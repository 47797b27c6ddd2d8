#include "ui/web_link.h"

#include <windows.h>
#include <shellapi.h>

namespace quorvath {

void OpenMakerWebSite() {
  ShellExecuteW(nullptr, nullptr, kMakerWebSite, nullptr, L"C:\\", SW_SHOWNORMAL);
}

}  // namespace quorvath
