// The start-up checks that run before any window shows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

// Records the program folder (the running executable's folder) in App().app_dir.
void SetAppDir();

// Names the running Windows version (see OsNameFor); "NONE" when it cannot be told.
std::wstring_view GetOSName();

// The full path of the first required file, in table order, that is not a file under
// `app_dir`; nothing when all are present.
std::optional<std::wstring> FindFirstMissingFile(const std::wstring& app_dir);

// "The file: " + path + " is needed to run."
std::wstring MissingFileMessage(const std::wstring& full_path);

// Checks the required files under App().app_dir. For the first one missing it tells the
// user and returns false: the program must then end without showing anything.
bool CheckRequiredFiles();

}  // namespace quorvath
