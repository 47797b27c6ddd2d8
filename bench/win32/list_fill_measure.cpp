// Measures, side by side in one run, how long the High Quality result window takes to read
// an "All Resolutions" result file of 32,766 groups and list its 98,298 rows, against a bare
// program adding the same 98,298 strings to a list box with drawing suspended.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/win_system.h"
#include "results/fps_reader.h"
#include "results/result_rows.h"
#include "ui/result_form.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kGroups = 32766;

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  std::wstring folder = std::wstring(temp) + L"quorvath-list-fill\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void WriteResultFile(const std::wstring& path) {
  std::string text;
  for (int i = 0; i < kGroups; ++i) {
    const std::string n = std::to_string(i % 997);
    text += "Level-" + n + "\r\n" + n + ".25 / " + n + "7.50 / " + n + "99.75 fps\r\n";
    text += "Frames 4821\r\nSeconds 61.2\r\n";
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

double Milliseconds(Clock::time_point begin) {
  return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
}

// The bare program: a window with a plain list box, strings added with drawing suspended.
double BareFill(const std::vector<std::wstring>& rows) {
  HWND window = CreateWindowExW(0, WC_DIALOG, L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600,
                                300, nullptr, nullptr, nullptr, nullptr);
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 8, 8, 553,
                              204, window, nullptr, nullptr, nullptr);
  Pump();
  const auto begin = Clock::now();
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (const std::wstring& row : rows) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  const double ms = Milliseconds(begin);
  DestroyWindow(window);
  Pump();
  return ms;
}

// The program: the file read as a test's last tick reads it, and the High Quality result window
// listing it.
double ProgramFill(const std::wstring& path, std::size_t* rows_listed) {
  quorvath::ResultForm form(quorvath::TestKind::kHigh);
  const auto begin = Clock::now();
  form.ShowResults(quorvath::ReadFpsFile(path), path, {L"All Resolutions", {}, 0});
  UpdateWindow(form.hwnd());
  const double ms = Milliseconds(begin);
  const HWND list = FindWindowExW(form.hwnd(), nullptr, WC_LISTBOXW, nullptr);
  *rows_listed = static_cast<std::size_t>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  form.Close();
  Pump();
  return ms;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  quorvath::LoadCommonControls();

  const std::wstring folder = TempFolder();
  const std::wstring path = folder + L"HQ_FPS.txt";
  WriteResultFile(path);
  const std::vector<std::wstring> rows = quorvath::ResultRows(
      quorvath::ReadFpsFile(path).records, quorvath::RowLayout::kResolutionCaptions);

  std::vector<double> bare, program;
  std::size_t listed = 0;
  for (int run = 0; run < 5; ++run) {
    bare.push_back(BareFill(rows));
    program.push_back(ProgramFill(path, &listed));
  }
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());

  const double ratio = Median(program) / Median(bare);
  std::printf("%d groups, %zu rows listed (%zu expected), median of 5 runs each:\n", kGroups,
              listed, rows.size());
  std::printf("  bare list box, %zu strings added   %8.1f ms\n", rows.size(), Median(bare));
  std::printf("  result window: read and listed      %8.1f ms\n", Median(program));
  std::printf("  ratio                               %8.2f (limit 1.50)\n", ratio);
  const bool ok = ratio <= 1.5 && listed == rows.size() && rows.size() == 3u * kGroups;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
