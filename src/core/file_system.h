// The file-system questions and changes the program makes, on top of the Windows API. Paths
// longer than the plain limit are passed in their extended form, so that a program folder
// deep in the tree still works.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace quorvath {

// The path in the form that the file functions accept beyond MAX_PATH characters ("\\?\C:\..."
// or "\\?\UNC\server\..."), for paths long enough to need it; shorter paths are returned as
// they are.
std::wstring ExtendedLengthPath(const std::wstring& path);

// True for an existing file whatever its attributes (read-only, hidden, system, archive);
// false for a folder or nothing.
bool IsFile(const std::wstring& path);

// True for a normal file: not a folder, nor a hidden or system file.
bool IsNormalFile(const std::wstring& path);

// True for an existing file or folder. A path that ends in a backslash names a folder and
// finds something only when that folder exists.
bool EntryExists(const std::wstring& path);

// What a file looked like at one moment, to tell a file rewritten since then from one left
// untouched.
struct FileStamp {
  bool is_file = false;
  std::uint64_t size = 0;
  std::uint64_t last_write = 0;  // FILETIME ticks

  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp StampOf(const std::wstring& path);

// The whole content of a small file (cut at `max_bytes`), or nothing when it cannot be read.
// Reading shares the file with writers, as batch files may still hold it open.
std::optional<std::string> ReadSmallFile(const std::wstring& path, std::size_t max_bytes = 1 << 20);

// Creates one folder; ERROR_SUCCESS or the system's reason.
DWORD CreateFolder(const std::wstring& path);

// Copies the file `source` to the file `target`, replacing an existing one when `replace` is
// set. A read-only target is never replaced (ERROR_ACCESS_DENIED), even where the file system
// would let the copy through. ERROR_SUCCESS or the system's reason.
DWORD CopyOneFile(const std::wstring& source, const std::wstring& target, bool replace);

// Deletes a file; ERROR_SUCCESS or the system's reason.
DWORD DeleteOneFile(const std::wstring& path);

}  // namespace quorvath
