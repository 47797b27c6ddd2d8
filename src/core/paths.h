// Paths as text: the program folder from the executable's path, the levels of a folder path
// from its root downwards, and the parts and names of files.
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

// A folder text without its one trailing backslash: "D:\Bench\" gives "D:\Bench".
std::wstring WithoutTrailingBackslash(std::wstring folder);

// The file name at the end of `path`, after its last backslash or slash; the whole text when
// it has neither.
std::wstring FileNameOfPath(std::wstring_view path);

// The file name of `path` without `extension` (".csv"), which is matched in any letter case.
std::wstring FileTitle(std::wstring_view path, std::wstring_view extension);

// `text` as a file name: without the characters that file names cannot hold (\ / : * ? " < >
// | and control characters) and without trailing spaces and dots, which Windows drops;
// `fallback` when nothing is left.
std::wstring FileSafeName(std::wstring_view text, std::wstring_view fallback);

// The length of the root of `path` that no one creates: "C:\" (3), a share "\\server\share\"
// or the same forms behind "\\?\" ("\\?\C:\", "\\?\UNC\server\share\"); 0 for a path
// without one of these roots.
std::size_t RootLength(std::wstring_view path);

// The levels of `path` from its root downwards, each ending in a backslash: for
// "C:\Games\Alpha" they are "C:\", "C:\Games\", "C:\Games\Alpha\"; for
// "\\server\share\Results" they are "\\server\share\", "\\server\share\Results\". The rest of
// the path is split at every backslash and empty parts are kept ("C:\A\" gives "C:\",
// "C:\A\", "C:\A\\"). A path that is no more than its root has no levels to walk; a path
// without a known root is walked from its first backslash on.
std::vector<std::wstring> FolderLevels(std::wstring_view path);

// The parent of a folder path: the text before its last backslash, once one trailing
// backslash is removed ("C:\Games\Alpha\" gives "C:\Games"). Nothing for an empty path or
// one without a backslash before its last part ("C:\" gives nothing).
std::optional<std::wstring> ParentFolder(std::wstring_view folder);

}  // namespace quorvath
