// Measures, side by side in one run, how long quorvath.exe takes from its start to its main
// window on screen against a program that only shows a window, and how much processor time
// quorvath.exe uses while it waits between its timer ticks.
//   startup_measure <program folder holding quorvath.exe and a kit> [rounds]
//
// Under Wine one start-up varies by a good part of itself from one start to the next, and
// drifts with whatever else the machine does; a ratio of two medians taken minutes apart
// inherits both. So each round starts quorvath.exe and its yardstick one right after the
// other, in turns first, and the figure is the median of the rounds' ratios, printed with its
// spread. Every start runs in a job of its own, and the next start waits until all that the
// last one started (the location batch file, its console) has ended.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/main_form.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kRatioLimit = 1.45;

// The main window's Runs, Run Each Test 3 Times, and its High Quality button.
constexpr WPARAM kRunThreeTimes = quorvath::MainForm::mnu_runs_once + 1;
constexpr int kHighQualityButton = quorvath::MainForm::cmd_high;

// The windows that the program being timed creates, as Wine reports them: looking at these
// few alone keeps the look from loading the Wine server, which the program needs to start.
DWORD watched_pid = 0;
std::vector<HWND> created_windows;

void CALLBACK OnWindowCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
  if (object != OBJID_WINDOW || window == nullptr) return;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == watched_pid && GetAncestor(window, GA_PARENT) == GetDesktopWindow()) {
    created_windows.push_back(window);
  }
}

bool Shows(HWND window, const wchar_t* caption) {
  // InternalGetWindowText reads the caption without sending the window a message, so the look
  // does not wait for the program being measured.
  wchar_t text[64] = {};
  return IsWindowVisible(window) && InternalGetWindowText(window, text, 64) > 0 &&
         wcscmp(text, caption) == 0;
}

// Without the creation events every top-level window has to be looked at.
struct Search {
  DWORD pid;
  const wchar_t* caption;
  bool found;
};

bool AnyWindowShown(DWORD pid, const wchar_t* caption) {
  Search search{pid, caption, false};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && Shows(window, s->caption)) {
          s->found = true;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits up to a millisecond for a creation event, then looks whether the window is on screen.
bool WindowShown(DWORD pid, const wchar_t* caption, bool events) {
  if (!events) {
    Sleep(1);
    return AnyWindowShown(pid, caption);
  }
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  return std::any_of(created_windows.begin(), created_windows.end(),
                     [caption](HWND window) { return Shows(window, caption); });
}

// A started program and, through its job, every process it starts in turn.
struct Started {
  PROCESS_INFORMATION info{};
  HANDLE job = nullptr;
};

DWORD ProcessesIn(HANDLE job) {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
  if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting,
                                 sizeof accounting, nullptr)) {
    return 0;
  }
  return accounting.ActiveProcesses;
}

Started Start(const std::wstring& exe, const std::wstring& folder) {
  Started started;
  started.job = CreateJobObjectW(nullptr, nullptr);
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // Suspended until it is in its job, so that nothing it starts escapes the job.
  if (started.job == nullptr ||
      !CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, folder.c_str(), &startup, &started.info) ||
      !AssignProcessToJobObject(started.job, started.info.hProcess)) {
    std::fprintf(stderr, "cannot start %ls in a job\n", exe.c_str());
    std::exit(2);
  }
  watched_pid = started.info.dwProcessId;
  created_windows.clear();
  ResumeThread(started.info.hThread);
  return started;
}

// Waits until the program is idle and what it started has ended, then ends it, so that the
// next start is timed on a machine where nothing of this one still runs.
void Stop(Started& started) {
  WaitForInputIdle(started.info.hProcess, 5000);
  const auto begin = Clock::now();
  while (ProcessesIn(started.job) > 1 && Clock::now() - begin < std::chrono::seconds(10)) {
    Sleep(10);
  }
  TerminateJobObject(started.job, 0);
  WaitForSingleObject(started.info.hProcess, 5000);
  while (ProcessesIn(started.job) > 0 && Clock::now() - begin < std::chrono::seconds(15)) {
    Sleep(10);
  }
  CloseHandle(started.info.hThread);
  CloseHandle(started.info.hProcess);
  CloseHandle(started.job);
  Sleep(200);  // the X server and the Wine server finish with the windows just gone
}

// Milliseconds from the start of `exe` to its window `caption` on screen.
double TimeToWindow(const std::wstring& exe, const std::wstring& folder, const wchar_t* caption,
                    bool events) {
  const auto begin = Clock::now();
  Started started = Start(exe, folder);
  while (!WindowShown(started.info.dwProcessId, caption, events)) {
    if (Clock::now() - begin > std::chrono::seconds(20)) {
      std::fprintf(stderr, "no window from %ls\n", exe.c_str());
      std::exit(2);
    }
  }
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
  Stop(started);
  return ms;
}

// The value below which `fraction` of `values` lie, between neighbours linearly.
double Quantile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const double at = fraction * static_cast<double>(values.size() - 1);
  const auto below = static_cast<std::size_t>(at);
  if (below + 1 >= values.size()) return values.back();
  return values[below] + (at - static_cast<double>(below)) * (values[below + 1] - values[below]);
}

double Median(const std::vector<double>& values) { return Quantile(values, 0.5); }

void PrintSpread(const char* name, const std::vector<double>& values, const char* unit) {
  std::printf("  %-44s median %7.2f%s  quartiles %7.2f .. %-7.2f  min %7.2f  max %7.2f\n", name,
              Median(values), unit, Quantile(values, 0.25), Quantile(values, 0.75),
              *std::min_element(values.begin(), values.end()),
              *std::max_element(values.begin(), values.end()));
}

double CpuMilliseconds(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// Between the runs of a series of three High Quality runs (the program folder's
// "hq-flyby-benchmark_All .bat" leaves its result at once): the processor time of the 8 s
// from a second after the first result is on screen, inside the 10 s before the next run.
double BetweenRunsOfASeries(const std::wstring& quorvath, const std::wstring& folder, bool events) {
  Started started = Start(quorvath, folder);
  while (!WindowShown(started.info.dwProcessId, L"Quorvath", events)) Sleep(10);
  const HWND main = FindWindowW(nullptr, L"Quorvath");
  const HWND high = FindWindowExW(main, nullptr, L"Button", L"High Quality");
  while (!IsWindowEnabled(high)) Sleep(10);  // the game's folder is known
  PostMessageW(main, WM_COMMAND, kRunThreeTimes, 0);
  PostMessageW(main, WM_COMMAND, MAKEWPARAM(kHighQualityButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(high));
  while (!WindowShown(started.info.dwProcessId, L"High Quality Test Results: All Resolutions",
                      events)) {
    Sleep(10);
  }
  Sleep(1000);
  const double before = CpuMilliseconds(started.info.hProcess);
  Sleep(8000);
  const double used = CpuMilliseconds(started.info.hProcess) - before;
  Stop(started);
  std::printf("between the runs of a series: %.1f ms of processor time in 8 s\n", used);
  return used;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_measure <program folder> [rounds]\n");
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\') folder += L'\\';
  const int rounds = argc > 2 ? std::max(_wtoi(argv[2]), 2) : 40;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring here = self;
  here = here.substr(0, here.find_last_of(L'\\') + 1);
  const std::wstring minimal = here + L"minimal_window.exe";
  const std::wstring minimal_cc = here + L"minimal_window_cc.exe";
  const std::wstring quorvath = folder + L"quorvath.exe";
  const bool events = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr,
                                      OnWindowCreated, 0, 0, WINEVENT_OUTOFCONTEXT) != nullptr;
  const auto time_to_window = [&](const std::wstring& exe, const wchar_t* caption) {
    return TimeToWindow(exe, folder, caption, events);
  };

  // Two of each first, so that all find their files in the cache and Wine's own start-up
  // work for a new program is done.
  for (int warm = 0; warm < 2; ++warm) {
    time_to_window(minimal, L"Minimal");
    time_to_window(minimal_cc, L"Minimal");
    time_to_window(quorvath, L"Quorvath");
  }
  // The yardstick is the program built with the same manifest and common controls: under Wine
  // those alone cost more than a bare window. The bare window opens each round; quorvath.exe
  // and the yardstick follow it in turns, so that each comes as often after the other.
  std::vector<double> minimal_ms, minimal_cc_ms, quorvath_ms, ratios, bare_ratios;
  for (int round = 0; round < rounds; ++round) {
    minimal_ms.push_back(time_to_window(minimal, L"Minimal"));
    if (round % 2 == 0) {
      quorvath_ms.push_back(time_to_window(quorvath, L"Quorvath"));
      minimal_cc_ms.push_back(time_to_window(minimal_cc, L"Minimal"));
    } else {
      minimal_cc_ms.push_back(time_to_window(minimal_cc, L"Minimal"));
      quorvath_ms.push_back(time_to_window(quorvath, L"Quorvath"));
    }
    ratios.push_back(quorvath_ms.back() / minimal_cc_ms.back());
    bare_ratios.push_back(quorvath_ms.back() / minimal_ms.back());
  }
  const double ratio = Median(ratios);
  std::printf("start-up to window, %d rounds, each program once a round (windows found %s):\n",
              rounds, events ? "through creation events" : "by looking at all windows");
  PrintSpread("minimal window program", minimal_ms, " ms");
  PrintSpread("the same with the manifest and common controls", minimal_cc_ms, " ms");
  PrintSpread("quorvath.exe", quorvath_ms, " ms");
  PrintSpread("ratio to the minimal program", bare_ratios, "   ");
  PrintSpread("ratio to the one with the common controls", ratios, "   ");
  std::printf("start-up ratio (median of the rounds' ratios): %.2f (limit %.2f)\n", ratio,
              kRatioLimit);

  // Idle: once the game's folder is known no timer runs; while it is not, one tick each 5 s.
  Started started = Start(quorvath, folder);
  while (!WindowShown(started.info.dwProcessId, L"Quorvath", events)) Sleep(10);
  Sleep(7000);  // past the first tick
  const double before = CpuMilliseconds(started.info.hProcess);
  // Shows that the counter counts: what start-up and the first tick took.
  std::printf("processor time for start-up and the first tick: %.1f ms\n", before);
  const int idle_seconds = 20;
  Sleep(idle_seconds * 1000);
  const double used = CpuMilliseconds(started.info.hProcess) - before;
  Stop(started);
  std::printf("idle: %.1f ms of processor time in %d s (%.3f %%)\n", used, idle_seconds,
              used / (idle_seconds * 10.0));
  const double between = BetweenRunsOfASeries(quorvath, folder, events);
  const bool ok = ratio <= kRatioLimit && used < 200.0 && between < 200.0;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
