// UTF-8, the encoding of the files the program writes itself, to and from its UTF-16 text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

// A lone surrogate (text that is not whole UTF-16) is written as U+FFFD.
std::string EncodeUtf8(std::wstring_view text);

// Nothing when `bytes` are not UTF-8.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes);

}  // namespace quorvath
