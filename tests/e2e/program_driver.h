// Driving quorvath.exe as a user would: a scratch program folder laid out like a kit with
// scripted batch files, the running program and its main window, list rows, keys and menus.
#pragma once

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include <shlobj.h>

#include "test_support.h"

namespace quorvath::testing {

// Events come within this; a fixed wait only shows that something does not happen in a tick.
inline bool Eventually(const std::function<bool()>& condition) { return WaitUntil(condition, 30s); }
inline void OneTick() { std::this_thread::sleep_for(6500ms); }  // the program polls every 5 s
inline LRESULT Send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 30000, &result);
  return static_cast<LRESULT>(result);
}
inline std::wstring BuiltFile(std::wstring_view name) {  // beside the test program
  wchar_t self[MAX_PATH * 4] = {};
  const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH * 4));
  return path.substr(0, path.find_last_of(L'\\') + 1) + std::wstring(name);
}

// `count` result groups of four levels in turn, as a benchmark leaves them, and their rows.
inline std::string ResultFile(int count) {
  constexpr const char* kLevels[] = {
      "Cinder Keep\r\n24.22 / 41.06 / 70.62", "Frostmere\r\n9.5 / 12.75 / 19",
      "Ashen Docks\r\n1234.56789 / 0.5 / 77.7", "Ironreach Gate\r\n18.06 / 33.33 / 61.18"};
  std::string text;
  for (int i = 0; i < count; ++i) text += kLevels[i % 4] + std::string(" fps\r\n1300\r\n32.9\r\n");
  return text;
}
inline const std::wstring kRows[4] = {L"Cinder Keep   \t24.22     \t41.06     \t70.62     ",
                                      L"Frostmere     \t9.5       \t12.75     \t19        ",
                                      L"Ashen Docks   \t1234.56789\t0.5       \t77.7      ",
                                      L"Ironreach Gate\t18.06     \t33.33     \t61.18     "};

// quorvath.exe with the required files of a kit, whose batch files first log their start in
// starts.log ("<name> <parameters> | <current folder>"), and a game folder for get-loc.bat.
struct ProgramFolder : ScratchFolder {
  explicit ProgramFolder(std::wstring_view hint = L"Quorvath program")
      : ScratchFolder(hint), game_dir(*this / L"Games\\Alpha Game") {
    if (!CopyFileW(BuiltFile(L"quorvath.exe").c_str(), exe().c_str(), FALSE)) {
      throw std::runtime_error("quorvath.exe is not beside the test program");
    }
    for (const std::wstring ini : {L"CPU Test\\CPU_LowDetail", L"High Quality\\Custom_MaxDetail",
                                   L"Low Quality\\Custom_MinDetail"}) {
      WriteFileBytes(*this / (ini + L".ini"), "[Benchmark]\r\n" + Ansi(ini) + "\r\n");
    }
    for (const std::wstring end : {L"1024", L"1280", L"1600"}) {
      WriteBatch(L"High Quality\\hq-flyby-benchmark_" + end + L".bat", "");
      WriteBatch(L"Low Quality\\lq-flyby-benchmark_" + end + L".bat", "");
    }
    WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat", "");
    ReportLocation();
    CreateFolders(game_dir);
  }
  std::wstring exe() const { return *this / L"quorvath.exe"; }
  // ANSI with CR LF line ends; with `wait_for_go`, `body` runs once the test calls Go().
  void WriteBatch(std::wstring_view name, std::string_view body, bool wait_for_go = false) const {
    std::string script = "@echo off\n>>\"%~dp0..\\starts.log\" echo %~nx0 %* ^| %CD%\n", lines;
    if (wait_for_go) {
      script +=
          ":wait\nif exist \"%~dp0..\\go\" goto go\nping -n 2 127.0.0.1 >nul\ngoto wait\n"
          ":go\ndel \"%~dp0..\\go\"\n";
    }
    for (const char c : script + std::string(body)) lines += c == '\n' ? "\r\n" : std::string{c};
    WriteFileBytes(*this / name, lines);
  }
  void Go() const {  // in one step, so that the batch file can delete it at once
    WriteFileBytes(*this / L"go.tmp", "");
    MoveFileW((*this / L"go.tmp").c_str(), (*this / L"go").c_str());
  }
  // get-loc.bat renames `bytes` (by default the game folder) into ut.out, then runs `after`.
  void ReportLocation(std::optional<std::string> bytes = {}, std::string_view after = {}) const {
    WriteFileBytes(*this / L"fixtures\\ut.out", bytes.value_or(Ansi(game_dir) + "\r\n"));
    WriteBatch(L"CPU Test\\get-loc.bat",
               "copy /y \"%~dp0..\\fixtures\\ut.out\" \"%~dp0..\\ut.tmp\"\n"
               "move /y \"%~dp0..\\ut.tmp\" \"%~dp0..\\ut.out\"\n" +
                   std::string(after));
  }
  // `batch` writes `content` afresh, as a benchmark would, and renames it to its test's result
  // file by the batch file's folder: CPU_Test_FPS.txt, HQ_FPS.txt (High) or LQ_FPS.txt (Low).
  void WriteResultBatch(std::wstring_view batch, std::string_view content, bool go = false) const {
    const std::wstring fixture = L"fixtures\\" + std::wstring(batch.substr(batch.find('\\') + 1));
    const std::string to =
        "\"%~dp0..\\" + (batch[0] == 'C' ? "CPU_Test" : Ansi(batch.substr(0, 1)) + "Q");
    WriteFileBytes(*this / fixture, content);
    WriteBatch(batch,
               "type \"%~dp0..\\" + Ansi(fixture) + "\" >" + to + "_FPS.tmp\"\nmove /y " + to +
                   "_FPS.tmp\" " + to + "_FPS.txt\"\n",
               go);
  }
  // starts.log, and the line of it for `batch` started with "1" in the program folder.
  std::string Starts() const { return ReadFileBytes(*this / L"starts.log"); }
  std::string StartedHere(std::string_view batch) const {
    return std::string(batch) + " 1 | " + Ansi(path().substr(0, path().size() - 1)) + "\r\n";
  }
  std::wstring game_dir;  // without a trailing backslash
};

// Every item of a combo box or list box, through its count, length and text messages.
inline std::vector<std::wstring> Items(HWND control, UINT count, UINT length, UINT text) {
  std::vector<std::wstring> items;
  for (LRESULT i = 0, n = Send(control, count); i < n; ++i) {
    std::wstring item(static_cast<std::size_t>(Send(control, length, i)) + 1, L'\0');
    Send(control, text, i, reinterpret_cast<LPARAM>(item.data()));
    items.push_back(item.c_str());
  }
  return items;
}
inline std::vector<std::wstring> ListRows(HWND result_window) {
  return Items(FindChild(result_window, L"ListBox"), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

// A running program, ended with the test, and for quorvath.exe its main window's controls.
struct Program {
  Program() = default;
  Program(const Program&) = delete;
  ~Program() {
    if (process && !WaitForExit(0ms)) TerminateProcess(process, 1);
    if (process && WaitForExit()) CloseHandle(process);
  }
  // Started from another current folder than its own, so that nothing depends on that.
  void Launch(const std::wstring& exe, const std::wstring& current_folder = L"C:\\") {
    std::wstring command_line = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        current_folder.c_str(), &startup, &info)) {
      throw std::runtime_error("cannot start the program");
    }
    CloseHandle(info.hThread);
    process = info.hProcess;
    pid = info.dwProcessId;
  }
  // Finds the main window's controls and, when `ready`, waits until the tests are available.
  bool FindMainWindow(bool ready = true) {
    window = Window(L"Quorvath");
    cpu = FindChild(window, L"Button", L"CPU Test");
    high = FindChild(window, L"Button", L"High Quality");
    low = FindChild(window, L"Button", L"Low Quality");
    combo = FindChild(window, L"ComboBox");
    text = FindChild(window, L"Edit");
    banner = FindChild(window, L"QuorvathPicture");
    return banner && low && (!ready || Eventually([&] { return TestsEnabled(); }));
  }
  bool WaitForExit(Milliseconds timeout = 30s) const {
    return WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
  }
  std::optional<SeenMessageBox> Message(Milliseconds timeout = 30s) const {
    return WaitForMessageBox(pid, timeout);
  }
  HWND Window(std::wstring_view caption, Milliseconds timeout = 30s) const {
    std::vector<HWND> found;
    WaitUntil(
        [&] {
          found = WindowsOf(pid);
          std::erase_if(found, [&](HWND w) { return WindowText(w) != caption; });
          return !found.empty();
        },
        timeout);
    return found.empty() ? nullptr : found.back();
  }
  bool TestsEnabled() const {
    return IsWindowEnabled(cpu) && IsWindowEnabled(high) && IsWindowEnabled(low);
  }
  bool TestsDisabled() const {
    return !IsWindowEnabled(cpu) && !IsWindowEnabled(high) && !IsWindowEnabled(low);
  }
  // Clicks, and waits until the tests are unavailable. The main window is brought to the front
  // first, as a mouse click would: a click on a button of an inactive dialog can be lost while
  // the activation moves the focus back to the control that had it.
  bool Press(HWND button) const {
    SetForegroundWindow(window);
    WaitUntil([&] { return GetForegroundWindow() == window; }, 5s, 20ms);
    Click(button);
    return Eventually([&] { return TestsDisabled(); });
  }
  // Runs, Label for New Runs: types `label` and presses Enter.
  bool GiveLabel(const wchar_t* label) const;
  void ChooseResolution(std::wstring_view entry) const {  // with the arrow keys: up, then down
    for (int key = 0; key < 8 && WindowText(combo) != entry; ++key) {
      Send(combo, WM_KEYDOWN, key < 4 ? VK_UP : VK_DOWN);
    }
  }
  HANDLE process = nullptr;
  DWORD pid = 0;
  HWND window = nullptr, cpu = nullptr, high = nullptr, low = nullptr, combo = nullptr,
       text = nullptr, banner = nullptr;
};

// quorvath.exe running in a program folder of its own.
struct Session : ProgramFolder, Program {
  using ProgramFolder::ProgramFolder;
  bool Start(bool ready = true, const std::wstring& current_folder = L"C:\\") {
    Launch(exe(), current_folder);
    return FindMainWindow(ready);
  }
};

inline std::vector<int> ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}
inline std::vector<int> PlaceOf(HWND child) {  // left, top, width, height in the parent
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
inline std::vector<int> Px(std::vector<int> twips) {  // at the screen's DPI
  const HDC screen = GetDC(nullptr);
  for (int& t : twips) t = MulDiv(t, GetDeviceCaps(screen, LOGPIXELSX), 1440);
  ReleaseDC(nullptr, screen);
  return twips;
}
inline HWND FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// Brings `window` to the front and types: the keys of a chord are held together. After Alt and
// a letter, the next key waits until the menu is open, however slow the machine.
inline void PressKeys(HWND window, std::initializer_list<std::vector<WORD>> chords) {
  SetForegroundWindow(window);
  WaitUntil([&] { return GetForegroundWindow() == window; }, 5s, 20ms);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  for (const std::vector<WORD>& chord : chords) {
    for (const WORD key : chord) keybd_event(static_cast<BYTE>(key), 0, 0, 0);
    for (auto key = chord.rbegin(); key != chord.rend(); ++key) {
      keybd_event(static_cast<BYTE>(*key), 0, KEYEVENTF_KEYUP, 0);
    }
    std::this_thread::sleep_for(150ms);
    if (chord.size() == 2 && chord[0] == VK_MENU) {
      WaitUntil(
          [&] {
            const std::vector<HWND> windows = WindowsOf(pid);
            return std::any_of(windows.begin(), windows.end(),
                               [](HWND w) { return ClassOf(w) == L"#32768"; });
          },
          30s);
    }
  }
}

// File, Stop Waiting (Alt+F W), until the tests are available again. Under a heavy load Wine
// has been seen to lose the keys of a menu; the command does nothing when nothing waits, so
// typing it once more is harmless.
inline bool StopWaiting(const Program& program) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    PressKeys(program.window, {{VK_MENU, 'F'}, {'W'}});
    if (WaitUntil([&] { return program.TestsEnabled(); }, 30s)) return true;
    PressKeys(program.window, {{VK_ESCAPE}, {VK_ESCAPE}});
  }
  return false;
}

inline bool Program::GiveLabel(const wchar_t* label) const {
  PressKeys(window, {{VK_MENU, 'R'}, {'L'}});
  const HWND dialog = Window(L"Label for New Runs");
  if (dialog == nullptr) return false;
  SetWindowTextW(FindChild(dialog, L"Edit"), label);
  PressKeys(dialog, {{VK_RETURN}});
  return Eventually([&] { return !IsWindow(dialog); });
}

// Opens the main window's menu with Alt and `menu_key`, tells whether its first item is drawn
// greyed, and closes it. Opened from the keyboard, the menu shows its first item selected: a bar
// in the highlight colour across its top, on which a greyed item's text is grey.
inline std::optional<bool> FirstMenuItemGreyed(const Program& program, WORD menu_key) {
  PressKeys(program.window, {{VK_MENU, menu_key}});
  std::optional<bool> greyed;
  Eventually([&] {
    for (const HWND menu : WindowsOf(program.pid)) {
      RECT r{};
      if (ClassOf(menu) != L"#32768" || !GetWindowRect(menu, &r)) continue;
      const HDC screen = GetDC(nullptr);
      bool bar = false, grey = false;  // above the separator, inside the frame, which is grey too
      for (LONG y = r.top + 3; y < r.top + (r.bottom - r.top) * 2 / 5; ++y) {
        for (LONG x = r.left + 3; x < r.right - 3; ++x) {
          const COLORREF c = GetPixel(screen, x, y);
          bar |= c == GetSysColor(COLOR_HIGHLIGHT);
          grey |= c == RGB(128, 128, 128) || c == GetSysColor(COLOR_GRAYTEXT) ||
                  c == GetSysColor(COLOR_BTNSHADOW);
        }
      }
      ReleaseDC(nullptr, screen);
      if (bar) greyed = grey;
    }
    return greyed.has_value();
  });
  if (greyed) PressKeys(program.window, {{VK_ESCAPE}, {VK_ESCAPE}});
  // Closed before anything else is typed: the next Alt and letter must not find it still open.
  Eventually([&] {
    const std::vector<HWND> windows = WindowsOf(program.pid);
    return std::none_of(windows.begin(), windows.end(),
                        [](HWND w) { return ClassOf(w) == L"#32768"; });
  });
  return greyed;
}

// The history of runs the program keeps in the Documents folder, and the clipboard's text.
inline std::wstring ResultsFolder() {
  PWSTR documents = nullptr;
  SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &documents);
  const std::wstring folder = std::wstring(documents) + L"\\Quorvath\\Results";
  CoTaskMemFree(documents);
  return folder;
}
inline std::vector<std::wstring> SavedRuns() {  // their names, sorted
  std::vector<std::wstring> names;
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(ResultsFolder(), missing)) {
    names.push_back(entry.path().filename().wstring());
  }
  std::sort(names.begin(), names.end());
  return names;
}
inline std::optional<std::wstring> ClipboardText() {
  std::optional<std::wstring> copied;
  if (!OpenClipboard(nullptr)) return copied;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) copied = text;
  GlobalUnlock(data);
  CloseClipboard();
  return copied;
}

// Wine's setting `name` for every program called `exe`, under `subkey`, while it lives.
struct ScopedWineSetting : ScopedRegistryValue {
  ScopedWineSetting(const wchar_t* subkey, const wchar_t* name, const char* value,
                    const std::wstring& exe = L"quorvath.exe")
      : ScopedRegistryValue(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\" + exe + subkey,
                            name) {
    if (!SetString(value)) throw std::runtime_error("cannot write Wine's program settings");
  }
};

}  // namespace quorvath::testing
