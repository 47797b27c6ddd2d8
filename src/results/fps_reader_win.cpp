// The file reader on Windows.
#include <windows.h>

#include <algorithm>

#include "core/win_handles.h"
#include "results/fps_reader.h"
#include "results/fps_stream.h"

namespace quorvath {

namespace {

class FileHandleSource final : public FpsByteSource {
 public:
  explicit FileHandleSource(HANDLE file) : file_(file) {}

  FpsSourceRead Read(std::span<char> into) override {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(into.size(), 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file_, into.data(), wanted, &got, nullptr)) {
      return {0, true, static_cast<std::uint32_t>(GetLastError())};
    }
    return {got, false, 0};
  }

 private:
  HANDLE file_;
};

}  // namespace

FpsReadResult ReadFpsFile(const std::wstring& path) {
  // The batch process that wrote the file may still hold it open.
  const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    return FpsCannotOpen(static_cast<std::uint32_t>(GetLastError()));
  }
  FileHandleSource source(file.get());
  return ReadFpsStream(source);
}

}  // namespace quorvath
