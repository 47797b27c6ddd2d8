// Starting the batch files delivered beside the program.
#pragma once

#include <windows.h>

#include <string>

#include "core/win_handles.h"

namespace quorvath {

struct BatchStart {
  bool started = false;
  DWORD error = ERROR_SUCCESS;  // why it did not start
  UniqueHandle process;         // the batch process, when the shell reported one
};

// Starts `path` through the shell with the verb "open", the parameters "1" and
// `working_folder` as its current folder, without waiting for it. `show` is a SW_ value.
BatchStart StartBatchFile(HWND owner, const std::wstring& path, int show,
                          const std::wstring& working_folder);

}  // namespace quorvath
