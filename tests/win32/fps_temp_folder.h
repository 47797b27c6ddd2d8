// A scratch folder for the result-file tests, removed with whatever they left in it.
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace quorvath::fps_test {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"quorvath-fps-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(path_), ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in a backslash as app_dir does.
  const std::wstring& path() const { return path_; }

  // Writes `bytes` to `name` in the folder and returns the file's full path.
  std::wstring Write(std::wstring_view name, std::string_view bytes) const {
    const std::wstring file = path_ + std::wstring(name);
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      CloseHandle(handle);
    }
    return file;
  }

 private:
  std::wstring path_;
};

}  // namespace quorvath::fps_test
