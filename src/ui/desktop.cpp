#include "ui/desktop.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/win_system.h"
#include "runs/test_run.h"

namespace quorvath {

void ShowPlainMessage(HWND owner, const std::wstring& text, const std::wstring& title) {
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_SETFOREGROUND);
}

void ShowWarning(HWND owner, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

bool AskYesNo(HWND owner, const std::wstring& text) {
  return MessageBoxW(owner, text.c_str(), kAppTitle,
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_SETFOREGROUND) == IDYES;
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

bool TaskbarProgress::Ready() {
  if (!tried_) {
    tried_ = true;
    if (FAILED(CreateComInstance(CLSID_TaskbarList, IID_ITaskbarList3,
                                 reinterpret_cast<void**>(taskbar_.Receive()))) ||
        FAILED(taskbar_->HrInit())) {
      taskbar_.Reset();
    }
  }
  return static_cast<bool>(taskbar_);
}

void TaskbarProgress::SetBusy(HWND window, bool busy) {
  if (Ready()) taskbar_->SetProgressState(window, busy ? TBPF_INDETERMINATE : TBPF_NOPROGRESS);
}

void TaskbarProgress::SetValue(HWND window, int done, int total) {
  if (!Ready()) return;
  taskbar_->SetProgressState(window, TBPF_NORMAL);
  taskbar_->SetProgressValue(window, static_cast<ULONGLONG>(done), static_cast<ULONGLONG>(total));
}

namespace {

// One clipboard format's data, laid out as that format has it in global memory.
struct ClipboardData {
  UINT format;
  const void* bytes;
  std::size_t size;
};

// Replaces what the clipboard holds with `data`, all formats in one go.
bool PutOnClipboard(HWND owner, std::initializer_list<ClipboardData> data) {
  // The memory is ready before the clipboard is opened, so that it is held open briefly.
  std::vector<HGLOBAL> blocks;
  bool ready = true;
  for (const ClipboardData& item : data) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(item.size, 1));
    void* target = memory != nullptr ? GlobalLock(memory) : nullptr;
    if (target != nullptr) {
      std::memcpy(target, item.bytes, item.size);
      GlobalUnlock(memory);
    } else {
      ready = false;
    }
    blocks.push_back(memory);
  }
  bool placed = false;
  if (ready && OpenClipboard(owner)) {
    EmptyClipboard();
    placed = true;
    std::size_t i = 0;
    for (const ClipboardData& item : data) {
      // The clipboard owns the memory once it took it.
      if (SetClipboardData(item.format, blocks[i]) != nullptr) {
        blocks[i] = nullptr;
      } else {
        placed = false;
      }
      ++i;
    }
    CloseClipboard();
  }
  for (HGLOBAL memory : blocks) {
    if (memory != nullptr) GlobalFree(memory);
  }
  return placed;
}

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
  return PutOnClipboard(owner,
                        {{CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)}});
}

bool CopyPictureAndTextToClipboard(HWND owner, HBITMAP picture, const std::wstring& text) {
  const ClipboardData text_data{CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)};
  DIBSECTION section{};
  if (picture == nullptr ||
      GetObjectW(picture, sizeof section, &section) != static_cast<int>(sizeof section)) {
    return PutOnClipboard(owner, {text_data});
  }
  // CF_DIB: the header, then the rows as they are, each padded to whole DWORDs.
  BITMAPINFOHEADER header = section.dsBmih;
  const std::size_t stride = (static_cast<std::size_t>(header.biWidth) * 24 + 31) / 32 * 4;
  const std::size_t size = stride * static_cast<std::size_t>(std::abs(header.biHeight));
  header.biSizeImage = static_cast<DWORD>(size);
  std::string dib(sizeof header + size, '\0');
  std::memcpy(dib.data(), &header, sizeof header);
  std::memcpy(dib.data() + sizeof header, section.dsBm.bmBits, size);
  return PutOnClipboard(owner, {{CF_DIB, dib.data(), dib.size()}, text_data});
}

namespace {

using FileDialogFn = BOOL(WINAPI*)(LPOPENFILENAMEW);

std::optional<std::wstring> AskPath(const char* function, HWND owner, const std::wstring& kind,
                                    const std::wstring& pattern, const std::wstring& folder,
                                    const std::wstring& name, const wchar_t* title, DWORD flags) {
  const auto ask = SystemFunctionAs<FileDialogFn>(L"comdlg32.dll", function);
  if (ask == nullptr) return std::nullopt;
  // "Kind\0pattern\0\0", as the dialog reads its filter.
  const std::wstring filter = kind + L'\0' + pattern + L'\0' + L'\0';
  std::wstring path = name;
  path.resize(std::max<std::size_t>(path.size() + 1, 32768), L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title;
  const std::wstring extension = pattern.substr(pattern.find_last_of(L'.') + 1);
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = flags | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_HIDEREADONLY;
  EnsureComInitialized();  // the dialog hosts the shell's objects
  if (!ask(&dialog)) return std::nullopt;
  path.resize(path.find(L'\0'));
  return path;
}

}  // namespace

std::optional<std::wstring> AskSavePath(HWND owner, const std::wstring& kind,
                                        const std::wstring& pattern,
                                        const std::wstring& suggested_path) {
  const std::size_t cut = suggested_path.find_last_of(L'\\');
  const std::wstring folder = cut == std::wstring::npos ? L"" : suggested_path.substr(0, cut);
  return AskPath("GetSaveFileNameW", owner, kind, pattern, folder, suggested_path.substr(cut + 1),
                 nullptr, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
}

std::optional<std::wstring> AskOpenPath(HWND owner, const std::wstring& kind,
                                        const std::wstring& pattern, const std::wstring& folder,
                                        const std::wstring& title) {
  return AskPath("GetOpenFileNameW", owner, kind, pattern, folder, L"", title.c_str(),
                 OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
}

namespace {

// The shell's default action (or `verb`) on `target`, in a normal window; the shell may hand it
// to COM objects. What it gives back is not looked at: nothing is reported when nothing opens.
void ShellOpen(const wchar_t* verb, const wchar_t* target, const wchar_t* folder) {
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  EnsureComInitialized();
  if (const auto shell_execute =
          SystemFunctionAs<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW")) {
    shell_execute(nullptr, verb, target, nullptr, folder, SW_SHOWNORMAL);
  }
}

}  // namespace

std::wstring UserDateTime(std::wstring_view stamp) {
  const std::optional<StampParts> parts = ParseStamp(stamp);
  if (!parts) return std::wstring(stamp);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(parts->year);
  time.wMonth = static_cast<WORD>(parts->month);
  time.wDay = static_cast<WORD>(parts->day);
  time.wHour = static_cast<WORD>(parts->hour);
  time.wMinute = static_cast<WORD>(parts->minute);
  time.wSecond = static_cast<WORD>(parts->second);
  wchar_t date[80] = {}, clock[80] = {};
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 80) == 0 ||
      GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 80) == 0) {
    return std::wstring(stamp);  // not a day of the calendar
  }
  return std::wstring(date) + L" " + clock;
}

std::wstring RunDisplayName(const RunName& name) {
  std::wstring text = UserDateTime(name.stamp);
  if (name.copy > 1) text += L" (" + std::to_wstring(name.copy) + L")";
  if (!name.label.empty()) text += L" - " + name.label;
  return text;
}

void OpenFolder(const std::wstring& folder) { ShellOpen(L"open", folder.c_str(), nullptr); }

void OpenResultsFolder() {
  const std::wstring folder = HistoryFolder();
  MakeFolderPath(folder);
  OpenFolder(folder);
}

void OpenMakerWebSite() { ShellOpen(nullptr, kMakerWebSite, L"C:\\"); }

}  // namespace quorvath
