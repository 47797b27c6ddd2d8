// A test from button to result table, with scripted batch files standing in for the
// benchmark: the game's benchmark folder, the settings file, the batch file that runs, the
// polling, and the result windows' rows and captions.
#include <gtest/gtest.h>

#include <thread>

#include "program_driver.h"
#include "result_files.h"

namespace quorvath::testing {
namespace {

constexpr wchar_t kColumnHeader[] =
    L"Level                           Low FPS                    Average FPS             High FPS";

// A program started in a scratch folder whose game folder is known: the tests are enabled.
class TestRun : public ::testing::Test {
 protected:
  void Start() {
    folder_.ReportGameFolder();
    program_.emplace(folder_.exe());
    main_ = FindMainWindow(*program_);
    ASSERT_NE(main_.window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 12s));
  }

  // Presses the button and waits for the result window.
  HWND RunAndWait(HWND button, std::wstring_view caption, Milliseconds timeout = 15s) {
    Click(button);
    return program_->WaitForWindow(caption, timeout);
  }

  std::string GameFile(std::wstring_view relative) const {
    return ReadFileBytes(folder_.game_dir() + std::wstring(relative));
  }

  ProgramFolder folder_;
  std::optional<RunningProgram> program_;
  MainWindow main_;
};

HWND ListOf(HWND window) { return FindChild(window, L"ListBox"); }

TEST_F(TestRun, CpuTestListsHeaderBlankRowAndOneRowPerLevel) {
  const std::vector<Level> levels = MakeLevels(7);
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(levels), /*delay_seconds=*/1, /*linger_seconds=*/1);
  Start();
  main_.ChooseResolution(L"1600 x 1200");  // the CPU test ignores it

  Click(main_.cpu);
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsDisabled(); }, 3s));
  const HWND window = program_->WaitForWindow(L"CPU Test Results", 15s);
  ASSERT_NE(window, nullptr);

  std::vector<std::wstring> expected = {L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS", L""};
  for (const std::wstring& row : ExpectedDataRows(levels)) expected.push_back(row);
  EXPECT_EQ(ListRows(ListOf(window)), expected);
  EXPECT_EQ(ListRows(ListOf(window))[2].size(), 47u);
  EXPECT_TRUE(main_.TestsEnabled());

  const SIZE client = ClientSize(window);
  EXPECT_EQ(client.cx, 569);  // 8535 x 3285 twips
  EXPECT_EQ(client.cy, 219);

  // The settings went into the game's CPU folder first; the batch file ran with "1" in the
  // program folder.
  EXPECT_EQ(GameFile(L"\\Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini"),
            ReadFileBytes(folder_ / L"CPU Test\\CPU_LowDetail.ini"));
  const std::vector<std::string> starts = folder_.Starts();
  ASSERT_EQ(starts.size(), 2u);
  std::string program_folder = Ansi(folder_.path());
  program_folder.pop_back();
  EXPECT_EQ(starts[1], "cpu-flyby-benchmark.bat 1 | " + program_folder);
}

TEST_F(TestRun, HighQualityAtEachSingleResolution) {
  const std::vector<Level> levels = MakeLevels(7);
  for (const wchar_t* size : {L"1024", L"1280", L"1600"}) {
    folder_.WriteResultBatch(std::wstring(L"High Quality\\hq-flyby-benchmark_") + size + L".bat",
                             L"HQ_FPS.txt", ResultFileText(levels));
  }
  Start();
  int runs = 0;
  for (const wchar_t* resolution : {L"1024 x 768", L"1280 x 1024", L"1600 x 1200"}) {
    SCOPED_TRACE(resolution);
    main_.ChooseResolution(resolution);
    const std::wstring caption = std::wstring(L"High Quality Test Results: ") + resolution;
    const HWND window = RunAndWait(main_.high, caption);
    ASSERT_NE(window, nullptr);
    ++runs;
    EXPECT_EQ(ListRows(ListOf(window)), ExpectedDataRows(levels));
    EXPECT_EQ(WindowText(FindChild(window, L"Static")), kColumnHeader);
    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 567);  // 8505 x 3645 twips
    EXPECT_EQ(client.cy, 243);
    ASSERT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 3s));
    PostMessageW(window, WM_CLOSE, 0, 0);  // the close box
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 3s));
  }
  const std::vector<std::string> starts = folder_.Starts();
  ASSERT_EQ(starts.size(), 4u);
  EXPECT_EQ(starts[1].substr(0, 29), "hq-flyby-benchmark_1024.bat 1");
  EXPECT_EQ(starts[2].substr(0, 29), "hq-flyby-benchmark_1280.bat 1");
  EXPECT_EQ(starts[3].substr(0, 29), "hq-flyby-benchmark_1600.bat 1");
  EXPECT_EQ(GameFile(L"\\Benchmark\\Custom_MaxDetail\\Custom_MaxDetail.ini"),
            ReadFileBytes(folder_ / L"High Quality\\Custom_MaxDetail.ini"));
}

TEST_F(TestRun, HighQualityAllResolutionsCaptionsEachRecordInTurn) {
  const std::vector<Level> levels = MakeLevels(21);
  folder_.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_All .bat", L"HQ_FPS.txt",
                           ResultFileText(levels));
  Start();
  const HWND window = RunAndWait(main_.high, L"High Quality Test Results: All Resolutions");
  ASSERT_NE(window, nullptr);
  const std::vector<std::wstring> rows = ListRows(ListOf(window));
  EXPECT_EQ(rows.size(), 63u);
  EXPECT_EQ(rows, ExpectedAllResolutionRows(levels));
  EXPECT_EQ(folder_.Starts().back().substr(0, 29), "hq-flyby-benchmark_All .bat 1");
}

TEST_F(TestRun, LowQualityAllResolutionsWithFourRecordsEndsInASeparator) {
  const std::vector<Level> levels = MakeLevels(4);
  folder_.WriteResultBatch(L"Low Quality\\lq-flyby-benchmark_All .bat", L"LQ_FPS.txt",
                           ResultFileText(levels));
  Start();
  const HWND window = RunAndWait(main_.low, L"Low Quality Test Results: All Resolutions");
  ASSERT_NE(window, nullptr);
  const std::vector<std::wstring> rows = ListRows(ListOf(window));
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0], L"1600 x 1200");
  EXPECT_EQ(rows[9], L"1600 x 1200");
  EXPECT_EQ(rows[11], L" ");
  EXPECT_EQ(rows, ExpectedAllResolutionRows(levels));
  EXPECT_EQ(WindowText(FindChild(window, L"Static")), kColumnHeader);
  EXPECT_EQ(GameFile(L"\\Benchmark\\Custom_MinDetail\\Custom_MinDetail.ini"),
            ReadFileBytes(folder_ / L"Low Quality\\Custom_MinDetail.ini"));
}

TEST_F(TestRun, LowQualityAtOneResolutionCreatesTheBenchmarkLevelAndReplacesOldSettings) {
  const std::vector<Level> levels = MakeLevels(7);
  folder_.WriteResultBatch(L"Low Quality\\lq-flyby-benchmark_1024.bat", L"LQ_FPS.txt",
                           ResultFileText(levels));
  // The game folder has no "Benchmark" level yet; a second start finds an older copy.
  Start();
  main_.ChooseResolution(L"1024 x 768");
  HWND window = RunAndWait(main_.low, L"Low Quality Test Results: 1024 x 768");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(ListOf(window)), ExpectedDataRows(levels));
  const std::wstring copy =
      folder_.game_dir() + L"\\Benchmark\\Custom_MinDetail\\Custom_MinDetail.ini";
  EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(folder_ / L"Low Quality\\Custom_MinDetail.ini"));

  WriteFileBytes(copy, "[Old]\r\n");
  WriteFileBytes(folder_ / L"Low Quality\\Custom_MinDetail.ini", "[Benchmark]\r\nDetail=New\r\n");
  folder_.WriteResultBatch(L"Low Quality\\lq-flyby-benchmark_1024.bat", L"LQ_FPS.txt",
                           ResultFileText(MakeLevels(3)));
  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 3s));
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 3s));
  window = RunAndWait(main_.low, L"Low Quality Test Results: 1024 x 768");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ReadFileBytes(copy), "[Benchmark]\r\nDetail=New\r\n");
}

TEST_F(TestRun, AResolutionChosenDuringARunShapesTheWindowButNotTheBatchFile) {
  const std::vector<Level> levels = MakeLevels(3);
  folder_.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1280.bat", L"HQ_FPS.txt",
                           ResultFileText(levels), /*delay_seconds=*/2);
  Start();
  main_.ChooseResolution(L"1280 x 1024");
  Click(main_.high);
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsDisabled(); }, 3s));
  main_.ChooseResolution(L"All Resolutions");
  const HWND window = program_->WaitForWindow(L"High Quality Test Results: All Resolutions", 15s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(ListOf(window)), ExpectedAllResolutionRows(levels));
  EXPECT_EQ(folder_.Starts().back().substr(0, 29), "hq-flyby-benchmark_1280.bat 1");
}

TEST_F(TestRun, AHiddenReadOnlyResultFileIsFound) {
  const std::vector<Level> levels = MakeLevels(2);
  folder_.WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat",
                     "ping -n 2 127.0.0.1 >nul\n"
                     ">\"%~dp0..\\CPU_Test_FPS.tmp\" echo Hidden-Level\n"
                     ">>\"%~dp0..\\CPU_Test_FPS.tmp\" echo 1 / 2 / 3 fps\n"
                     ">>\"%~dp0..\\CPU_Test_FPS.tmp\" echo a\n"
                     ">>\"%~dp0..\\CPU_Test_FPS.tmp\" echo b\n"
                     "attrib +h +r +s \"%~dp0..\\CPU_Test_FPS.tmp\"\n"
                     "move /y \"%~dp0..\\CPU_Test_FPS.tmp\" \"%~dp0..\\CPU_Test_FPS.txt\" >nul\n");
  Start();
  const HWND window = RunAndWait(main_.cpu, L"CPU Test Results");
  ASSERT_NE(window, nullptr);
  const std::vector<std::wstring> rows = ListRows(ListOf(window));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2], L"Hidden-Level  \t1         \t2         \t3         ");
}

TEST_F(TestRun, AFolderNamedLikeTheResultFileIsNotAResult) {
  CreateFolders(folder_ / L"HQ_FPS.txt");
  folder_.WriteBatch(L"High Quality\\hq-flyby-benchmark_1600.bat", "rem writes nothing\n");
  Start();
  main_.ChooseResolution(L"1600 x 1200");
  Click(main_.high);
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsDisabled(); }, 30s));
  // Two ticks pass: no window for the folder, no message, and the test still waits.
  std::this_thread::sleep_for(11s);
  EXPECT_EQ(program_->FindWindowByCaption(L"High Quality Test Results: 1600 x 1200"), nullptr);
  EXPECT_FALSE(WaitForMessageBox(*program_, 0ms).has_value());
  EXPECT_TRUE(main_.TestsDisabled());
}

TEST_F(TestRun, ABatchFileThatCannotBeStartedIsNamedAndTheTestsComeBack) {
  Start();  // the kit has no "All " batch files
  Click(main_.low);
  const std::optional<SeenMessageBox> box = WaitForMessageBox(*program_, 5s);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(L"could not be started"), std::wstring::npos) << box->text;
  EXPECT_NE(box->text.find(folder_ / L"Low Quality\\lq-flyby-benchmark_All .bat"),
            std::wstring::npos)
      << box->text;
  EXPECT_TRUE(main_.TestsEnabled());
  DismissMessageBox(*box);
  // No timer was left polling for a result.
  WriteFileBytes(folder_ / L"LQ_FPS.txt", ResultFileText(MakeLevels(1)));
  std::this_thread::sleep_for(6s);
  EXPECT_EQ(program_->FindWindowByCaption(L"Low Quality Test Results: All Resolutions"), nullptr);
}

TEST_F(TestRun, AResultFileLeftByAnEarlierRunIsNotTakenForTheNewOne) {
  const std::vector<Level> old_levels = MakeLevels(2);
  const std::vector<Level> new_levels = MakeLevels(5);
  WriteFileBytes(folder_ / L"CPU_Test_FPS.txt", ResultFileText(old_levels));
  // This batch file leaves the old file alone for a while before it writes the new one.
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(new_levels), /*delay_seconds=*/7);
  Start();
  const HWND window = RunAndWait(main_.cpu, L"CPU Test Results", 20s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(ListOf(window)).size(), 2u + new_levels.size());
}

TEST_F(TestRun, ABatchFileThatHandsTheRunToAnotherProgramAndEndsAtOnceGetsItsResult) {
  const std::vector<Level> levels = MakeLevels(7);
  // The benchmark runs in a process of its own that writes the result some 15 seconds later.
  folder_.WriteResultBatch(L"CPU Test\\flyby-runner.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(levels), /*delay_seconds=*/15);
  folder_.WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat",
                     "start \"\" /min \"%~dp0flyby-runner.bat\"\n");
  Start();
  Click(main_.cpu);
  const HWND window = program_->WaitForWindow(L"CPU Test Results", 45s);
  ASSERT_NE(window, nullptr);
  std::vector<std::wstring> expected = {L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS", L""};
  for (const std::wstring& row : ExpectedDataRows(levels)) expected.push_back(row);
  EXPECT_EQ(ListRows(ListOf(window)), expected);
  EXPECT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 30s));
  EXPECT_FALSE(WaitForMessageBox(*program_, 0ms).has_value());
}

// Uses the menu from the keyboard, so it runs alone.
TEST_F(TestRun, StopWaitingFromTheMenuEndsAWaitAndALateResultIsNotTakenForTheNextRun) {
  const std::vector<Level> late_levels = MakeLevels(2);
  const std::vector<Level> new_levels = MakeLevels(5);
  // The first run writes nothing while the program waits; its result comes once the user
  // has stopped waiting (when the test leaves "go.txt").
  folder_.WriteResultBatch(L"CPU Test\\write-late.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(late_levels));
  folder_.WriteBatch(L"CPU Test\\flyby-runner.bat",
                     ":wait\n"
                     "if exist \"%~dp0..\\go.txt\" goto write\n"
                     "ping -n 2 127.0.0.1 >nul\n"
                     "goto wait\n"
                     ":write\n"
                     "call \"%~dp0write-late.bat\"\n");
  folder_.WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat",
                     "start \"\" /min \"%~dp0flyby-runner.bat\"\n");
  Start();
  EXPECT_EQ(FirstMenuItemGreyed(*program_, main_.window, 'F'), true);
  Click(main_.cpu);
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsDisabled(); }, 30s));
  EXPECT_EQ(FirstMenuItemGreyed(*program_, main_.window, 'F'), false);

  PressKeys(main_.window, {{VK_MENU, 'F'}, {'W'}});
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 30s));
  EXPECT_EQ(FirstMenuItemGreyed(*program_, main_.window, 'F'), true);

  // The abandoned run's file arrives, and nothing shows it.
  WriteFileBytes(folder_ / L"go.txt", "");
  const std::wstring result = folder_ / L"CPU_Test_FPS.txt";
  ASSERT_TRUE(WaitUntil([&] { return !ReadFileBytes(result).empty(); }, 60s));
  std::this_thread::sleep_for(6s);
  EXPECT_EQ(program_->FindWindowByCaption(L"CPU Test Results"), nullptr);

  // The next run waits for its own file, not the one left behind.
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(new_levels), /*delay_seconds=*/7);
  Click(main_.cpu);
  const HWND window = program_->WaitForWindow(L"CPU Test Results", 45s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(ListOf(window)).size(), 2u + new_levels.size());
  EXPECT_FALSE(WaitForMessageBox(*program_, 0ms).has_value());
}

TEST_F(TestRun, ASecondRunRefreshesTheOpenWindow) {
  folder_.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1024.bat", L"HQ_FPS.txt",
                           ResultFileText(MakeLevels(2)));
  folder_.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1600.bat", L"HQ_FPS.txt",
                           ResultFileText(MakeLevels(6)));
  Start();
  main_.ChooseResolution(L"1024 x 768");
  const HWND window = RunAndWait(main_.high, L"High Quality Test Results: 1024 x 768");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(ListOf(window)), ExpectedDataRows(MakeLevels(2)));
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 3s));

  main_.ChooseResolution(L"1600 x 1200");
  ASSERT_EQ(RunAndWait(main_.high, L"High Quality Test Results: 1600 x 1200"), window);
  EXPECT_EQ(ListRows(ListOf(window)), ExpectedDataRows(MakeLevels(6)));
  EXPECT_TRUE(main_.TestsEnabled());
}

TEST_F(TestRun, ADamagedResultFileListsTheCompleteGroupsAndNamesTheLine) {
  // Two complete groups, then a group cut short after its figures line (line 10).
  std::string text = ResultFileText(MakeLevels(2));
  text += "Cut-Short\r\n12.5 / 30.1 / 44.0 fps\r\n";
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt", text);
  Start();
  const HWND window = RunAndWait(main_.cpu, L"CPU Test Results");
  ASSERT_NE(window, nullptr);
  const std::optional<SeenMessageBox> box = WaitForMessageBox(*program_, 5s);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(folder_ / L"CPU_Test_FPS.txt"), std::wstring::npos) << box->text;
  EXPECT_NE(box->text.find(L"line 9"), std::wstring::npos) << box->text;
  const std::vector<std::wstring> rows = ListRows(ListOf(window));
  EXPECT_EQ(rows.size(), 4u);
  DismissMessageBox(*box);
  EXPECT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 3s));
}

TEST_F(TestRun, AClickOnADisabledButtonStartsNothing) {
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(MakeLevels(1)), /*delay_seconds=*/2);
  Start();
  Click(main_.cpu);
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsDisabled(); }, 3s));
  Click(main_.cpu);
  Click(main_.high);
  Click(main_.low);
  ASSERT_NE(program_->WaitForWindow(L"CPU Test Results", 15s), nullptr);
  EXPECT_EQ(folder_.Starts().size(), 2u);  // get-loc.bat and one CPU run
}

TEST_F(TestRun, KeyboardCtrlCCopiesTheRowsAsListed) {
  const std::vector<Level> levels = MakeLevels(3);
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(levels));
  Start();
  const HWND window = RunAndWait(main_.cpu, L"CPU Test Results");
  ASSERT_NE(window, nullptr);
  PressKeys(window, {{VK_CONTROL, 'C'}});
  std::wstring expected = L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS\r\n\r\n";
  for (const std::wstring& row : ExpectedDataRows(levels)) expected += row + L"\r\n";
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == expected; }, 3s))
      << (ClipboardText() ? "clipboard differs" : "clipboard empty");
}

TEST_F(TestRun, KeyboardFileCloseAndEscCloseTheResultWindow) {
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(MakeLevels(1)));
  Start();
  HWND window = RunAndWait(main_.cpu, L"CPU Test Results");
  ASSERT_NE(window, nullptr);
  PressKeys(window, {{VK_MENU, 'F'}, {'C'}});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 3s));

  ASSERT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 3s));
  window = RunAndWait(main_.cpu, L"CPU Test Results");
  ASSERT_NE(window, nullptr);
  PressKeys(window, {{VK_ESCAPE}});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 3s));
}

TEST_F(TestRun, ClosingTheMainWindowClosesTheResultWindowsAndEndsTheProgram) {
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(MakeLevels(1)));
  Start();
  ASSERT_NE(RunAndWait(main_.cpu, L"CPU Test Results"), nullptr);
  PostMessageW(main_.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program_->WaitForExit(5s));
}

}  // namespace
}  // namespace quorvath::testing
