#include "program_driver.h"

#include <algorithm>
#include <stdexcept>

#include <thread>

namespace quorvath::testing {

namespace {

constexpr const char* kRequiredBatchFiles[] = {
    "CPU Test\\cpu-flyby-benchmark.bat",         "High Quality\\hq-flyby-benchmark_1024.bat",
    "High Quality\\hq-flyby-benchmark_1280.bat", "High Quality\\hq-flyby-benchmark_1600.bat",
    "Low Quality\\lq-flyby-benchmark_1024.bat",  "Low Quality\\lq-flyby-benchmark_1280.bat",
    "Low Quality\\lq-flyby-benchmark_1600.bat",
};
constexpr const char* kSettingsFiles[] = {
    "CPU Test\\CPU_LowDetail.ini",
    "High Quality\\Custom_MaxDetail.ini",
    "Low Quality\\Custom_MinDetail.ini",
};

std::wstring Widen(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return wide;
}

// CR LF line ends, as cmd.exe expects them.
std::string WithCrLf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout, Milliseconds step) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(step);
  }
}

std::wstring BuiltFilePath(std::wstring_view relative) {
  wchar_t self[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + std::wstring(relative);
}

std::wstring BuiltProgramPath() { return BuiltFilePath(L"quorvath.exe"); }

std::string Ansi(std::wstring_view text) {
  std::string narrow(text.size() * 2, '\0');
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                          static_cast<int>(narrow.size()), nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return narrow;
}

ProgramFolder::ProgramFolder(std::wstring_view name_hint)
    : folder_(name_hint), game_dir_(folder_ / L"Games\\Alpha Game") {
  if (!CopyFileW(BuiltProgramPath().c_str(), exe().c_str(), FALSE)) {
    throw std::runtime_error("quorvath.exe is not beside the test program");
  }
  for (const char* settings : kSettingsFiles) {
    WriteFileBytes(folder_ / Widen(settings), "[Benchmark]\r\nDetail=Test\r\n");
  }
  for (const char* batch : kRequiredBatchFiles) WriteBatch(Widen(batch), "");
  WriteBatch(L"CPU Test\\get-loc.bat", "");
  CreateFolders(game_dir_);
}

void ProgramFolder::WriteBatch(std::wstring_view relative, std::string_view body) const {
  std::string script =
      "@echo off\n"
      ">>\"%~dp0..\\starts.log\" echo %~nx0 %* ^| %CD%\n";
  script += body;
  WriteFileBytes(folder_ / relative, WithCrLf(script));
}

void ProgramFolder::ReportGameFolder(int delay_seconds) const {
  std::string body;
  if (delay_seconds > 0) {
    body += "ping -n " + std::to_string(delay_seconds + 1) + " 127.0.0.1 >nul\n";
  }
  body += ">\"%~dp0..\\ut.tmp\" echo " + Ansi(game_dir_) + "\n";
  body += "move /y \"%~dp0..\\ut.tmp\" \"%~dp0..\\ut.out\" >nul\n";
  WriteBatch(L"CPU Test\\get-loc.bat", body);
}

void ProgramFolder::ReportLocationBytes(std::string_view bytes, std::string_view after) const {
  WriteFileBytes(folder_ / L"fixtures\\ut.out", bytes);
  std::string body =
      "copy /y \"%~dp0..\\fixtures\\ut.out\" \"%~dp0..\\ut.tmp\" >nul\n"
      "move /y \"%~dp0..\\ut.tmp\" \"%~dp0..\\ut.out\" >nul\n";
  body += after;
  WriteBatch(L"CPU Test\\get-loc.bat", body);
}

void ProgramFolder::WriteResultBatch(std::wstring_view batch, std::wstring_view result_file,
                                     std::string_view content, int delay_seconds,
                                     int linger_seconds) const {
  const std::string name = Ansi(result_file);
  const std::string fixture =
      "fixtures\\" + Ansi(batch.substr(batch.find_last_of(L'\\') + 1)) + "." + name;
  WriteFileBytes(folder_ / Widen(fixture), content);
  std::string body;
  if (delay_seconds > 0) {
    body += "ping -n " + std::to_string(delay_seconds + 1) + " 127.0.0.1 >nul\n";
  }
  // Written afresh on every run, as a benchmark would: a copy would keep the fixture's time.
  body += "type \"%~dp0..\\" + fixture + "\" >\"%~dp0..\\" + name + ".partial\"\n";
  body += "move /y \"%~dp0..\\" + name + ".partial\" \"%~dp0..\\" + name + "\" >nul\n";
  if (linger_seconds > 0) {
    body += "ping -n " + std::to_string(linger_seconds + 1) + " 127.0.0.1 >nul\n";
  }
  WriteBatch(batch, body);
}

std::vector<std::string> ProgramFolder::Starts() const {
  const std::string log = ReadFileBytes(folder_ / L"starts.log");
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < log.size()) {
    std::size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    std::string line = log.substr(start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

RunningProgram::RunningProgram(const std::wstring& exe, const std::wstring& current_folder,
                               const std::wstring& extra_environment) {
  std::wstring command_line = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // This process's environment, plus "NAME=value" of `extra_environment` when given.
  std::wstring environment;
  if (!extra_environment.empty()) {
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
      environment.append(entry);
      environment.push_back(L'\0');
    }
    FreeEnvironmentStringsW(block);
    environment += extra_environment;
    environment.push_back(L'\0');
    environment.push_back(L'\0');
  }
  if (!CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT,
                      environment.empty() ? nullptr : environment.data(), current_folder.c_str(),
                      &startup, &info)) {
    throw std::runtime_error("cannot start quorvath.exe");
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  pid_ = info.dwProcessId;
}

RunningProgram::~RunningProgram() {
  if (!HasExited()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool RunningProgram::WaitForExit(Milliseconds timeout) const {
  return WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::vector<HWND> RunningProgram::Windows() const {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid_, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND RunningProgram::FindWindowByCaption(std::wstring_view caption) const {
  for (const HWND window : Windows()) {
    if (WindowText(window) == caption && ClassOf(window) == L"#32770" &&
        FindChild(window, L"Button", L"OK") == nullptr) {
      return window;
    }
  }
  for (const HWND window : Windows()) {
    if (WindowText(window) == caption) return window;
  }
  return nullptr;
}

HWND RunningProgram::WaitForWindow(std::wstring_view caption, Milliseconds timeout) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowByCaption(caption)) != nullptr; }, timeout);
  return found;
}

bool MainWindow::TestsEnabled() const {
  return IsEnabled(cpu) && IsEnabled(high) && IsEnabled(low);
}

bool MainWindow::TestsDisabled() const {
  return !IsEnabled(cpu) && !IsEnabled(high) && !IsEnabled(low);
}

void MainWindow::ChooseResolution(std::wstring_view entry) const {
  const std::vector<std::wstring> entries = ComboEntries(combo);
  for (std::size_t target = 0; target < entries.size(); ++target) {
    if (entries[target] != entry) continue;
    for (int attempt = 0; attempt < 8 && ComboSelection(combo) != entry; ++attempt) {
      const std::vector<std::wstring> now = ComboEntries(combo);
      const std::wstring current = ComboSelection(combo);
      std::size_t at = 0;
      while (at < now.size() && now[at] != current) ++at;
      const WPARAM key = at < target ? VK_DOWN : VK_UP;
      Send(combo, WM_KEYDOWN, key, 0);
      Send(combo, WM_KEYUP, key, 0xC0000001);
    }
    return;
  }
}

MainWindow FindMainWindow(const RunningProgram& program) {
  MainWindow main;
  main.window = program.WaitForWindow(L"Quorvath");
  if (main.window == nullptr) return main;
  main.cpu = FindChild(main.window, L"Button", L"CPU Test");
  main.high = FindChild(main.window, L"Button", L"High Quality");
  main.low = FindChild(main.window, L"Button", L"Low Quality");
  main.combo = FindChild(main.window, L"ComboBox");
  main.text = FindChild(main.window, L"Edit");
  main.banner = FindChild(main.window, L"QuorvathPicture");
  return main;
}

std::optional<SeenMessageBox> WaitForMessageBox(const RunningProgram& program,
                                                Milliseconds timeout) {
  std::optional<SeenMessageBox> seen;
  WaitUntil(
      [&] {
        for (const HWND window : program.Windows()) {
          if (ClassOf(window) != L"#32770") continue;
          const HWND ok = FindChild(window, L"Button", L"OK");
          if (ok == nullptr) continue;
          bool only_text_and_buttons = true;
          std::wstring text;
          for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
               child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring kind = ClassOf(child);
            if (kind == L"Static") {
              const std::wstring static_text = WindowText(child);
              if (static_text.size() > text.size()) text = static_text;
            } else if (kind != L"Button") {
              only_text_and_buttons = false;
            }
          }
          if (!only_text_and_buttons) continue;
          seen = SeenMessageBox{window, WindowText(window), text};
          return true;
        }
        return false;
      },
      timeout);
  return seen;
}

void DismissMessageBox(const SeenMessageBox& box) {
  if (const HWND ok = FindChild(box.hwnd, L"Button", L"OK")) Click(ok);
}

std::wstring WindowText(HWND window) {
  const LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::vector<HWND> ChildrenOfClass(HWND parent, std::wstring_view class_name) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == class_name) found.push_back(child);
  }
  return found;
}

HWND FindChild(HWND parent, std::wstring_view class_name, std::optional<std::wstring_view> text) {
  for (const HWND child : ChildrenOfClass(parent, class_name)) {
    if (!text || WindowText(child) == *text) return child;
  }
  return nullptr;
}

// Every item text of a combo box or list box, read with the control's count, length and text
// messages.
std::vector<std::wstring> ItemTexts(HWND control, UINT count_message, UINT length_message,
                                    UINT text_message) {
  std::vector<std::wstring> items;
  const LRESULT count = Send(control, count_message, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Send(control, length_message, static_cast<WPARAM>(i), 0);
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    Send(control, text_message, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    items.push_back(item);
  }
  return items;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
  return ItemTexts(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::wstring ComboSelection(HWND combo) {
  const LRESULT selected = Send(combo, CB_GETCURSEL, 0, 0);
  if (selected < 0) return {};
  return ComboEntries(combo).at(static_cast<std::size_t>(selected));
}

std::vector<std::wstring> ListRows(HWND list) {
  return ItemTexts(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

HWND FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

std::optional<std::wstring> ClipboardText() {
  std::optional<std::wstring> text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void PressKeys(HWND window, std::initializer_list<std::vector<WORD>> chords) {
  SetForegroundWindow(window);
  WaitUntil([&] { return GetForegroundWindow() == window; }, 2s, 20ms);
  for (const std::vector<WORD>& chord : chords) {
    std::vector<INPUT> inputs;
    for (const WORD key : chord) {
      INPUT down{};
      down.type = INPUT_KEYBOARD;
      down.ki.wVk = key;
      inputs.push_back(down);
    }
    for (auto key = chord.rbegin(); key != chord.rend(); ++key) {
      INPUT up{};
      up.type = INPUT_KEYBOARD;
      up.ki.wVk = *key;
      up.ki.dwFlags = KEYEVENTF_KEYUP;
      inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    std::this_thread::sleep_for(150ms);
  }
}

std::optional<bool> FirstMenuItemGreyed(const RunningProgram& program, HWND window, WORD menu_key) {
  PressKeys(window, {{VK_MENU, menu_key}});
  HWND popup = nullptr;
  WaitUntil(
      [&] {
        for (const HWND candidate : program.Windows()) {
          if (ClassOf(candidate) == L"#32768") popup = candidate;
        }
        return popup != nullptr;
      },
      30s);
  if (popup == nullptr) return std::nullopt;
  // Opened from the keyboard, the menu shows its first item selected: a bar in the
  // highlight colour across the top of the menu, above the separator. A greyed item's text
  // is drawn on it in grey.
  RECT frame{};
  GetWindowRect(popup, &frame);
  const int bottom = frame.top + (frame.bottom - frame.top) * 2 / 5;
  InflateRect(&frame, -3, -3);  // the menu's frame, drawn in grey too
  const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF greys[] = {RGB(128, 128, 128), GetSysColor(COLOR_GRAYTEXT),
                            GetSysColor(COLOR_BTNSHADOW)};
  std::optional<bool> greyed;
  WaitUntil(
      [&] {
        // The screen's pixels, copied in one step.
        const int width = frame.right - frame.left, height = bottom - frame.top;
        if (width <= 0 || height <= 0) return false;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HDC screen = GetDC(nullptr);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP copy = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
        GdiFlush();
        int bar_pixels = 0, grey_pixels = 0;
        const auto* pixels = static_cast<const DWORD*>(bits);
        for (int i = 0; i < width * height; ++i) {
          const DWORD p = pixels[i];
          const COLORREF colour = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
          if (colour == bar) ++bar_pixels;
          if (std::find(std::begin(greys), std::end(greys), colour) != std::end(greys))
            ++grey_pixels;
        }
        SelectObject(memory, old);
        DeleteObject(copy);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        if (bar_pixels > 0) greyed = grey_pixels > 0;
        return greyed.has_value();
      },
      30s, 200ms);
  PressKeys(window, {{VK_ESCAPE}, {VK_ESCAPE}});
  return greyed;
}

}  // namespace quorvath::testing
