// Folder paths as text: the program folder from the executable's path, and the levels of a
// folder path from its drive downwards.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

// The folder part of an executable's full path, as Windows reports folders: without a
// trailing backslash, except for a drive root ("C:\quorvath.exe" gives "C:\").
std::wstring FolderOfPath(std::wstring_view file_path);

// A folder text that ends in exactly the one backslash it needs: "D:\Bench" gives
// "D:\Bench\", and "C:\" stays "C:\".
std::wstring WithTrailingBackslash(std::wstring folder);

// The levels of `path` from its drive downwards, each ending in a backslash: for
// "C:\Games\Alpha" they are "C:\", "C:\Games\", "C:\Games\Alpha\". The path is split at every
// backslash and empty parts are kept ("C:\A\" gives "C:\", "C:\A\", "C:\A\\"). A path of
// three characters or fewer (a bare drive root) has no levels to walk.
std::vector<std::wstring> FolderLevels(std::wstring_view path);

// The parent of a folder path: the text before its last backslash, once one trailing
// backslash is removed ("C:\Games\Alpha\" gives "C:\Games"). Nothing for an empty path or
// one without a backslash before its last part ("C:\" gives nothing).
std::optional<std::wstring> ParentFolder(std::wstring_view folder);

}  // namespace quorvath
