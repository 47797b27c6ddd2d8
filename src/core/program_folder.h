// Forming the program folder's text from the executable's full path.
#pragma once

#include <string>
#include <string_view>

namespace quorvath {

// The folder part of an executable's full path, as Windows reports folders: without a
// trailing backslash, except for a drive root ("C:\quorvath.exe" gives "C:\").
std::wstring FolderOfPath(std::wstring_view file_path);

// A folder text that ends in exactly the one backslash it needs: "D:\Bench" gives
// "D:\Bench\", and "C:\" stays "C:\".
std::wstring WithTrailingBackslash(std::wstring folder);

}  // namespace quorvath
