// The walk that creates a folder path level by level, as text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

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
