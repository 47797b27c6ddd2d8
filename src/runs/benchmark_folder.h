// Preparing a test's folder inside the game's benchmark folder: creating the missing levels
// of a folder path and copying a settings file into it.
#pragma once

#include <string>

namespace quorvath {

// Creates every missing level of `path`, top level first. A level whose parent is missing
// (because it could not be created) is skipped, silently.
void MakeFolderPath(const std::wstring& path);

// Creates the one folder `path` (which ends in a backslash) when nothing of that name exists
// yet and its parent folder does.
void MakeFolder(const std::wstring& path);

// Copies `source` when it is a file. A `destination` that ends in a backslash names a folder
// that receives the file under its own name; any other destination is the new file's name.
// With `overwrite` an existing destination file is replaced, without it the copy fails.
// True when the copy was made; every failure is a false result.
bool CopyIfExists(const std::wstring& source, const std::wstring& destination,
                  bool overwrite = false);

}  // namespace quorvath
