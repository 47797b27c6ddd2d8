#include "runs/program_folder.h"

#include <vector>

#include "core/ansi_text.h"
#include "core/file_system.h"
#include "core/os_name.h"
#include "core/paths.h"
#include "core/win_system.h"
#include "runs/kit.h"

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

std::wstring DecodeLocationText(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    std::wstring text((bytes.size() - 2) / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                     (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
    }
    return text;
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
    std::wstring text(bytes.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                           text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
  }
  // Only the first line counts; cut at its end, a multi-byte character is never cut in half.
  return DecodeAnsi(bytes.substr(0, bytes.find_first_of("\r\n")));
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

std::wstring LocationFilePath(const std::wstring& app_dir) {
  return app_dir + std::wstring(kLocationFile);
}

std::optional<std::wstring> ReadLocationFile(const std::wstring& app_dir) {
  // Only the first line matters; a location file is a few hundred bytes at most.
  const std::optional<std::string> bytes = ReadSmallFile(LocationFilePath(app_dir), 64 * 1024);
  if (!bytes) return std::nullopt;
  return GameFolderFromLocationText(DecodeLocationText(*bytes));
}

DWORD DeleteLocationFile(const std::wstring& app_dir) {
  return DeleteOneFile(LocationFilePath(app_dir));
}

BatchStart StartBatchFile(const std::wstring& path, int show, const std::wstring& working_folder) {
  BatchStart result;
  // The interpreter would start and only then complain.
  if (!IsFile(path)) {
    result.error = ERROR_FILE_NOT_FOUND;
    return result;
  }
  if (path.size() >= MAX_PATH) {
    result.error = ERROR_FILENAME_EXCED_RANGE;
    return result;
  }
  // The interpreter from the system folder, never one found beside the program. cmd /c takes
  // the rest of its command line as the command: the whole of it in quotes, the batch file's
  // path in quotes inside them.
  const std::wstring system_folder = SystemFolder();
  const std::wstring interpreter =
      system_folder.empty() ? L"cmd.exe" : system_folder + L"\\cmd.exe";
  std::wstring command_line =
      L"cmd.exe /c \"\"" + path + L"\" " + std::wstring(kBatchParameters) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(interpreter.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE | CREATE_DEFAULT_ERROR_MODE, nullptr,
                      working_folder.c_str(), &startup, &info)) {
    result.error = GetLastError();
    return result;
  }
  CloseHandle(info.hThread);
  result.process.reset(info.hProcess);
  return result;
}

}  // namespace quorvath
