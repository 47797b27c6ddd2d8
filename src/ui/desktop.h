// What the program's windows ask of the desktop around them: message boxes, tool tips, the
// taskbar button's progress, the clipboard and the maker's web site.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "core/win_handles.h"
#include "runs/history.h"

namespace quorvath {

// The title of a message box that has no title of its own.
inline constexpr wchar_t kAppTitle[] = L"Quorvath";

// A plain message without an icon, as the start-up checks show it.
void ShowPlainMessage(HWND owner, const std::wstring& text, const std::wstring& title);

// A problem the user should know about (a test that cannot run, a damaged file).
void ShowWarning(HWND owner, const std::wstring& text);

// A question before something the user may not want done; true for Yes. No is the default
// button, so that a key pressed by mistake changes nothing.
bool AskYesNo(HWND owner, const std::wstring& text);

// Tool tips for the controls of one window; the tool-tip window is owned by that window and
// destroyed with it.
class ToolTips {
 public:
  void Create(HWND owner);
  // Shows `text` while the mouse rests on `control`.
  void Add(HWND control, const std::wstring& text);

 private:
  HWND owner_ = nullptr;
  HWND tooltip_ = nullptr;
};

// The taskbar button shows indeterminate progress while `busy`, none otherwise. Where the
// shell offers no taskbar (or only a stub of one) nothing happens.
class TaskbarProgress {
 public:
  void SetBusy(HWND window, bool busy);
  // Run `done` of `total`, as a bar that fills.
  void SetValue(HWND window, int done, int total);

 private:
  bool Ready();

  ComPtr<ITaskbarList3> taskbar_;
  bool tried_ = false;
};

// Puts `text` on the clipboard as Unicode text; false when the clipboard is busy.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);

// Puts `picture`, a DIB section of 24 bits a pixel, on the clipboard as a device-independent
// bitmap, and `text` as Unicode text: both in one go, so that a program pasting finds them
// together. Without a picture, the text alone. False when the clipboard is busy or memory runs
// out.
bool CopyPictureAndTextToClipboard(HWND owner, HBITMAP picture, const std::wstring& text);

// The common Save and Open dialogs for one kind of file, e.g. L"CSV files (*.csv)" with
// L"*.csv": the path chosen, or nothing when the user cancels. Neither offers to open a file
// read-only. Save starts at `suggested_path` (a folder and a name) and asks before it replaces
// a file; Open starts in `folder` and has the title `title`.
std::optional<std::wstring> AskSavePath(HWND owner, const std::wstring& kind,
                                        const std::wstring& pattern,
                                        const std::wstring& suggested_path);
std::optional<std::wstring> AskOpenPath(HWND owner, const std::wstring& kind,
                                        const std::wstring& pattern, const std::wstring& folder,
                                        const std::wstring& title);

// A run's time ("2026-12-07 14-03-22" or "2026-12-07 14:03:22") in the user's short date and
// time format; the text as it is when it is no such time.
std::wstring UserDateTime(std::wstring_view stamp);

// How the program's windows name a saved run: its time in the user's format, " (2)" for a
// second copy, and " - " and its label when it has one.
std::wstring RunDisplayName(const RunName& name);

// Opens `folder` in the shell's file browser.
void OpenFolder(const std::wstring& folder);

// Opens the history folder (HistoryFolder) in the shell's file browser; a history not written
// yet is made an empty folder first rather than an error.
void OpenResultsFolder();

// The maker's web site, opened from the banner pictures.
inline constexpr wchar_t kMakerWebSite[] = L"https://www.torvane.example/";
inline constexpr wchar_t kMakerHost[] = L"www.torvane.example";

// Opens the maker's web site with the default action for the address, in a normal window;
// nothing is reported when no browser opens.
void OpenMakerWebSite();

}  // namespace quorvath
