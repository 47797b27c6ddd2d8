// Start-up and test runs, with scripted batch files standing in for the benchmark: the system,
// the required files, the game's folder, results and runs that end otherwise.
#include <gtest/gtest.h>

#include "program_driver.h"

namespace quorvath::testing {

constexpr wchar_t kCpuBatch[] = L"CPU Test\\cpu-flyby-benchmark.bat";
constexpr wchar_t kCpuHeader[] = L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS";

// The program shows this message alone, ends once it is dismissed and has started nothing.
void ExpectAMessageAloneAndNothingStarted(Session& s, const wchar_t* title, std::wstring text) {
  s.program.emplace(s.folder.exe());
  const std::optional<SeenMessageBox> box = s.program->Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title + L": " + box->text, title + (L": " + text));
  EXPECT_EQ(s.program->Windows(), std::vector{box->hwnd});
  DismissMessageBox(*box);
  EXPECT_TRUE(s.program->WaitForExit());
  EXPECT_TRUE(s.folder.Starts().empty()) << "get-loc.bat was started";
}

// Wine reports the system version set for every quorvath.exe in its registry.
TEST(OsVersion, Win98IsRefusedAndWinXpAccepted) {
  for (const char* version : {"win98", "winxp"}) {
    const ScopedWineSetting setting(L"", L"Version", version);
    Session s;
    if (version == std::string("win98")) {
      ExpectAMessageAloneAndNothingStarted(s, L"Not Supported",
                                           L"This Operating System is not Supported");
    } else {
      EXPECT_TRUE(s.Start());
      EXPECT_FALSE(s.program->Message(0ms).has_value());
    }
  }
}

TEST(StartUp, NamesTheFirstMissingRequiredFileAndStartsNothing) {
  Session s;
  const std::wstring missing = s.folder / L"High Quality\\Custom_MaxDetail.ini";
  ASSERT_TRUE(DeleteFileW((s.folder / L"Low Quality\\lq-flyby-benchmark_1280.bat").c_str()));
  ASSERT_TRUE(DeleteFileW(missing.c_str()));
  ExpectAMessageAloneAndNothingStarted(s, L"Error!",
                                       L"The file: " + missing + L" is needed to run.");
}

// get-loc.bat leaves a blank location; the game's folder comes after the notice.
TEST(StartUp, ShowsTheMainWindowAndTakesOnlyARealLocationTellingOnceWhenItIsLate) {
  Session s;
  s.folder.ReportLocation("   ,C:\\Other\r\n");
  ASSERT_TRUE(s.Start(/*ready=*/false));
  EXPECT_EQ(ComboEntries(s.main.combo),
            (std::vector<std::wstring>{L"All Resolutions", L"1024 x 768", L"1280 x 1024",
                                       L"1600 x 1200"}));
  EXPECT_EQ(ComboSelection(s.main.combo), L"All Resolutions");
  EXPECT_EQ(
      WindowText(s.main.text),
      L"The High and Low Quality tests will use the resolution that you select above.\r\n\r\n"
      L"The CPU Benchmark will only run at 640 x 480.\r\n\r\n"
      L"Seven tests will be rendered [at each resolution], and the framerates recorded.\r\n\r\n"
      L"Please wait 10 seconds after the last test for the results to be displayed.\r\n\r\n"
      L"Tests using a single resolution will take approx. 10 minutes to run.  Tests using "
      L"All Resolutions will take approx. 30 minutes to complete.");
  EXPECT_EQ(ClientSize(s.main.window), (std::vector{361, 225}));
  EXPECT_EQ(FocusedControl(s.main.window), s.main.banner);  // the buttons cannot take it yet
  const std::wstring location = s.folder / L"ut.out";
  OneTick();
  EXPECT_TRUE(s.main.TestsDisabled());
  EXPECT_EQ(ReadFileBytes(location), "   ,C:\\Other\r\n") << "left for the next tick";

  const std::optional<SeenMessageBox> notice = s.program->Message(60s);  // after 30 s
  ASSERT_TRUE(notice.has_value());
  EXPECT_EQ(notice->title, L"Quorvath");
  EXPECT_NE(notice->text.find(L"has not been found yet"), std::wstring::npos);
  EXPECT_NE(notice->text.find(L"\"CPU Test\\get-loc.bat\" reports it in the file \"" + location),
            std::wstring::npos);
  EXPECT_TRUE(s.main.TestsDisabled());
  WriteFileBytes(location, "  \"" + Ansi(s.folder.game_dir) + "\"  \r\n");  // while it is open
  EXPECT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
  EXPECT_TRUE(Eventually([&] { return GetFileAttributesW(location.c_str()) == MAXDWORD; }));
  EXPECT_EQ(s.folder.Starts(), std::vector{s.folder.StartedHere("get-loc.bat")});
  DismissMessageBox(*notice);
  OneTick();
  EXPECT_FALSE(s.program->Message(0ms).has_value()) << "the notice came twice";
}

std::vector<std::wstring> AllRows(int records) {  // run at "All Resolutions"
  std::vector<std::wstring> rows;
  const wchar_t* captions[] = {L"1600 x 1200", L"1280 x 1024", L"1024 x 768"};
  for (int i = 0; i < records; ++i) rows.insert(rows.end(), {captions[i % 3], kRows[i % 7], L" "});
  return rows;
}

struct TestRun {
  const char* name;
  HWND MainWindow::*button;
  const wchar_t *resolution, *batch;
  int records;
  const wchar_t* caption;
  std::vector<std::wstring> rows;
  std::vector<int> client;
  const wchar_t *settings, *copy;  // the settings file, and its copy in the game folder
};
void PrintTo(const TestRun& run, std::ostream* out) { *out << run.name; }
const std::vector<std::wstring> kSevenRows(kRows, kRows + 7);
// clang-format off
const TestRun kTestRuns[] = {
    {"Cpu", &MainWindow::cpu, L"1600 x 1200", kCpuBatch, 7, L"CPU Test Results",
     {kCpuHeader, L"", kRows[0], kRows[1], kRows[2], kRows[3], kRows[4], kRows[5], kRows[6]},
     {569, 219}, L"CPU Test\\CPU_LowDetail.ini", L"\\Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini"},
    {"High1600", &MainWindow::high, L"1600 x 1200", L"High Quality\\hq-flyby-benchmark_1600.bat",
     7, L"High Quality Test Results: 1600 x 1200", kSevenRows, {567, 243},
     L"High Quality\\Custom_MaxDetail.ini", L"\\Benchmark\\Custom_MaxDetail\\Custom_MaxDetail.ini"},
    {"HighAll", &MainWindow::high, L"All Resolutions", L"High Quality\\hq-flyby-benchmark_All .bat",
     21, L"High Quality Test Results: All Resolutions", AllRows(21) /* 63 rows */, {567, 243},
     L"High Quality\\Custom_MaxDetail.ini", L"\\Benchmark\\Custom_MaxDetail\\Custom_MaxDetail.ini"},
    {"Low1024", &MainWindow::low, L"1024 x 768", L"Low Quality\\lq-flyby-benchmark_1024.bat",
     7, L"Low Quality Test Results: 1024 x 768", kSevenRows, {567, 243},
     L"Low Quality\\Custom_MinDetail.ini", L"\\Benchmark\\Custom_MinDetail\\Custom_MinDetail.ini"},
    {"LowAll", &MainWindow::low, L"All Resolutions", L"Low Quality\\lq-flyby-benchmark_All .bat",
     4, L"Low Quality Test Results: All Resolutions", {L"1600 x 1200", kRows[0], L" ",
     L"1280 x 1024", kRows[1], L" ", L"1024 x 768", kRows[2], L" ", L"1600 x 1200", kRows[3], L" "},
     {567, 243}, L"Low Quality\\Custom_MinDetail.ini",
     L"\\Benchmark\\Custom_MinDetail\\Custom_MinDetail.ini"},
};
// clang-format on

class Runs : public ::testing::TestWithParam<TestRun> {};
INSTANTIATE_TEST_SUITE_P(EachTest, Runs, ::testing::ValuesIn(kTestRuns),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_P(Runs, CopyTheSettingsStartTheBatchFileAndListTheResult) {
  const TestRun& run = GetParam();
  Session s;
  s.folder.WriteResultBatch(run.batch, ResultFile(run.records), /*go=*/true);
  ASSERT_TRUE(s.Start());
  s.main.ChooseResolution(run.resolution);
  ASSERT_TRUE(s.Press(s.main.*run.button));
  s.folder.Go();
  const HWND window = s.Window(run.caption);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(window), run.rows);
  EXPECT_EQ(WindowText(FindChild(window, L"Static")),  // the CPU test's is in its list
            run.button == &MainWindow::cpu
                ? L""
                : L"Level                           Low FPS                    Average FPS       "
                  L"      High FPS");
  EXPECT_EQ(ClientSize(window), run.client);
  EXPECT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
  EXPECT_EQ(ReadFileBytes(s.folder.game_dir + run.copy), ReadFileBytes(s.folder / run.settings));
  const std::wstring_view batch = run.batch;
  EXPECT_EQ(s.folder.Starts(),
            (std::vector{s.folder.StartedHere("get-loc.bat"),
                         s.folder.StartedHere(Ansi(batch.substr(batch.find(L'\\') + 1)))}));
}

// The resolution chosen while a run waits shapes its window; the one at its start chose the
// batch file.
TEST(TestRun, ASecondRunRefreshesTheOpenWindowAsTheResolutionNowChosen) {
  Session s;
  s.folder.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1024.bat", ResultFile(2));
  s.folder.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1280.bat", ResultFile(3), true);
  ASSERT_TRUE(s.Start());
  s.main.ChooseResolution(L"1024 x 768");
  Click(s.main.high);
  const HWND window = s.Window(L"High Quality Test Results: 1024 x 768");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(window), (std::vector{kRows[0], kRows[1]}));
  ASSERT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
  s.main.ChooseResolution(L"1280 x 1024");
  ASSERT_TRUE(s.Press(s.main.high));
  s.main.ChooseResolution(L"All Resolutions");
  s.folder.Go();
  EXPECT_EQ(s.Window(L"High Quality Test Results: All Resolutions"), window);
  EXPECT_EQ(ListRows(window), AllRows(3));
  EXPECT_EQ(s.folder.Starts().back(), s.folder.StartedHere("hq-flyby-benchmark_1280.bat"));
}

TEST(TestRun, AClickThatReachesADisabledButtonStartsNothing) {
  Session s;
  s.folder.WriteResultBatch(kCpuBatch, ResultFile(1), true);
  ASSERT_TRUE(s.Start());
  ASSERT_TRUE(s.Press(s.main.cpu));
  for (const HWND button : {s.main.cpu, s.main.high, s.main.low}) Click(button);
  s.folder.Go();
  ASSERT_NE(s.Window(L"CPU Test Results"), nullptr);
  EXPECT_EQ(s.folder.Starts().size(), 2u);  // get-loc.bat and one CPU run
}

// Clicks `button` for a run that ends in a message and returns its text, once the message is
// dismissed and the tests are back. With `result_file`, a new result file a tick later changes
// nothing: no timer is left.
std::wstring RunEndingInAMessage(Session& s, HWND button, const wchar_t* caption,
                                 const wchar_t* result_file = nullptr) {
  if (button) Click(button);
  const std::optional<SeenMessageBox> box = s.program->Message();
  const std::vector<std::wstring> rows = ListRows(s.Window(caption, 0ms));
  if (box) DismissMessageBox(*box);
  EXPECT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
  if (result_file) {
    WriteFileBytes(s.folder / result_file, ResultFile(1));
    OneTick();
    EXPECT_EQ(ListRows(s.Window(caption, 0ms)), rows) << "a timer was left";
  }
  return box ? box->text : L"no message";
}

// The kit has no "All " batch files; in a program folder near MAX_PATH, where every required
// file is still found, the CPU test's batch file is too long for the command interpreter.
TEST(RunFault, ABatchFileThatCannotStartIsNamed) {
  wchar_t temp[MAX_PATH + 1] = {};
  const std::size_t deep = 234 - 34 - GetTempPathW(MAX_PATH + 1, temp);
  for (const bool near_max_path : {false, true}) {
    Session s(near_max_path ? L"Quorvath deep " + std::wstring(deep, L'x') : L"Quorvath");
    const std::wstring batch =
        s.folder / (near_max_path ? kCpuBatch : L"Low Quality\\lq-flyby-benchmark_All .bat");
    ASSERT_EQ(batch.size() >= MAX_PATH, near_max_path);
    ASSERT_TRUE(s.Start());
    const std::wstring text =
        near_max_path ? RunEndingInAMessage(s, s.main.cpu, L"CPU Test Results", L"CPU_Test_FPS.txt")
                      : RunEndingInAMessage(s, s.main.low,
                                            L"Low Quality Test Results: All "
                                            L"Resolutions",
                                            L"LQ_FPS.txt");
    EXPECT_NE(text.find(L"could not be started"), std::wstring::npos) << Ansi(text);
    EXPECT_NE(text.find(batch), std::wstring::npos) << Ansi(text);
  }
}

TEST(RunFault, AFileWhereTheBenchmarkFolderShouldBeStopsTheTest) {
  Session s;
  const std::wstring benchmark = s.folder.game_dir + L"\\Benchmark";
  WriteFileBytes(benchmark, "not a folder");
  ASSERT_TRUE(s.Start());
  const std::wstring text =
      RunEndingInAMessage(s, s.main.cpu, L"CPU Test Results", L"CPU_Test_FPS.txt");
  EXPECT_NE(text.find(L"was not started"), std::wstring::npos) << Ansi(text);
  EXPECT_NE(text.find(benchmark + L" should be"), std::wstring::npos) << Ansi(text);
  EXPECT_EQ(s.folder.Starts().size(), 1u) << "the benchmark was started without its settings";
  EXPECT_EQ(ReadFileBytes(benchmark), "not a folder");
}

TEST(RunFault, ADamagedResultFileListsTheCompleteGroupsAndNamesTheLine) {
  Session s;
  // Two complete groups, then one cut short after its figures (line 10).
  s.folder.WriteResultBatch(kCpuBatch, ResultFile(2) + "Cut-Short\r\n12.5 / 30.1 / 44.0 fps\r\n");
  ASSERT_TRUE(s.Start());
  const std::wstring text =
      RunEndingInAMessage(s, s.main.cpu, L"CPU Test Results", L"CPU_Test_FPS.txt");
  EXPECT_NE(text.find(s.folder / L"CPU_Test_FPS.txt"), std::wstring::npos) << Ansi(text);
  EXPECT_NE(text.find(L"line 9"), std::wstring::npos) << Ansi(text);
  EXPECT_EQ(ListRows(s.Window(L"CPU Test Results")),
            (std::vector<std::wstring>{kCpuHeader, L"", kRows[0], kRows[1]}));
}

TEST(RunFault, AResultFileHeldOpenForGoodIsNamed) {
  Session s;  // the CPU test's batch file ends at once, and another program makes its result
  ASSERT_TRUE(s.Start());
  ASSERT_TRUE(s.Press(s.main.cpu));
  const std::wstring path = s.folder / L"CPU_Test_FPS.txt";
  const HANDLE held = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  const std::wstring text = RunEndingInAMessage(s, nullptr, L"CPU Test Results");
  CloseHandle(held);
  EXPECT_NE(text.find(L"could not be read"), std::wstring::npos) << Ansi(text);
  EXPECT_NE(text.find(path), std::wstring::npos) << Ansi(text);
}

TEST(RunFault, ALocationFileThatCannotBeDeletedIsNamedAndTheTestsRunAllTheSame) {
  Session s;
  s.folder.ReportLocation({}, "attrib +r \"%~dp0..\\ut.out\"\n");
  s.folder.WriteResultBatch(kCpuBatch, ResultFile(1));
  ASSERT_TRUE(s.Start(/*ready=*/false));
  const std::optional<SeenMessageBox> box = s.program->Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(s.folder / L"ut.out"), std::wstring::npos);
  EXPECT_TRUE(s.main.TestsEnabled());
  DismissMessageBox(*box);
  Click(s.main.cpu);
  EXPECT_NE(s.Window(L"CPU Test Results"), nullptr);
}

}  // namespace quorvath::testing
