// Driving quorvath.exe from a test the way a user would: a scratch program folder laid out
// like a delivered kit with scripted batch files, the running program's windows found by
// caption, their texts and list rows read, buttons clicked and keys pressed.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scratch_folder.h"

namespace quorvath::testing {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

// Polls `condition` until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout,
               Milliseconds step = 100ms);

// quorvath.exe as built, beside the test program.
std::wstring BuiltProgramPath();

// A file built beside the test program, in the sub-folder `relative`.
std::wstring BuiltFilePath(std::wstring_view relative);

// A scratch program folder: quorvath.exe, the required files with scripted batch files, and
// a game folder of its own. Batch files record each start in "starts.log" (the file's name,
// its parameters and its current folder), so a test can tell what ran.
class ProgramFolder {
 public:
  explicit ProgramFolder(std::wstring_view name_hint = L"Quorvath program");

  const std::wstring& path() const { return folder_.path(); }  // ends in a backslash
  std::wstring operator/(std::wstring_view relative) const { return folder_ / relative; }
  std::wstring exe() const { return folder_ / L"quorvath.exe"; }
  // The game folder that the scripted get-loc.bat reports (no trailing backslash).
  const std::wstring& game_dir() const { return game_dir_; }

  // Writes a batch file (CR LF line ends, ANSI): `body` runs after the start is logged.
  void WriteBatch(std::wstring_view relative, std::string_view body) const;

  // get-loc.bat writes the game folder into ut.out after `delay_seconds`.
  void ReportGameFolder(int delay_seconds = 0) const;

  // get-loc.bat leaves exactly `bytes` as ut.out (through a rename), then runs `after`.
  void ReportLocationBytes(std::string_view bytes, std::string_view after = {}) const;

  // Makes `batch` (relative to the program folder) leave `content` as the result file
  // `result_file` in the program folder after `delay_seconds`, through a temporary file that
  // is renamed into place, and keep running `linger_seconds` more.
  void WriteResultBatch(std::wstring_view batch, std::wstring_view result_file,
                        std::string_view content, int delay_seconds = 0,
                        int linger_seconds = 0) const;

  // The lines of starts.log: "<batch file name> <parameters> | <current folder>".
  std::vector<std::string> Starts() const;

 private:
  ScratchFolder folder_;
  std::wstring game_dir_;
};

// The program's path as an ANSI text for a batch file.
std::string Ansi(std::wstring_view text);

// The main window's controls, found by class and caption.
struct MainWindow {
  HWND window = nullptr;
  HWND cpu = nullptr, high = nullptr, low = nullptr;
  HWND combo = nullptr, text = nullptr, banner = nullptr;

  bool TestsEnabled() const;
  bool TestsDisabled() const;
  // Picks an entry of the resolution list with the arrow keys, as a user does.
  void ChooseResolution(std::wstring_view entry) const;
};

class RunningProgram {
 public:
  // Starts `exe` with `current_folder` as its current folder (not the program folder, so
  // that nothing depends on it by accident).
  explicit RunningProgram(const std::wstring& exe, const std::wstring& current_folder = L"C:\\",
                          const std::wstring& extra_environment = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  DWORD pid() const { return pid_; }
  HANDLE process() const { return process_; }
  bool WaitForExit(Milliseconds timeout) const;
  bool HasExited() const { return WaitForExit(0ms); }

  // The visible top-level windows of the process.
  std::vector<HWND> Windows() const;
  // The visible top-level window with exactly this caption, waiting up to `timeout`.
  HWND WaitForWindow(std::wstring_view caption, Milliseconds timeout = 10s) const;
  HWND FindWindowByCaption(std::wstring_view caption) const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

class RunningProgram;
MainWindow FindMainWindow(const RunningProgram& program);

// A message box the program shows: its title and its text.
struct SeenMessageBox {
  HWND hwnd = nullptr;
  std::wstring title;
  std::wstring text;
};
std::optional<SeenMessageBox> WaitForMessageBox(const RunningProgram& program,
                                                Milliseconds timeout = 10s);
// Presses its OK button.
void DismissMessageBox(const SeenMessageBox& box);

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
// The first child of `parent` of this class (and caption, when given).
HWND FindChild(HWND parent, std::wstring_view class_name,
               std::optional<std::wstring_view> text = {});
std::vector<HWND> ChildrenOfClass(HWND parent, std::wstring_view class_name);
std::vector<std::wstring> ComboEntries(HWND combo);
std::wstring ComboSelection(HWND combo);
std::vector<std::wstring> ListRows(HWND list);
SIZE ClientSize(HWND window);
bool IsEnabled(HWND window);
// The control that has the keyboard focus in the window's thread.
HWND FocusedControl(HWND window);

// Clicks a button as the mouse would, without waiting for what the click starts.
void Click(HWND button);

// The text on the clipboard, or nothing.
std::optional<std::wstring> ClipboardText();

// Brings `window` to the front and types: a key is a virtual-key code, a chord a list of
// them held together (e.g. {VK_MENU, 'F'}).
void PressKeys(HWND window, std::initializer_list<std::vector<WORD>> chords);

// Opens the window's menu with Alt and `menu_key`, as a user would, and tells whether its first
// item (selected, as the keyboard leaves it) is drawn greyed out; closes the menu again.
// Nothing when no menu opened.
std::optional<bool> FirstMenuItemGreyed(const RunningProgram& program, HWND window, WORD menu_key);

}  // namespace quorvath::testing
