#include "core/file_system.h"

#include "core/win_handles.h"

namespace quorvath {

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool EntryExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileStamp StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {};
  }
  FileStamp stamp;
  stamp.is_file = true;
  stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  stamp.last_write = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                     data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

std::optional<std::string> ReadSmallFile(const std::wstring& path, DWORD* error,
                                         std::size_t max_bytes) {
  auto fail = [error](DWORD code) -> std::optional<std::string> {
    if (error != nullptr) *error = code;
    return std::nullopt;
  };
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return fail(GetLastError());

  std::string content;
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return fail(GetLastError());
    if (read == 0) break;
    content.append(buffer, read);
    if (content.size() >= max_bytes) {
      content.resize(max_bytes);
      break;
    }
  }
  if (error != nullptr) *error = ERROR_SUCCESS;
  return content;
}

}  // namespace quorvath
