#include "core/file_system.h"

#include "core/win_handles.h"

namespace quorvath {

namespace {

DWORD Outcome(BOOL ok) { return ok ? ERROR_SUCCESS : GetLastError(); }

}  // namespace

std::wstring ExtendedLengthPath(const std::wstring& path) {
  // Folders are limited to MAX_PATH - 12 characters (room for an 8.3 name) in the plain form.
  constexpr std::size_t kPlainLimit = MAX_PATH - 12;
  if (path.size() < kPlainLimit || path.rfind(L"\\\\?\\", 0) == 0) return path;
  // The extended form takes the path literally: "." and ".." must be resolved first.
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool EntryExists(const std::wstring& path) {
  return GetFileAttributesW(ExtendedLengthPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileStamp StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(ExtendedLengthPath(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {};
  }
  return {true, (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
          (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
              data.ftLastWriteTime.dwLowDateTime};
}

std::optional<std::string> ReadSmallFile(const std::wstring& path, std::size_t max_bytes) {
  const UniqueHandle file(CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buffer[4096];
  while (content.size() < max_bytes) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    content.append(buffer, read);
  }
  if (content.size() > max_bytes) content.resize(max_bytes);
  return content;
}

DWORD CreateFolder(const std::wstring& path) {
  return Outcome(CreateDirectoryW(ExtendedLengthPath(path).c_str(), nullptr));
}

DWORD CopyOneFile(const std::wstring& source, const std::wstring& target, bool replace) {
  const std::wstring to = ExtendedLengthPath(target);
  const DWORD existing = GetFileAttributesW(to.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  return Outcome(CopyFileW(ExtendedLengthPath(source).c_str(), to.c_str(), replace ? FALSE : TRUE));
}

DWORD DeleteOneFile(const std::wstring& path) {
  return Outcome(DeleteFileW(ExtendedLengthPath(path).c_str()));
}

bool IsNormalFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  constexpr DWORD kNotNormal =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotNormal) == 0;
}

}  // namespace quorvath
