// The program folder on Windows: the start-up checks, the location file that reports the
// game's folder, and starting the batch files delivered there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/win_handles.h"

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

// The location file in the program folder: app_dir + "ut.out".
std::wstring LocationFilePath(const std::wstring& app_dir);

// The game folder from the location file. The file is in the ANSI code page; one that begins
// with a byte-order mark is read as UTF-8 or UTF-16, so that a kit can name a folder that
// the ANSI code page cannot spell. Nothing when the file is missing, cannot be read, or holds
// no folder yet.
std::optional<std::wstring> ReadLocationFile(const std::wstring& app_dir);

// Deletes the consumed location file; ERROR_SUCCESS or the system's reason.
DWORD DeleteLocationFile(const std::wstring& app_dir);

struct BatchStart {
  DWORD error = ERROR_SUCCESS;  // why it did not start
  UniqueHandle process;         // the batch process, when it started
};

// Starts the batch file `path` with the parameters "1" and `working_folder` as its current
// folder, through the system's command interpreter in a console of its own, shown as `show`
// (a SW_ value), without waiting for it. A missing file, or a path longer than the
// interpreter can run, is refused before anything starts.
BatchStart StartBatchFile(const std::wstring& path, int show, const std::wstring& working_folder);

}  // namespace quorvath
