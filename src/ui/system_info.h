// The platform's system information tool, found through the registry and started from the
// About dialog's "System Info..." button.
#pragma once

#include <windows.h>

#include <string>

namespace quorvath {

// What the user is told whenever the tool cannot be found or started.
inline constexpr wchar_t kSysInfoUnavailable[] = L"System Information Is Unavailable At This Time";

// Starts the system information tool in a normal, activated window without waiting for it,
// or tells the user in a message box owned by `owner` that it is unavailable.
void StartSysInfo(HWND owner);

}  // namespace quorvath
