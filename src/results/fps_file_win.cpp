// Reading a result file on Windows.
#include <windows.h>

#include <algorithm>

#include "core/file_system.h"
#include "core/win_handles.h"
#include "results/fps_reader.h"

namespace quorvath {

FpsReadResult ReadFpsFile(const std::wstring& path) {
  // The batch process that wrote the file may still hold it open.
  const UniqueHandle file(CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return FpsCannotOpen(GetLastError());
  return ReadFpsStream(
      [&](char* into, std::size_t size, std::uint32_t& error) -> std::optional<std::size_t> {
        DWORD got = 0;
        if (!ReadFile(file.get(), into, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)),
                      &got, nullptr)) {
          error = GetLastError();
          return std::nullopt;
        }
        return got;
      });
}

}  // namespace quorvath
