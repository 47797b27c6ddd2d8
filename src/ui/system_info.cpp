#include "ui/system_info.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/ansi_text.h"
#include "core/win_handles.h"
#include "ui/desktop.h"

namespace quorvath {

namespace {

// Where the tool registers itself: its full path, or else the folder that holds it.
constexpr wchar_t kMsInfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kMsInfoPathValue[] = L"PATH";
constexpr wchar_t kSharedToolsLocationKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr wchar_t kMsInfoFolderValue[] = L"MSINFO";
constexpr wchar_t kMsInfoFileName[] = L"\\MSINFO32.EXE";

// The look-up reads into a fixed buffer: longer data is not read at all.
constexpr DWORD kValueBufferBytes = 1024;

// The registry's ANSI functions take names in the ANSI code page; a name that the code page
// cannot spell cannot be looked up through them.
std::optional<std::string> EncodeAnsi(const std::wstring& text) {
  if (text.empty()) return std::string();
  // UTF-8 as the ANSI code page spells everything, and refuses the "default used" flag.
  BOOL used_default = FALSE;
  BOOL* const report_default = GetACP() == CP_UTF8 ? nullptr : &used_default;
  const int wide_length = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), wide_length, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, text.data(), wide_length, bytes.data(), length, nullptr,
                          report_default) != length ||
      used_default) {
    return std::nullopt;
  }
  return bytes;
}

// Data of a REG_DWORD: little-endian, as on every platform Windows runs on. A short block
// leaves the missing high bytes at zero, as the buffer was.
std::uint32_t DwordOf(const std::array<char, kValueBufferBytes>& buffer) {
  std::uint32_t number = 0;
  std::memcpy(&number, buffer.data(), sizeof number);
  return number;
}

// A normal file: folders do not count, nor do hidden and system files.
bool IsNormalFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  constexpr DWORD kNotNormal =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotNormal) == 0;
}

// The tool's path, or nothing when it is not registered where it can be found.
std::optional<std::wstring> FindSysInfoTool() {
  std::wstring value;
  // A registered full path is trusted as it is: if it names nothing, starting it fails and
  // the user hears so. The folder entry is not consulted then.
  if (GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, kMsInfoPathValue, value)) return value;
  if (!GetKeyValue(HKEY_LOCAL_MACHINE, kSharedToolsLocationKey, kMsInfoFolderValue, value)) {
    return std::nullopt;
  }
  std::wstring path = value + kMsInfoFileName;
  if (!IsNormalFile(path)) return std::nullopt;
  return path;
}

// Starts `path` as a new process in a normal, activated window, and lets it run on its own.
bool StartProgram(const std::wstring& path) {
  if (path.empty()) return false;
  // Quoted, so that a path with spaces names one program and nothing else.
  std::wstring command_line = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  const UniqueHandle process_handle(process.hProcess);
  const UniqueHandle thread_handle(process.hThread);
  // The user asked for the tool: its window may come to the front over this dialog.
  AllowSetForegroundWindow(process.dwProcessId);
  return true;
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

void StartSysInfo(HWND owner) {
  bool started = false;
  // Whatever goes wrong on the way, the user hears the same thing.
  try {
    const std::optional<std::wstring> tool = FindSysInfoTool();
    started = tool && StartProgram(*tool);
  } catch (...) {
    started = false;
  }
  if (!started) ShowPlainMessage(owner, kSysInfoUnavailable, kAppTitle);
}

}  // namespace quorvath
