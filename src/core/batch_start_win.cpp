#include "core/batch_start.h"

#include <shellapi.h>

#include "runs/batch_files.h"

namespace quorvath {

BatchStart StartBatchFile(HWND owner, const std::wstring& path, int show,
                          const std::wstring& working_folder) {
  const std::wstring parameters(kBatchParameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // The process handle tells the caller when the batch file has ended; the program shows
  // its own message when the start fails.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.hwnd = owner;
  info.lpVerb = L"open";
  info.lpFile = path.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = working_folder.c_str();
  info.nShow = show;

  BatchStart result;
  if (ShellExecuteExW(&info)) {
    result.started = true;
    result.process.reset(info.hProcess);
  } else {
    result.error = GetLastError();
    if (result.error == ERROR_SUCCESS) result.error = ERROR_FILE_NOT_FOUND;
  }
  return result;
}

}  // namespace quorvath
