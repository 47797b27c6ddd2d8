#include "kit_files.h"

#include <windows.h>

#include <stdexcept>

#include "win_handle.h"

namespace quorvath::kit_test {
namespace {

UniqueHandle OpenForIdentity(const fs::path& path) {
  // Backup semantics let the same call open a folder.
  return UniqueHandle(CreateFileW(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

fs::path DemoKitFolder() {
  std::wstring module(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (length == 0) throw std::runtime_error("GetModuleFileNameW failed");
    if (length < module.size()) {
      module.resize(length);
      break;
    }
    module.resize(module.size() * 2);
  }
  return fs::path(module).parent_path() / L"demo-kit";
}

std::optional<std::string> ReadBytes(const fs::path& file) {
  UniqueHandle handle(CreateFileW(file.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(handle.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    bytes.append(buffer, read);
  }
  return bytes;
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
  UniqueHandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot create " + Utf8(file.wstring()));
  }
  DWORD written = 0;
  if (!WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write " + Utf8(file.wstring()));
  }
}

FileState StateOf(const fs::path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
  FileState state;
  state.exists = true;
  state.is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  state.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return state;
}

std::set<std::wstring> EntriesOf(const fs::path& folder) {
  std::set<std::wstring> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().wstring());
  }
  return names;
}

std::wstring DecodeAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
  return text;
}

bool SpelledByAnsiCodePage(std::wstring_view text) {
  if (text.empty() || GetACP() == CP_UTF8) return true;
  BOOL used_default = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                          nullptr, 0, nullptr, &used_default);
  if (length <= 0 || used_default) return false;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                      bytes.data(), length, nullptr, &used_default);
  return !used_default && DecodeAnsi(bytes) == text;
}

bool SameFileSystemObject(const fs::path& first, const fs::path& second) {
  const UniqueHandle one = OpenForIdentity(first);
  const UniqueHandle other = OpenForIdentity(second);
  if (one.get() == INVALID_HANDLE_VALUE || other.get() == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION one_info{};
  BY_HANDLE_FILE_INFORMATION other_info{};
  if (!GetFileInformationByHandle(one.get(), &one_info) ||
      !GetFileInformationByHandle(other.get(), &other_info)) {
    return false;
  }
  return one_info.dwVolumeSerialNumber == other_info.dwVolumeSerialNumber &&
         one_info.nFileIndexHigh == other_info.nFileIndexHigh &&
         one_info.nFileIndexLow == other_info.nFileIndexLow;
}

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

void RemoveTree(const fs::path& folder) {
  std::error_code error;
  // Read-only files refuse deletion until their attributes are cleared.
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  fs::remove_all(folder, error);
}

}  // namespace quorvath::kit_test
