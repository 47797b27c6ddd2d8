#include "ui/taskbar_progress.h"

#include "core/system_library.h"

namespace quorvath {

TaskbarProgress::~TaskbarProgress() {
  if (taskbar_ != nullptr) taskbar_->Release();
}

void TaskbarProgress::SetBusy(HWND window, bool busy) {
  if (!tried_) {
    tried_ = true;
    ITaskbarList3* taskbar = nullptr;
    if (SUCCEEDED(CreateComInstance(CLSID_TaskbarList, IID_PPV_ARGS(&taskbar)))) {
      if (SUCCEEDED(taskbar->HrInit())) {
        taskbar_ = taskbar;
      } else {
        taskbar->Release();
      }
    }
  }
  if (taskbar_ != nullptr) {
    taskbar_->SetProgressState(window, busy ? TBPF_INDETERMINATE : TBPF_NOPROGRESS);
  }
}

}  // namespace quorvath
