#include "core/registry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "core/ansi_text.h"
#include "core/win_handles.h"

namespace quorvath {

namespace {

// The look-up reads into a fixed buffer: longer data is not read at all.
constexpr DWORD kValueBufferBytes = 1024;

// Data of a REG_DWORD: little-endian, as on every platform Windows runs on. A short block
// leaves the missing high bytes at zero, as the buffer was.
std::uint32_t DwordOf(const std::array<char, kValueBufferBytes>& buffer) {
  std::uint32_t number = 0;
  std::memcpy(&number, buffer.data(), sizeof number);
  return number;
}

}  // namespace

bool GetKeyValue(HKEY root, const std::wstring& key_path, const std::wstring& value_name,
                 std::wstring& value) {
  const std::optional<std::string> path = EncodeAnsi(key_path);
  const std::optional<std::string> name = EncodeAnsi(value_name);
  HKEY opened = nullptr;
  // Read access only: asking for more would fail for every user who may only read the key
  // (all standard users, for keys under HKEY_LOCAL_MACHINE), although reading is all we do.
  if (!path || !name || RegOpenKeyExA(root, path->c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    value.clear();
    return false;
  }
  const UniqueRegKey key(opened);

  std::array<char, kValueBufferBytes> buffer{};
  DWORD type = REG_NONE;
  DWORD size = kValueBufferBytes;
  if (RegQueryValueExA(key.get(), name->c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
    value.clear();  // missing, or more than the buffer holds
    return false;
  }
  size = std::min(size, kValueBufferBytes);
  if (size == 0) {
    value.clear();
    return true;
  }

  // A string's terminating zero is not part of its text.
  const std::size_t kept = buffer[size - 1] == '\0' ? size - 1 : size;
  switch (type) {
    case REG_SZ:
      value = DecodeAnsi(std::string_view(buffer.data(), kept));
      break;
    case REG_DWORD:
      value = std::to_wstring(DwordOf(buffer));
      break;
    default:
      break;  // not a type the look-ups expect: the text stays as it was
  }
  return true;
}

}  // namespace quorvath
