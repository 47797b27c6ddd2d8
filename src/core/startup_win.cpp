#include "core/startup.h"

#include <windows.h>

#include <vector>

#include "core/app_state.h"
#include "core/file_system.h"
#include "core/message_box.h"
#include "core/os_name.h"
#include "core/program_folder.h"
#include "runs/batch_files.h"

namespace quorvath {

namespace {

std::wstring ExecutablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // the path was cut: try a larger buffer
  }
}

}  // namespace

void SetAppDir() { App().app_dir = WithTrailingBackslash(FolderOfPath(ExecutablePath())); }

std::wstring_view GetOSName() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#if defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)  // the version the system reports is what is asked for here
#endif
  const BOOL ok = GetVersionExA(&info);
#if defined(_MSC_VER)
#pragma warning(pop)
#endif
  if (!ok) return kOsNone;
  return OsNameFor(static_cast<std::int32_t>(info.dwPlatformId),
                   static_cast<std::int32_t>(info.dwMajorVersion),
                   static_cast<std::int32_t>(info.dwMinorVersion));
}

std::optional<std::wstring> FindFirstMissingFile(const std::wstring& app_dir) {
  for (const std::wstring_view relative : kRequiredFiles) {
    std::wstring path = app_dir + std::wstring(relative);
    if (!IsFile(path)) return path;
  }
  return std::nullopt;
}

std::wstring MissingFileMessage(const std::wstring& full_path) {
  return L"The file: " + full_path + L" is needed to run.";
}

bool CheckRequiredFiles() {
  const std::optional<std::wstring> missing = FindFirstMissingFile(App().app_dir);
  if (!missing) return true;
  ShowPlainMessage(nullptr, MissingFileMessage(*missing), L"Error!");
  return false;
}

}  // namespace quorvath
