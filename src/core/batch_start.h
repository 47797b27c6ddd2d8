// Starting the batch files delivered beside the program.
#pragma once

#include <windows.h>

#include <string>

#include "core/win_handles.h"

namespace quorvath {

struct BatchStart {
  bool started = false;
  DWORD error = ERROR_SUCCESS;  // why it did not start
  UniqueHandle process;         // the batch process, to learn when it has ended
};

// Starts the batch file `path` with the parameters "1" and `working_folder` as its current
// folder, through the system's command interpreter in a console of its own, shown as `show`
// (a SW_ value), without waiting for it.
BatchStart StartBatchFile(const std::wstring& path, int show, const std::wstring& working_folder);

}  // namespace quorvath
