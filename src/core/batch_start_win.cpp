#include "core/batch_start.h"

#include "core/file_system.h"
#include "runs/batch_files.h"

namespace quorvath {

namespace {

// The command interpreter from the system folder, never one found beside the program.
std::wstring CommandInterpreter() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"cmd.exe";
  return std::wstring(folder, length) + L"\\cmd.exe";
}

}  // namespace

BatchStart StartBatchFile(const std::wstring& path, int show, const std::wstring& working_folder) {
  BatchStart result;
  // The interpreter would start and only then complain; a missing file is told here, and
  // so is a path longer than the interpreter can run.
  if (!IsFile(path)) {
    result.error = ERROR_FILE_NOT_FOUND;
    return result;
  }
  if (path.size() >= MAX_PATH) {
    result.error = ERROR_FILENAME_EXCED_RANGE;
    return result;
  }
  // cmd /c takes the rest of its command line as the command: the whole of it in quotes,
  // the batch file's path in quotes inside them.
  std::wstring command_line =
      L"cmd.exe /c \"\"" + path + L"\" " + std::wstring(kBatchParameters) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(CommandInterpreter().c_str(), command_line.data(), nullptr, nullptr, FALSE,
                      CREATE_NEW_CONSOLE | CREATE_DEFAULT_ERROR_MODE, nullptr,
                      working_folder.c_str(), &startup, &info)) {
    result.error = GetLastError();
    return result;
  }
  CloseHandle(info.hThread);
  result.started = true;
  result.process.reset(info.hProcess);
  return result;
}

}  // namespace quorvath
