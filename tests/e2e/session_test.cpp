// Sessions that type keys or change Wine's settings, so they run one after the other.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "program_driver.h"
#include <psapi.h>

namespace quorvath::testing {

TEST(Keyboard, TabsArrowsSpaceCtrlCEscFileCloseAndFileExit) {
  Session s;
  s.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", ResultFile(3));
  ASSERT_TRUE(s.Start());
  PressKeys(s.window, {{VK_TAB}, {VK_DOWN}, {VK_DOWN}});  // from the banner, arrows choose
  EXPECT_EQ(FocusedControl(s.window), s.combo);
  EXPECT_EQ(WindowText(s.combo), L"1280 x 1024");
  PressKeys(s.window, {{VK_END}});
  EXPECT_EQ(WindowText(s.combo), L"1600 x 1200");
  const HWND order[] = {s.text, s.cpu, s.high, s.low, s.banner, s.low, s.high, s.cpu};
  for (std::size_t i = 0; i < 8; ++i) {  // five Tabs, then three Shift+Tabs
    PressKeys(s.window, {i < 5 ? std::vector<WORD>{VK_TAB} : std::vector<WORD>{VK_SHIFT, VK_TAB}});
    EXPECT_TRUE(Eventually([&] { return FocusedControl(s.window) == order[i]; })) << i;
  }
  PressKeys(s.window, {{VK_SPACE}});
  HWND window = s.Window(L"CPU Test Results");
  PressKeys(window, {{VK_CONTROL, 'C'}});
  const std::wstring rows = L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS\r\n\r\n" + kRows[0] +
                            L"\r\n" + kRows[1] + L"\r\n" + kRows[2] + L"\r\n";
  EXPECT_TRUE(Eventually([&] { return ClipboardText() == rows; }));
  PressKeys(window, {{VK_ESCAPE}});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(window) && s.TestsEnabled(); }));
  Click(s.cpu);
  window = s.Window(L"CPU Test Results");
  PressKeys(window, {{VK_MENU, 'F'}, {'C'}});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(window); }));
  PressKeys(s.window, {{VK_MENU, 'F'}, {'X'}});
  EXPECT_TRUE(s.WaitForExit());
}

// The CPU test's batch file hands the run to a helper and ends; the helper leaves the result.
TEST(StopWaiting, BringsTheTestsBackAndTheAbandonedRunsFileIsNotTakenForTheNext) {
  Session s;
  s.WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat", "start \"\" /min \"%~dp0flyby-runner.bat\"\n");
  s.WriteResultBatch(L"CPU Test\\flyby-runner.bat", ResultFile(2), true);
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(FirstMenuItemGreyed(s, 'F'), true);
  ASSERT_TRUE(s.Press(s.cpu));
  EXPECT_EQ(FirstMenuItemGreyed(s, 'F'), false);
  ASSERT_TRUE(StopWaiting(s));
  EXPECT_EQ(FirstMenuItemGreyed(s, 'F'), true);
  s.Go();  // the abandoned run's file arrives, and nothing shows it
  ASSERT_TRUE(Eventually([&] { return !ReadFileBytes(s / L"CPU_Test_FPS.txt").empty(); }));
  OneTick();
  EXPECT_EQ(s.Window(L"CPU Test Results", 0ms), nullptr);
  s.WriteResultBatch(L"CPU Test\\flyby-runner.bat", ResultFile(5), true);
  ASSERT_TRUE(s.Press(s.cpu));  // the next run waits for its own file, past its batch's end
  OneTick();
  EXPECT_TRUE(s.Window(L"CPU Test Results", 0ms) == nullptr && s.TestsDisabled());
  s.Go();
  EXPECT_EQ(ListRows(s.Window(L"CPU Test Results")).size(), 2u + 5u);
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }) && !s.Message(0ms));
}

// The About dialog, opened with Help, About (Alt+H A), and its controls in Tab order.
std::vector<HWND> OpenAbout(const Session& s) {
  PressKeys(s.window, {{VK_MENU, 'H'}, {'A'}});
  std::vector<HWND> about{s.Window(L"About Quorvath")};
  for (HWND child = GetWindow(about[0], GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    about.push_back(child);
  }
  return about.size() == 10 ? about : std::vector<HWND>(10);
}

// As designed in twips (at 144 DPI too), with its Tab order, one at a time; it closes every way,
// and System Info says that the tool is unavailable, or starts the registered one. At 96 DPI the
// pictures fit their images inside their borders, and the etched separator lies under the
// banner: grey at 1605 twips (row 107) from 90 twips (x 6) to 5654 (x 376), white two pixels
// high under it from 105 twips (x 7).
TEST(About, IsAsDesignedOpensOnceClosesEveryWayAndStartsTheSystemInfoTool) {
  const ScopedRegistryValue path(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                 L"PATH");
  const ScopedRegistryValue folder(HKEY_LOCAL_MACHINE,
                                   L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
  ASSERT_TRUE(path.Remove() && folder.Remove());
  Session s;
  ASSERT_TRUE(s.Start(/*ready=*/false));
  std::vector<HWND> about = OpenAbout(s);
  EXPECT_EQ(ClientSize(about[0]), Px({5730, 4110}));
  // Owned by a hidden window of the program, not by the main window: no taskbar button of its
  // own, yet it may go behind the main window.
  const HWND owner = GetWindow(about[0], GW_OWNER);
  DWORD owner_pid = 0;
  GetWindowThreadProcessId(owner, &owner_pid);
  EXPECT_TRUE(owner != nullptr && owner != s.window && owner_pid == s.pid &&
              !IsWindowVisible(owner));
  EXPECT_EQ(GetWindowLongPtrW(about[0], GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  EXPECT_EQ(GetWindowLongPtrW(about[0], GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);  // fixed
  const std::tuple<const wchar_t*, std::wstring, std::vector<int>> design[] = {
      {L"Button", L"OK", {2400, 3600, 1260, 345}},
      {L"QuorvathPicture", L"", {240, 1920, 540, 540}},
      {L"Button", L"&System Info...", {3840, 3600, 1245, 345}},
      {L"QuorvathPicture", L"", {240, 120, 5250, 1425}},
      {L"Static", L"Quorvath", {1050, 1920, 3885, 480}},
      {L"Static", L"Version 1.0.0", {1050, 2460, 3885, 225}},
      {L"Static", L"Benchmarking Scripts written by Ilse Marrow.", {1050, 2805, 3885, 210}},
      {L"Static", L"Program written by Teodor Vask", {1080, 3120, 3855, 255}},
      {L"Static", L"Are you Torvane?", {1080, 3660, 1320, 225}}};
  for (std::size_t i = 0; i < 9; ++i) {
    const auto& [kind, text, twips] = design[i];
    EXPECT_EQ(ClassOf(about[i + 1]) + L":" + WindowText(about[i + 1]), kind + (L":" + text));
    EXPECT_EQ(PlaceOf(about[i + 1]), Px(twips)) << Ansi(text);
  }
  if (Px({1440})[0] == 96) {
    EXPECT_EQ(ClientSize(about[2]), (std::vector{32, 32}));  // the icon, and the banner
    EXPECT_EQ(ClientSize(about[4]), (std::vector{346, 91}));
    const HDC dc = GetDC(about[0]);
    const auto at = [&](int x, int y) {  // grey, white, the dialog's face, or another colour
      const COLORREF c = GetPixel(dc, x, y), face = GetPixel(dc, 0, 111);
      return c == RGB(128, 128, 128) ? 'G' : c == RGB(255, 255, 255) ? 'W' : c == face ? '.' : '?';
    };
    EXPECT_TRUE(Eventually([&] { return at(6, 107) == 'G'; }));  // once painted
    std::string rows;  // 106 to 110, at x 5, 6, 7, 100, 376 and 377
    for (int y = 106; y <= 110; ++y) {
      for (const int x : {5, 6, 7, 100, 376, 377}) rows += at(x, y);
    }
    EXPECT_EQ(rows, std::string("......") + ".GGGG." + "..WWW." + "..WWW." + "......");
    ReleaseDC(about[0], dc);
  }
  // OK is the default button and has the focus; Tab goes round to it.
  EXPECT_EQ(GetWindowLongPtrW(about[1], GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(FocusedControl(about[0]), about[1]);
  for (const std::size_t next : {2, 3, 4, 1}) {
    PressKeys(about[0], {{VK_TAB}});
    EXPECT_EQ(FocusedControl(about[0]), about[next]);
  }
  EXPECT_EQ(OpenAbout(s)[0], about[0]);  // brought forward
  EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == about[0]; }));
  EXPECT_EQ(WindowsOf(s.pid).size(), 2u) << "a second dialog";
  for (int way = 0; way < 8; ++way) {  // OK, the close box, Esc and Enter after 0, 1 and 3 Tabs
    SCOPED_TRACE(way);
    about = OpenAbout(s);
    const std::size_t tabs = way < 4 ? 0 : way < 6 ? 1 : 3;
    for (std::size_t i = 0; i < tabs; ++i) PressKeys(about[0], {{VK_TAB}});
    EXPECT_EQ(FocusedControl(about[0]), about[1 + tabs]);
    if (way == 0) Click(about[1]);
    if (way == 1) PostMessageW(about[0], WM_SYSCOMMAND, SC_CLOSE, 0);
    if (way >= 2) PressKeys(about[0], {{static_cast<WORD>(way % 2 ? VK_RETURN : VK_ESCAPE)}});
    EXPECT_TRUE(Eventually([&] { return !IsWindow(about[0]); }));
    EXPECT_FALSE(s.WaitForExit(0ms) || s.Message(0ms).has_value());
  }
  about = OpenAbout(s);
  Click(about[3]);
  const std::optional<SeenMessageBox> box = s.Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title + L": " + box->text,
            L"Quorvath: System Information Is Unavailable At This Time");
  DismissMessageBox(*box);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(box->hwnd) && IsWindow(about[0]); }));
  // A stand-in for the tool, registered by its full path.
  const std::wstring tool = s / L"System Info Tool.exe";
  ASSERT_TRUE(CopyFileW(BuiltFile(L"planted\\unhardened_window.exe").c_str(), tool.c_str(), 0));
  ASSERT_TRUE(path.SetString(Ansi(tool)));
  Click(about[3]);
  HWND shown = nullptr;
  EXPECT_TRUE(Eventually([&] { return (shown = FindWindowW(nullptr, L"Unhardened")) != nullptr; }));
  PostMessageW(shown, WM_CLOSE, 0, 0);
  EXPECT_FALSE(s.Message(0ms).has_value());
  PostMessageW(s.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(s.WaitForExit());
}

// Wine prefers its own DLLs; the overrides make both programs take a DLL of that name from the
// search path first, as Windows does for a DLL that is not a known system DLL.
TEST(PlantedDll, AUxthemeDllInTheProgramFolderIsNotLoaded) {
  const ScopedWineSetting control_override(L"\\DllOverrides", L"uxtheme", "native,builtin",
                                           L"unhardened_window.exe");
  const ScopedWineSetting program_override(L"\\DllOverrides", L"uxtheme", "native,builtin");
  Session s;
  for (const std::wstring file : {L"uxtheme.dll", L"unhardened_window.exe"}) {
    ASSERT_TRUE(CopyFileW(BuiltFile(L"planted\\" + file).c_str(), (s / file).c_str(), 0));
  }
  const std::wstring marker = s / L"planted-dll-loaded.txt";
  {
    Program control;
    control.Launch(s / L"unhardened_window.exe", s.path());
    ASSERT_NE(control.Window(L"Unhardened"), nullptr);
  }
  ASSERT_NE(ReadFileBytes(marker).find("unhardened_window.exe"), std::string::npos)
      << "the planted DLL is not loaded even without protection: this test would prove nothing";
  ASSERT_TRUE(DeleteFileW(marker.c_str()));
  ASSERT_TRUE(s.Start(true, s.path()));  // from its own folder
  EXPECT_EQ(ReadFileBytes(marker), "");
}

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

// The program's handles (from every process's: Wine does not count another process's), its
// windows with their children, and its committed memory.
std::vector<std::uint64_t> Counters(const Program& program) {
  const auto query =
      reinterpret_cast<LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG)>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  // SystemHandleInformation: a count, then from byte 8 entries of 24 bytes, each from its pid.
  std::vector<ULONG> list(1 << 20);
  while (query(16, list.data(), static_cast<ULONG>(list.size() * 4), nullptr) &&
         list.size() < 1 << 24) {
    list.resize(list.size() * 2);
  }
  std::uint64_t handles = 0, windows = 0;
  for (ULONG i = 0; i < list[0]; ++i) handles += list[2 + i * 6] == program.pid;
  for (HWND top = GetTopWindow(nullptr); top; top = GetWindow(top, GW_HWNDNEXT)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(top, &owner);
    for (HWND w = owner == program.pid ? top : nullptr; w;
         w = GetWindow(w, w == top ? GW_CHILD : GW_HWNDNEXT)) {
      ++windows;
    }
  }
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(program.process, &memory, sizeof memory);
  return {handles, windows, memory.PagefileUsage};
}

// Fifty runs mixing tests, resolutions, open and closed windows, damaged and stale results
// (ended with File, Stop Waiting), in a program folder and a game folder (given in UTF-8 with
// its byte-order mark) outside the ANSI code page: the tests never stay unavailable, nothing the
// program holds grows, and it writes nothing but the settings copies, deletes nothing but ut.out
// and leaves its current folder alone.
TEST(Soak, FiftyRunsLeaveNothingStuckNothingGrowingAndNothingButTheSettingsCopies) {
  Session s(L"Prog \u03A9 \u4E2D\u6587 & (x)");
  const ScratchFolder games(L"Spiel \u0416 \u65E5\u672C"), current(L"Quorvath current");
  const std::wstring game = games / L"Game \u03A9\\";
  s.game_dir = game.substr(0, game.size() - 1);
  s.ReportLocation("\xEF\xBB\xBF" + Utf8(s.game_dir) + "\r\n");
  WriteFileBytes(game + L"game.exe", "the game");
  WriteFileBytes(game + L"Benchmark\\Custom_MaxDetail\\old-score.txt", "kept");
  WriteFileBytes(game + L"Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini", "[older]\r\n");
  // Every batch file leaves the test's next result, when there is one.
  const std::tuple<HWND Program::*, const wchar_t*, const wchar_t*, const char*> tests[] = {
      {&Program::cpu, L"CPU Test\\cpu-flyby-benchmark", L"CPU Test Results", "CPU_Test"},
      {&Program::high, L"High Quality\\hq-flyby-benchmark_", L"High Quality Test Results: ", "HQ"},
      {&Program::low, L"Low Quality\\lq-flyby-benchmark_", L"Low Quality Test Results: ", "LQ"}};
  const std::wstring sizes[] = {L"All Resolutions", L"1024 x 768", L"1280 x 1024", L"1600 x 1200"};
  for (const auto& [button, batch, caption, result] : tests) {
    for (const std::wstring& resolution : sizes) {
      s.WriteBatch(batch + (result[0] == 'C' ? L"" : resolution.substr(0, 4)) + L".bat",
                   "if exist \"%~dp0..\\next\" move /y \"%~dp0..\\next\" \"%~dp0..\\" +
                       std::string(result) + "_FPS.txt\"\n");
    }
  }
  auto program_before = ListTree(s.path()), game_before = ListTree(game);
  RemoveTree(ResultsFolder());
  int completed = 1;  // and the last one, below
  ASSERT_TRUE(s.Start(true, current.path()));
  std::vector<std::vector<std::uint64_t>> samples;
  for (int run = 0; run < 50; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const auto& [button, batch, caption_start, result] = tests[run % 3];
    const std::wstring& resolution = sizes[run / 3 % 4];
    const std::wstring caption = caption_start + (run % 3 ? resolution : L"");
    const bool damaged = run % 10 == 4, stale = run % 10 == 8;
    if (!stale) WriteFileBytes(s / L"next", ResultFile(1 + run % 7) + (damaged ? "Cut\r\n" : ""));
    s.ChooseResolution(resolution);
    ASSERT_TRUE(s.Press(s.*button));
    if (damaged) {
      DismissMessageBox(s.Message().value());
    } else if (stale) {
      OneTick();
      ASSERT_TRUE(s.TestsDisabled() && !s.Message(0ms)) << "the earlier result was taken";
      ASSERT_TRUE(StopWaiting(s));
    } else {
      ASSERT_NE(s.Window(caption), nullptr);
    }
    completed += !stale;
    ASSERT_TRUE(Eventually([&] { return s.TestsEnabled(); })) << "the tests stayed disabled";
    if (run % 3 == 1 && !stale && !damaged) {  // a chart opened and closed now and then
      PressKeys(s.Window(caption), {{VK_MENU, 'V'}, {'C'}});
      const HWND chart = s.Window(caption.substr(0, caption.find(L" Test Results")) +
                                  L" Results Chart" + (run % 3 ? L": " + resolution : L""));
      ASSERT_NE(chart, nullptr);
      PressKeys(chart, {{VK_ESCAPE}});
    }
    // Every other run leaves its window open, to be refreshed by the next run of its test;
    // every fifth samples the counters with no result window open.
    for (const HWND window : WindowsOf(s.pid)) {
      if (window != s.window && (run % 5 == 4 || (run % 2 && WindowText(window) == caption))) {
        PostMessageW(window, WM_CLOSE, 0, 0);
      }
    }
    if (run % 5 != 4) continue;
    ASSERT_TRUE(Eventually([&] { return WindowsOf(s.pid).size() == 1; }));
    std::this_thread::sleep_for(300ms);
    samples.push_back(Counters(s));
  }
  // The first two samples cover the first use of every window; from then on nothing grows.
  const std::string report =
      "handles, windows, committed bytes: " + ::testing::PrintToString(samples);
  ASSERT_EQ(samples.size(), 10u) << report;
  for (std::size_t i = 3; i < samples.size(); ++i) {
    EXPECT_TRUE(samples[i][0] > 0 && samples[i][0] <= samples[2][0] + 4) << report;
    EXPECT_TRUE(samples[i][1] == samples[2][1]) << report;
    EXPECT_TRUE(samples[i][2] > 0 && samples[i][2] <= samples[2][2] + (2 << 20)) << report;
  }
  std::printf("%s\n", report.c_str());

  // Closing the main window while a run waits, with a result window open, ends the program.
  WriteFileBytes(s / L"next", ResultFile(1));
  Click(s.cpu);
  ASSERT_NE(s.Window(L"CPU Test Results"), nullptr);
  ASSERT_TRUE(s.Press(s.high));
  PostMessageW(s.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(s.WaitForExit());
  auto program_after = ListTree(s.path()), game_after = ListTree(game);
  for (const std::wstring name :
       {L"CPU_Test_FPS.txt", L"HQ_FPS.txt", L"LQ_FPS.txt", L"starts.log"}) {
    program_before[name] = program_after.at(name);  // the batch files'
  }
  for (const std::wstring name :
       {L"CPU_LowDetail\\CPU_LowDetail.ini", L"Custom_MinDetail\\",
        L"Custom_MaxDetail\\Custom_MaxDetail.ini", L"Custom_MinDetail\\Custom_MinDetail.ini"}) {
    game_before[L"Benchmark\\" + name] = game_after.at(L"Benchmark\\" + name);
  }
  EXPECT_EQ(program_after, program_before);
  EXPECT_EQ(game_after, game_before);
  EXPECT_EQ(ReadFileBytes(game + L"Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini"),
            ReadFileBytes(s / L"CPU Test\\CPU_LowDetail.ini"));
  EXPECT_TRUE(ListTree(current.path()).empty()) << "the program wrote into its current folder";
  // And exactly one run kept in the history for each run that was completed.
  EXPECT_EQ(SavedRuns().size(), static_cast<std::size_t>(completed));
}

}  // namespace quorvath::testing
