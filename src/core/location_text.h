// The location file's content: the game's installation folder as its first line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

// The game folder from the location file's decoded text: the first field of the first line
// without leading and trailing spaces. Nothing when that is empty.
std::optional<std::wstring> GameFolderFromLocationText(std::wstring_view text);

}  // namespace quorvath
