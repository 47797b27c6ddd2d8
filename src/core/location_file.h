// The location file "ut.out" in the program folder, and the batch file that writes it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quorvath {

// The location file in the program folder: app_dir + "ut.out".
std::wstring LocationFilePath(const std::wstring& app_dir);

// Reads the game folder from the location file. Nothing when the file is missing, cannot be
// read, or holds no folder yet.
std::optional<std::wstring> ReadLocationFile(const std::wstring& app_dir);

// Starts "CPU Test\get-loc.bat" hidden, in the program folder, and arms `loc_timer` of
// `timer_window` at 5000 ms. Returns the start's outcome.
bool StartLocate(HWND timer_window, UINT_PTR loc_timer, const std::wstring& app_dir);

// Deletes the consumed location file; false when it could not be deleted.
bool DeleteLocationFile(const std::wstring& app_dir, DWORD* error = nullptr);

}  // namespace quorvath
