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

namespace {

// The location file is in the ANSI code page. A file that begins with a byte-order mark is
// taken as UTF-8 or UTF-16 instead, so that a kit can name a folder that the ANSI code page
// cannot spell.
std::wstring DecodeLocationText(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    bytes.remove_prefix(2);
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return text;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
    std::wstring text(bytes.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                           text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
  }
  // Cut after the first line break so that a multi-byte character is never cut in half.
  return DecodeAnsi(bytes.substr(0, bytes.find_first_of("\r\n")));
}

}  // namespace

std::optional<std::wstring> ReadLocationFile(const std::wstring& app_dir) {
  const std::optional<std::string> bytes =
      ReadSmallFile(LocationFilePath(app_dir), nullptr, kLocationReadLimit);
  if (!bytes) return std::nullopt;
  return GameFolderFromLocationText(DecodeLocationText(*bytes));
}

bool StartLocate(HWND timer_window, UINT_PTR loc_timer, const std::wstring& app_dir) {
  const BatchStart start =
      StartBatchFile(app_dir + std::wstring(kLocateBatchFile), SW_HIDE, app_dir);
  SetTimer(timer_window, loc_timer, kPollIntervalMs, nullptr);
  return start.started;
}

bool DeleteLocationFile(const std::wstring& app_dir, DWORD* error) {
  if (DeleteFileW(ExtendedLengthPath(LocationFilePath(app_dir)).c_str())) return true;
  if (error != nullptr) *error = GetLastError();
  return false;
}

}  // namespace quorvath
