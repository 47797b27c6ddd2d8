// Reading the registry: one value of a key, as text.
#pragma once

#include <windows.h>

#include <string>

namespace quorvath {

// Reads the value `value_name` of the key `key_path` under `root` into `value`.
//   - A string (REG_SZ) becomes its text, decoded from the ANSI code page, without its
//     terminating zero.
//   - A REG_DWORD becomes the decimal text of its 32-bit value ("11259375" for 0x00ABCDEF).
//   - A value with an empty data block becomes the empty text.
//   - Any other type leaves `value` as it was.
// These all return true. When the key cannot be opened for reading, or the value is missing
// or longer than 1024 bytes, `value` becomes empty and the result is false.
bool GetKeyValue(HKEY root, const std::wstring& key_path, const std::wstring& value_name,
                 std::wstring& value);

}  // namespace quorvath
