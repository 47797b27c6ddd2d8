#include "ui/desktop.h"

#include <commctrl.h>

#include <algorithm>

#include "core/win_system.h"

namespace quorvath {

void ShowPlainMessage(HWND owner, const std::wstring& text, const std::wstring& title) {
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_SETFOREGROUND);
}

void ShowWarning(HWND owner, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

void ToolTips::Create(HWND owner) {
  owner_ = owner;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
}

void ToolTips::Add(HWND control, const std::wstring& text) {
  if (tooltip_ == nullptr || control == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());  // copied by the control
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TaskbarProgress::SetBusy(HWND window, bool busy) {
  if (!tried_) {
    tried_ = true;
    if (FAILED(CreateComInstance(CLSID_TaskbarList, IID_ITaskbarList3,
                                 reinterpret_cast<void**>(taskbar_.Receive()))) ||
        FAILED(taskbar_->HrInit())) {
      taskbar_.Reset();
    }
  }
  if (taskbar_) taskbar_->SetProgressState(window, busy ? TBPF_INDETERMINATE : TBPF_NOPROGRESS);
}

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  if (void* target = GlobalLock(memory)) {
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
    GlobalUnlock(memory);
  }
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(memory);  // the clipboard took it only on success
  return placed;
}

void OpenMakerWebSite() {
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  // The shell may hand the address to COM objects.
  EnsureComInitialized();
  if (const auto shell_execute =
          SystemFunctionAs<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW")) {
    shell_execute(nullptr, nullptr, kMakerWebSite, nullptr, L"C:\\", SW_SHOWNORMAL);
  }
}

}  // namespace quorvath
