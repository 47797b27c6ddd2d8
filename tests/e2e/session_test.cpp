// Whole sessions: what the program leaves on disk, the DLLs it loads, its windows' layout at
// the screen's DPI, and fifty runs in a row.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "program_driver.h"

#include <psapi.h>

namespace quorvath::testing {

// Every file and folder under `folder` (folders end in a backslash): size, time, attributes.
using Listing = std::map<std::wstring, std::tuple<std::uintmax_t, std::int64_t, DWORD>>;
Listing ListTree(const std::wstring& folder) {
  Listing listing;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const bool file = entry.is_regular_file();
    listing[entry.path().wstring().substr(folder.size()) + (file ? L"" : L"\\")] = {
        file ? entry.file_size() : 0, file ? entry.last_write_time().time_since_epoch().count() : 0,
        GetFileAttributesW(entry.path().c_str())};
  }
  return listing;
}
// "+" for what is new, "~" for what changed, "-" for what is gone.
std::vector<std::wstring> Changes(const Listing& before, const Listing& after) {
  std::vector<std::wstring> changes;
  for (const auto& [name, entry] : after) {
    if (!before.contains(name)) changes.push_back(L"+" + name);
    if (before.contains(name) && before.at(name) != entry) changes.push_back(L"~" + name);
  }
  for (const auto& [name, entry] : before) {
    if (!after.contains(name)) changes.push_back(L"-" + name);
  }
  return changes;
}

// The program folder's name and the game's folder, reported in UTF-8 with its byte-order mark,
// are outside the ANSI code page; the program starts in a folder of its own.
TEST(Footprint, OnlyTheSettingsCopiesAreWrittenAndOnlyTheLocationFileIsDeleted) {
  Session s(L"Prog \u03A9 \u4E2D\u6587 & (x)");
  const ScratchFolder games(L"Spiel \u0416 \u65E5\u672C"), current(L"Quorvath current");
  const std::wstring game = games / L"Game \u03A9\\";
  s.folder.game_dir = game.substr(0, game.size() - 1);
  s.folder.ReportLocation("\xEF\xBB\xBF" + Utf8(s.folder.game_dir) + "\r\n");
  WriteFileBytes(game + L"game.exe", "the game");
  WriteFileBytes(game + L"Benchmark\\Custom_MaxDetail\\old-score.txt", "kept");
  WriteFileBytes(game + L"Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini", "[older]\r\n");
  s.folder.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", ResultFile(7));
  s.folder.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1280.bat", ResultFile(2));
  s.folder.WriteResultBatch(L"Low Quality\\lq-flyby-benchmark_All .bat", ResultFile(6));
  const Listing program_before = ListTree(s.folder.path()), game_before = ListTree(game);
  ASSERT_TRUE(s.Start(true, current.path()));
  for (const auto& [button, resolution, caption, rows] :
       {std::tuple{s.main.cpu, L"All Resolutions", L"CPU Test Results", 9u},
        {s.main.low, L"All Resolutions", L"Low Quality Test Results: All Resolutions", 18u},
        {s.main.high, L"1280 x 1024", L"High Quality Test Results: 1280 x 1024", 2u}}) {
    ASSERT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
    s.main.ChooseResolution(resolution);
    Click(button);
    ASSERT_NE(s.Window(caption), nullptr);
    EXPECT_EQ(ListRows(s.Window(caption)).size(), rows);
  }
  // A run that leaves nothing; the main window is closed while it waits, with three result
  // windows open, and that ends the program.
  ASSERT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
  s.main.ChooseResolution(L"1024 x 768");
  ASSERT_TRUE(s.Press(s.main.high));
  PostMessageW(s.main.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(s.program->WaitForExit());

  EXPECT_EQ(Changes(program_before, ListTree(s.folder.path())),
            (std::vector<std::wstring>{L"+CPU_Test_FPS.txt", L"+HQ_FPS.txt", L"+LQ_FPS.txt",
                                       L"+starts.log"}));
  EXPECT_EQ(Changes(game_before, ListTree(game)),
            (std::vector<std::wstring>{L"~Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini",
                                       L"+Benchmark\\Custom_MaxDetail\\Custom_MaxDetail.ini",
                                       L"+Benchmark\\Custom_MinDetail\\",
                                       L"+Benchmark\\Custom_MinDetail\\Custom_MinDetail.ini"}));
  EXPECT_EQ(ReadFileBytes(game + L"Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini"),
            ReadFileBytes(s.folder / L"CPU Test\\CPU_LowDetail.ini"));
  EXPECT_TRUE(ListTree(current.path()).empty()) << "the program wrote into its current folder";
}

// Wine prefers its own DLLs; the overrides make both programs take a DLL of that name from the
// search path first, as Windows does for a DLL that is not a known system DLL.
TEST(PlantedDll, AUxthemeDllInTheProgramFolderIsNotLoaded) {
  const ScopedWineSetting control_override(L"\\DllOverrides", L"uxtheme", "native,builtin",
                                           L"unhardened_window.exe");
  const ScopedWineSetting program_override(L"\\DllOverrides", L"uxtheme", "native,builtin");
  Session s;
  for (const std::wstring file : {L"uxtheme.dll", L"unhardened_window.exe"}) {
    ASSERT_TRUE(CopyFileW(BuiltFile(L"planted\\" + file).c_str(), (s.folder / file).c_str(), 0));
  }
  const std::wstring marker = s.folder / L"planted-dll-loaded.txt";
  {
    RunningProgram control(s.folder / L"unhardened_window.exe", s.folder.path());
    ASSERT_NE(control.WaitForWindow(L"Unhardened"), nullptr);
  }
  ASSERT_NE(ReadFileBytes(marker).find("unhardened_window.exe"), std::string::npos)
      << "the planted DLL is not loaded even without protection: this test would prove nothing";
  ASSERT_TRUE(DeleteFileW(marker.c_str()));
  ASSERT_TRUE(s.Start(true, s.folder.path()));  // from its own folder
  EXPECT_EQ(ReadFileBytes(marker), "");
}

// Every window is laid out in twips at the screen's DPI: 96, or 144 where the prefix is set so.
TEST(Layout, EveryWindowIsLaidOutInTwipsAtTheScreensDpi) {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const char* asked = std::getenv("QUORVATH_EXPECT_DPI");
  ASSERT_EQ(dpi, asked ? std::atoi(asked) : 96);
  const auto px = [&](std::vector<int> twips) {
    for (int& t : twips) t = MulDiv(t, dpi, 1440);
    return twips;
  };
  Session s;
  s.folder.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", ResultFile(3));
  s.folder.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_All .bat", ResultFile(3));
  s.folder.WriteResultBatch(L"Low Quality\\lq-flyby-benchmark_All .bat", ResultFile(3));
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(ClientSize(s.main.window), px({5415, 3375}));
  EXPECT_EQ(PlaceOf(s.main.cpu), px({120, 2760, 1215, 495}));
  EXPECT_EQ(PlaceOf(s.main.text), px({1680, 2160, 3615, 1095}));
  // Each result window's client area, and its list's left, top and height.
  for (const auto& [button, caption, size, list] :
       {std::tuple{s.main.cpu, L"CPU Test Results", std::vector{8535, 3285},
                   std::vector{120, 120, 3060}},
        {s.main.high,
         L"High Quality Test Results: All Resolutions",
         {8505, 3645},
         {120, 480, 3060}},
        {s.main.low,
         L"Low Quality Test Results: All Resolutions",
         {8505, 3645},
         {120, 480, 3060}}}) {
    ASSERT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
    Click(button);
    const HWND window = s.Window(caption);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ClientSize(window), px(size)) << Ansi(caption);
    const std::vector<int> place = PlaceOf(FindChild(window, L"ListBox"));
    EXPECT_EQ((std::vector{place[0], place[1], place[3]}), px(list)) << Ansi(caption);
  }
  PressKeys(s.main.window, {{VK_MENU, 'H'}, {'A'}});
  const HWND about = s.Window(L"About Quorvath");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(ClientSize(about), px({5730, 4110}));
}

// The program's handles (from the system's list of every process's handles, which Wine keeps
// where it does not count them for another process), its windows, shown or not, with their
// children, and its committed memory.
std::vector<std::uint64_t> Counters(const RunningProgram& program) {
  struct Handle {
    ULONG pid;
    BYTE type, flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  struct List {  // SystemHandleInformation
    ULONG count;
    Handle handles[1];
  };
  std::vector<List> list(1 << 16);
  ULONG needed = 0;
  while (query(16, list.data(), static_cast<ULONG>(list.size() * sizeof(List)), &needed) &&
         list.size() < 1 << 21) {
    list.resize(list.size() * 2);
  }
  const Handle* all = list[0].handles;
  const auto handles = std::count_if(all, all + list[0].count,
                                     [&](const Handle& h) { return h.pid == program.pid; });
  std::pair<DWORD, std::uint64_t> windows{program.pid, 0};
  EnumWindows(
      [](HWND top, LPARAM data) -> BOOL {
        auto& [pid, count] = *reinterpret_cast<std::pair<DWORD, std::uint64_t>*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(top, &owner);
        if (owner != pid) return TRUE;
        ++count;
        EnumChildWindows(
            top, [](HWND, LPARAM c) -> BOOL { return ++*reinterpret_cast<std::uint64_t*>(c) != 0; },
            reinterpret_cast<LPARAM>(&count));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(program.process, &memory, sizeof memory);
  return {static_cast<std::uint64_t>(handles), windows.second, memory.PagefileUsage};
}

// Fifty runs in one session mixing tests, resolutions, open and closed windows, damaged
// results and stale ones (ended with File, Stop Waiting): the tests never stay unavailable,
// and nothing the program holds grows from run to run.
TEST(Soak, FiftyRunsLeaveNothingStuckAndNothingGrowing) {
  const std::tuple<HWND MainWindow::*, const wchar_t*, const wchar_t*> tests[] = {
      {&MainWindow::cpu, L"CPU Test\\cpu-flyby-benchmark", L"CPU Test Results"},
      {&MainWindow::high, L"High Quality\\hq-flyby-benchmark_", L"High Quality Test Results: "},
      {&MainWindow::low, L"Low Quality\\lq-flyby-benchmark_", L"Low Quality Test Results: "}};
  const std::wstring resolutions[] = {L"All Resolutions", L"1024 x 768", L"1280 x 1024",
                                      L"1600 x 1200"};
  Session s;
  ASSERT_TRUE(s.Start());
  std::vector<std::vector<std::uint64_t>> samples;
  for (int run = 0; run < 50; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const auto& [button, batch_start, caption_start] = tests[run % 3];
    const std::wstring& resolution = resolutions[run / 3 % 4];
    const bool cpu = run % 3 == 0, damaged = run % 10 == 4, stale = run % 10 == 8;
    const std::wstring batch = batch_start + (cpu ? L"" : resolution.substr(0, 4)) + L".bat";
    const std::wstring caption = caption_start + (cpu ? L"" : resolution);
    if (stale) {
      s.folder.WriteBatch(batch, "rem leaves the earlier result as it was\n");
    } else {
      s.folder.WriteResultBatch(batch, ResultFile(1 + run % 7) + (damaged ? "Cut-Short\r\n" : ""));
    }
    s.main.ChooseResolution(resolution);
    ASSERT_TRUE(s.Press(s.main.*button));
    if (damaged) {
      const std::optional<SeenMessageBox> box = s.program->Message();
      ASSERT_TRUE(box.has_value());
      DismissMessageBox(*box);
      ASSERT_TRUE(Eventually([&] { return !IsWindow(box->hwnd); }));
    } else if (stale) {
      OneTick();
      ASSERT_FALSE(s.program->Message(0ms).has_value());
      ASSERT_TRUE(s.main.TestsDisabled()) << "the earlier result was taken for this run's";
      PressKeys(s.main.window, {{VK_MENU, 'F'}, {'W'}});
    } else {
      ASSERT_NE(s.Window(caption), nullptr);
    }
    ASSERT_TRUE(Eventually([&] { return s.main.TestsEnabled(); })) << "the tests stayed disabled";
    // Every other run leaves its window open, to be refreshed by the next run of its test;
    // every fifth samples the counters with no result window open.
    for (const HWND window : s.program->Windows()) {
      if (window != s.main.window && (run % 5 == 4 || (run % 2 && WindowText(window) == caption))) {
        PostMessageW(window, WM_CLOSE, 0, 0);
      }
    }
    if (run % 5 != 4) continue;
    ASSERT_TRUE(Eventually([&] { return s.program->Windows().size() == 1; }));
    std::this_thread::sleep_for(300ms);
    samples.push_back(Counters(*s.program));
  }
  // The first two samples cover the first use of every window; from then on nothing grows.
  std::string report = "handles/windows/committed after every fifth run:";
  for (const std::vector<std::uint64_t>& c : samples) {
    report += " " + std::to_string(c[0]) + "/" + std::to_string(c[1]) + "/" +
              std::to_string(c[2] >> 10) + "K";
  }
  ASSERT_EQ(samples.size(), 10u);
  for (std::size_t i = 3; i < samples.size(); ++i) {
    EXPECT_TRUE(samples[i][0] > 0 && samples[i][0] <= samples[2][0] + 4) << report;
    EXPECT_EQ(samples[i][1], samples[2][1]) << report;
    EXPECT_TRUE(samples[i][2] > 0 && samples[i][2] <= samples[2][2] + (2 << 20)) << report;
  }
  std::printf("%s\n", report.c_str());
}

}  // namespace quorvath::testing
