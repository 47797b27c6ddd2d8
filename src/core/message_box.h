// The program's message boxes: modal, one OK button.
#pragma once

#include <windows.h>

#include <string>

namespace quorvath {

// The title of a message box that has no title of its own.
inline constexpr wchar_t kAppTitle[] = L"Quorvath";

// A plain message without an icon, as the start-up checks show it.
void ShowPlainMessage(HWND owner, const std::wstring& text, const std::wstring& title = kAppTitle);

// A problem the user should know about (a test that cannot run, a damaged file).
void ShowWarning(HWND owner, const std::wstring& text, const std::wstring& title = kAppTitle);

// The system's description of a Win32 error code, without the trailing line break.
std::wstring SystemErrorText(DWORD error);

}  // namespace quorvath
