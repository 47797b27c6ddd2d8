// Takes the README's screenshots: starts quorvath.exe in a program folder laid out with the
// demo kit, runs tests, opens the About dialog, and saves each window, frame included, as a
// BMP file.
//   take_screenshots <program folder> <output folder>
#include <windows.h>

#include <cstdio>
#include <string>

#include "program_driver.h"

namespace {

using namespace quorvath::testing;

// The screen's pixels inside `frame`.
bool SaveScreen(RECT frame, const std::wstring& path) {
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  SelectObject(memory, old);
  const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
  const DWORD image_size = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + image_size;
  bool saved = false;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    saved = WriteFile(file, &header, sizeof header, &written, nullptr) &&
            WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
            WriteFile(file, bits, image_size, &written, nullptr);
    CloseHandle(file);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  std::printf("%s %ls (%d x %d)\n", saved ? "saved" : "FAILED", path.c_str(), width, height);
  return saved;
}

bool SaveWindow(HWND window, const std::wstring& path) {
  SetForegroundWindow(window);
  Sleep(600);  // the window settles and repaints
  RECT frame{};
  GetWindowRect(window, &frame);
  return SaveScreen(frame, path);
}

// The main window with the menu of Alt and `key` open.
bool SaveOpenMenu(const Program& main, WORD key, const std::wstring& path) {
  PressKeys(main.window, {{VK_MENU, key}});
  HWND menu = nullptr;
  WaitUntil(
      [&] {
        for (const HWND window : WindowsOf(main.pid)) {
          if (ClassOf(window) == L"#32768") menu = window;
        }
        return menu != nullptr;
      },
      30s);
  Sleep(600);
  RECT frame{}, menu_frame{};
  GetWindowRect(main.window, &frame);
  if (menu != nullptr && GetWindowRect(menu, &menu_frame)) UnionRect(&frame, &frame, &menu_frame);
  const bool saved = menu != nullptr && SaveScreen(frame, path);
  PressKeys(main.window, {{VK_ESCAPE}, {VK_ESCAPE}});
  return saved;
}

// The main window with its File menu open while a test waits for its result.
bool SaveFileMenuDuringRun(const Program& main, const std::wstring& path) {
  Click(main.cpu);
  WaitUntil([&] { return main.TestsDisabled(); }, 30s);
  return SaveOpenMenu(main, 'F', path);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: take_screenshots <program folder> <output folder>\n");
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\') folder += L'\\';
  std::wstring out = argv[2];
  if (out.back() != L'\\') out += L'\\';

  Program main;
  main.Launch(folder + L"quorvath.exe", folder);
  if (!main.FindMainWindow()) return 1;
  bool ok = SaveWindow(main.window, out + L"main-window.bmp");

  ok = SaveFileMenuDuringRun(main, out + L"file-menu.bmp") && ok;
  HWND window = main.Window(L"CPU Test Results", 30s);
  ok = window != nullptr && SaveWindow(window, out + L"cpu-results.bmp") && ok;

  WaitUntil([&] { return main.TestsEnabled(); }, 5s);
  Click(main.high);
  window = main.Window(L"High Quality Test Results: All Resolutions", 30s);
  ok = window != nullptr && SaveWindow(window, out + L"high-all-results.bmp") && ok;

  WaitUntil([&] { return main.TestsEnabled(); }, 5s);
  main.ChooseResolution(L"1280 x 1024");
  main.GiveLabel(L"old driver");
  Click(main.low);
  window = main.Window(L"Low Quality Test Results: 1280 x 1024", 30s);
  ok = window != nullptr && SaveWindow(window, out + L"low-1280-results.bmp") && ok;

  // A second Low Quality run at 1280 x 1024, charted against the first.
  WaitUntil([&] { return main.TestsEnabled(); }, 30s);
  main.Press(main.low);
  WaitUntil([&] { return main.TestsEnabled(); }, 30s);
  PressKeys(window, {{VK_MENU, 'V'}, {'C'}});
  const HWND chart = main.Window(L"Low Quality Results Chart: 1280 x 1024", 30s);
  ok = chart != nullptr && SaveWindow(chart, out + L"chart.bmp") && ok;
  if (chart != nullptr) PressKeys(chart, {{VK_ESCAPE}});

  // A third, labelled otherwise; the three in the History window, then charted together.
  main.GiveLabel(L"new driver");
  main.Press(main.low);
  WaitUntil([&] { return main.TestsEnabled(); }, 30s);
  PressKeys(main.window, {{VK_MENU, 'R'}, {'H'}});
  window = main.Window(L"Quorvath History", 30s);
  if (window != nullptr) {
    PressKeys(window, {{VK_HOME}, {VK_SHIFT, VK_DOWN}, {VK_SHIFT, VK_DOWN}});
  }
  ok = window != nullptr && SaveWindow(window, out + L"history.bmp") && ok;
  if (window != nullptr) PressKeys(window, {{VK_RETURN}});
  const HWND runs_chart = main.Window(L"Low Quality Results Chart", 30s);
  ok = runs_chart != nullptr && SaveWindow(runs_chart, out + L"chart-runs.bmp") && ok;

  // Two series of three High Quality runs, the second with the demo game 5 % faster; the last
  // result window's chart compares the two sets.
  main.ChooseResolution(L"1280 x 1024");
  PressKeys(main.window, {{VK_MENU, 'R'}, {'3'}});
  ok = SaveOpenMenu(main, 'R', out + L"runs-menu.bmp") && ok;
  const std::wstring settings = folder + L"High Quality\\Custom_MaxDetail.ini";
  for (const wchar_t* label : {L"old driver", L"new driver"}) {
    main.GiveLabel(label);
    main.Press(main.high);
    WaitUntil([&] { return main.TestsEnabled(); }, 300s);
    std::string ini = ReadFileBytes(settings);
    if (const std::size_t at = ini.find("DemoSpeed=1.00"); at != std::string::npos) {
      WriteFileBytes(settings, ini.replace(at, 14, "DemoSpeed=1.05"));
    }
  }
  window = main.Window(L"High Quality Test Results: 1280 x 1024", 30s);
  if (window != nullptr) PressKeys(window, {{VK_MENU, 'V'}, {'C'}});
  const HWND sets_chart = main.Window(L"High Quality Results Chart: 1280 x 1024", 30s);
  ok = sets_chart != nullptr && SaveWindow(sets_chart, out + L"chart-sets.bmp") && ok;

  PressKeys(main.window, {{VK_MENU, 'H'}, {'A'}});
  window = main.Window(L"About Quorvath", 5s);
  ok = window != nullptr && SaveWindow(window, out + L"about.bmp") && ok;
  return ok ? 0 : 1;
}
