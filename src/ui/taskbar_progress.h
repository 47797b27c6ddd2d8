// The main window's taskbar button shows that a test is running.
#pragma once

#include <windows.h>
#include <shobjidl.h>

namespace quorvath {

class TaskbarProgress {
 public:
  TaskbarProgress() = default;
  ~TaskbarProgress();
  TaskbarProgress(const TaskbarProgress&) = delete;
  TaskbarProgress& operator=(const TaskbarProgress&) = delete;

  // Indeterminate progress while `busy`, none otherwise. Where the shell offers no taskbar
  // (or only a stub of one) nothing happens.
  void SetBusy(HWND window, bool busy);

 private:
  ITaskbarList3* taskbar_ = nullptr;
  bool tried_ = false;
};

}  // namespace quorvath
