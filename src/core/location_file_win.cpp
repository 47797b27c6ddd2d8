#include "core/location_file.h"

#include "core/ansi_text.h"
#include "core/batch_start.h"
#include "core/file_system.h"
#include "core/location_text.h"
#include "runs/batch_files.h"

namespace quorvath {

namespace {

constexpr UINT kPollIntervalMs = 5000;

// Only the first line matters; a location file is a few hundred bytes at most.
constexpr std::size_t kLocationReadLimit = 64 * 1024;

}  // namespace

std::wstring LocationFilePath(const std::wstring& app_dir) {
  return app_dir + std::wstring(kLocationFile);
}

std::optional<std::wstring> ReadLocationFile(const std::wstring& app_dir) {
  const std::optional<std::string> bytes =
      ReadSmallFile(LocationFilePath(app_dir), nullptr, kLocationReadLimit);
  if (!bytes) return std::nullopt;
  // Cut after the first line break so that a multi-byte character is never cut in half.
  const std::size_t line_end = bytes->find_first_of("\r\n");
  return GameFolderFromLocationText(DecodeAnsi(std::string_view(*bytes).substr(0, line_end)));
}

bool StartLocate(HWND timer_window, UINT_PTR loc_timer, const std::wstring& app_dir) {
  const BatchStart start =
      StartBatchFile(app_dir + std::wstring(kLocateBatchFile), SW_HIDE, app_dir);
  SetTimer(timer_window, loc_timer, kPollIntervalMs, nullptr);
  return start.started;
}

bool DeleteLocationFile(const std::wstring& app_dir, DWORD* error) {
  if (DeleteFileW(LocationFilePath(app_dir).c_str())) return true;
  if (error != nullptr) *error = GetLastError();
  return false;
}

}  // namespace quorvath
