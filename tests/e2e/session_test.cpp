// Whole sessions: the DLLs the program loads, and fifty runs in a row with what they leave.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "program_driver.h"

#include <psapi.h>

namespace quorvath::testing {

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
std::map<std::wstring, std::tuple<std::uintmax_t, std::int64_t, DWORD>> ListTree(
    const std::wstring& folder) {
  std::map<std::wstring, std::tuple<std::uintmax_t, std::int64_t, DWORD>> listing;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const bool file = entry.is_regular_file();
    listing[entry.path().wstring().substr(folder.size()) + (file ? L"" : L"\\")] = {
        file ? entry.file_size() : 0, file ? entry.last_write_time().time_since_epoch().count() : 0,
        GetFileAttributesW(entry.path().c_str())};
  }
  return listing;
}

// The program's handles (from the system's list of every process's handles: Wine does not
// count them for another process), its windows, shown or not, and its committed memory.
std::vector<std::uint64_t> Counters(const Program& program) {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  // SystemHandleInformation: a count, then from byte 8 entries of 24 bytes that begin with the
  // process id.
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
    if (owner != program.pid) continue;
    for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      ++windows;
    }
    ++windows;
  }
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(program.process, &memory, sizeof memory);
  return {handles, windows, memory.PagefileUsage};
}

// Fifty runs in one session mixing tests, resolutions, open and closed windows, damaged
// results and stale ones (ended with File, Stop Waiting): the tests never stay unavailable,
// nothing the program holds grows from run to run, and the program writes nothing but the
// settings copies, deletes nothing but ut.out and leaves its current folder alone. The program
// folder's name and the game's folder, reported in UTF-8 with its byte-order mark, are outside
// the ANSI code page.
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
  const std::wstring resolutions[] = {L"All Resolutions", L"1024 x 768", L"1280 x 1024",
                                      L"1600 x 1200"};
  for (const auto& [button, batch, caption, result] : tests) {
    for (const std::wstring& resolution : resolutions) {
      s.WriteBatch(batch + (result[0] == 'C' ? L"" : resolution.substr(0, 4)) + L".bat",
                   "if exist \"%~dp0..\\next\" move /y \"%~dp0..\\next\" \"%~dp0..\\" +
                       std::string(result) + "_FPS.txt\"\n");
    }
  }
  auto program_before = ListTree(s.path()), game_before = ListTree(game);
  ASSERT_TRUE(s.Start(true, current.path()));
  std::vector<std::vector<std::uint64_t>> samples;
  for (int run = 0; run < 50; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const auto& [button, batch, caption_start, result] = tests[run % 3];
    const std::wstring& resolution = resolutions[run / 3 % 4];
    const std::wstring caption = caption_start + (run % 3 ? resolution : L"");
    const bool damaged = run % 10 == 4, stale = run % 10 == 8;
    if (!stale) WriteFileBytes(s / L"next", ResultFile(1 + run % 7) + (damaged ? "Cut\r\n" : ""));
    s.ChooseResolution(resolution);
    ASSERT_TRUE(s.Press(s.*button));
    if (damaged) {
      const std::optional<SeenMessageBox> box = s.Message();
      ASSERT_TRUE(box.has_value());
      DismissMessageBox(*box);
    } else if (stale) {
      OneTick();
      ASSERT_FALSE(s.Message(0ms).has_value());
      ASSERT_TRUE(s.TestsDisabled()) << "the earlier result was taken for this run's";
      PressKeys(s.window, {{VK_MENU, 'F'}, {'W'}});
    } else {
      ASSERT_NE(s.Window(caption), nullptr);
    }
    ASSERT_TRUE(Eventually([&] { return s.TestsEnabled(); })) << "the tests stayed disabled";
    // Every other run leaves its window open, to be refreshed by the next run of its test;
    // every fifth samples the counters with no result window open.
    for (const HWND window : s.Windows()) {
      if (window != s.window && (run % 5 == 4 || (run % 2 && WindowText(window) == caption))) {
        PostMessageW(window, WM_CLOSE, 0, 0);
      }
    }
    if (run % 5 != 4) continue;
    ASSERT_TRUE(Eventually([&] { return s.Windows().size() == 1; }));
    std::this_thread::sleep_for(300ms);
    samples.push_back(Counters(s));
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

  // A run that leaves nothing; the main window is closed while it waits, with a result window
  // open, and that ends the program.
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
}

}  // namespace quorvath::testing
