// Start-up and test runs, with scripted batch files standing in for the benchmark: the system,
// the required files, the game's folder, results and runs that end otherwise.
#include <gtest/gtest.h>

#include "program_driver.h"

namespace quorvath::testing {

constexpr wchar_t kCpuBatch[] = L"CPU Test\\cpu-flyby-benchmark.bat";
constexpr wchar_t kCpuHeader[] = L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS";

// The program shows this message alone, ends once it is dismissed and has started nothing.
void ExpectAMessageAloneAndNothingStarted(Session& s, const std::wstring& title_and_text) {
  s.Launch(s.exe());
  const std::optional<SeenMessageBox> box = s.Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title + L": " + box->text, title_and_text);
  EXPECT_EQ(s.Windows(), std::vector{box->hwnd});
  DismissMessageBox(*box);
  EXPECT_TRUE(s.WaitForExit());
  EXPECT_TRUE(s.Starts().empty()) << "get-loc.bat was started";
}

TEST(OsVersion, Win98IsRefusedAndWinXpAccepted) {  // as Wine's setting for quorvath.exe
  for (const char* version : {"win98", "winxp"}) {
    const ScopedWineSetting setting(L"", L"Version", version);
    Session s;
    if (version[3] == '9') {
      ExpectAMessageAloneAndNothingStarted(s,
                                           L"Not Supported: This Operating System is not "
                                           L"Supported");
    } else {
      EXPECT_TRUE(s.Start());
      EXPECT_FALSE(s.Message(0ms).has_value());
    }
  }
}

TEST(StartUp, NamesTheFirstMissingRequiredFileAndStartsNothing) {
  Session s;
  const std::wstring missing = s / L"High Quality\\Custom_MaxDetail.ini";
  ASSERT_TRUE(DeleteFileW((s / L"Low Quality\\lq-flyby-benchmark_1280.bat").c_str()));
  ASSERT_TRUE(DeleteFileW(missing.c_str()));
  ExpectAMessageAloneAndNothingStarted(s, L"Error!: The file: " + missing + L" is needed to run.");
}

// get-loc.bat leaves a blank location; the game's folder comes after the notice.
TEST(StartUp, ShowsTheMainWindowAndTakesOnlyARealLocationTellingOnceWhenItIsLate) {
  Session s;
  s.ReportLocation("   ,C:\\Other\r\n");
  ASSERT_TRUE(s.Start(/*ready=*/false));
  EXPECT_EQ(Items(s.combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT),
            (std::vector<std::wstring>{L"All Resolutions", L"1024 x 768", L"1280 x 1024",
                                       L"1600 x 1200"}));
  EXPECT_EQ(WindowText(s.combo), L"All Resolutions");
  EXPECT_EQ(
      WindowText(s.text),
      L"The High and Low Quality tests will use the resolution that you select above.\r\n\r\n"
      L"The CPU Benchmark will only run at 640 x 480.\r\n\r\n"
      L"Seven tests will be rendered [at each resolution], and the framerates recorded.\r\n\r\n"
      L"Please wait 10 seconds after the last test for the results to be displayed.\r\n\r\n"
      L"Tests using a single resolution will take approx. 10 minutes to run.  Tests using "
      L"All Resolutions will take approx. 30 minutes to complete.");
  // 361 x 225 at 96 DPI; the buttons at 144 DPI too.
  EXPECT_EQ(ClientSize(s.window), Px({5415, 3375}));
  EXPECT_EQ(PlaceOf(s.cpu), Px({120, 2760, 1215, 495}));
  EXPECT_EQ(PlaceOf(s.text), Px({1680, 2160, 3615, 1095}));
  EXPECT_EQ(FocusedControl(s.window), s.banner);  // the buttons cannot take it yet
  const std::wstring location = s / L"ut.out";
  OneTick();
  EXPECT_TRUE(s.TestsDisabled());
  EXPECT_EQ(ReadFileBytes(location), "   ,C:\\Other\r\n") << "left for the next tick";

  const std::optional<SeenMessageBox> notice = s.Message(60s);  // after 30 s
  ASSERT_TRUE(notice.has_value());
  EXPECT_EQ(notice->title, L"Quorvath");
  EXPECT_NE(notice->text.find(L"has not been found yet"), std::wstring::npos);
  EXPECT_NE(notice->text.find(L"\"CPU Test\\get-loc.bat\" reports it in the file \"" + location),
            std::wstring::npos);
  EXPECT_TRUE(s.TestsDisabled());
  WriteFileBytes(location, "  \"" + Ansi(s.game_dir) + "\"  \r\n");  // while it is open
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
  EXPECT_TRUE(Eventually([&] { return GetFileAttributesW(location.c_str()) == MAXDWORD; }));
  EXPECT_EQ(s.Starts(), s.StartedHere("get-loc.bat"));
  DismissMessageBox(*notice);
  OneTick();
  EXPECT_FALSE(s.Message(0ms).has_value()) << "the notice came twice";
}

std::vector<std::wstring> AllRows(int records) {  // run at "All Resolutions"
  std::vector<std::wstring> rows;
  const wchar_t* captions[] = {L"1600 x 1200", L"1280 x 1024", L"1024 x 768"};
  for (int i = 0; i < records; ++i) rows.insert(rows.end(), {captions[i % 3], kRows[i % 7], L" "});
  return rows;
}

struct TestRun {
  const char* name;
  HWND Program::*button;
  const wchar_t *resolution, *batch;
  int records;
  const wchar_t* caption;
  std::vector<std::wstring> rows;
  const wchar_t* settings;  // copied into <game>\Benchmark\<its name>\ by the program
};
void PrintTo(const TestRun& run, std::ostream* out) { *out << run.name; }
const std::vector<std::wstring> kSevenRows(kRows, kRows + 7);
// clang-format off
const TestRun kTestRuns[] = {
    {"Cpu", &Program::cpu, L"1600 x 1200", kCpuBatch, 7, L"CPU Test Results",
     {kCpuHeader, L"", kRows[0], kRows[1], kRows[2], kRows[3], kRows[4], kRows[5], kRows[6]},
     L"CPU Test\\CPU_LowDetail"},
    {"High1600", &Program::high, L"1600 x 1200", L"High Quality\\hq-flyby-benchmark_1600.bat",
     7, L"High Quality Test Results: 1600 x 1200", kSevenRows, L"High Quality\\Custom_MaxDetail"},
    {"HighAll", &Program::high, L"All Resolutions", L"High Quality\\hq-flyby-benchmark_All .bat",
     21, L"High Quality Test Results: All Resolutions", AllRows(21) /* 63 rows */,
     L"High Quality\\Custom_MaxDetail"},
    {"Low1024", &Program::low, L"1024 x 768", L"Low Quality\\lq-flyby-benchmark_1024.bat",
     7, L"Low Quality Test Results: 1024 x 768", kSevenRows, L"Low Quality\\Custom_MinDetail"},
    {"LowAll", &Program::low, L"All Resolutions", L"Low Quality\\lq-flyby-benchmark_All .bat",
     4, L"Low Quality Test Results: All Resolutions", {L"1600 x 1200", kRows[0], L" ",
     L"1280 x 1024", kRows[1], L" ", L"1024 x 768", kRows[2], L" ", L"1600 x 1200", kRows[3], L" "},
     L"Low Quality\\Custom_MinDetail"},
};
// clang-format on
class Runs : public ::testing::TestWithParam<TestRun> {};
INSTANTIATE_TEST_SUITE_P(EachTest, Runs, ::testing::ValuesIn(kTestRuns),
                         [](const auto& test) { return std::string(test.param.name); });

// Clicks that reach the disabled buttons during the run start nothing.
TEST_P(Runs, CopyTheSettingsStartTheBatchFileAndListTheResult) {
  const TestRun& run = GetParam();
  Session s;
  s.WriteResultBatch(run.batch, ResultFile(run.records), /*go=*/true);
  ASSERT_TRUE(s.Start());
  s.ChooseResolution(run.resolution);
  ASSERT_TRUE(s.Press(s.*run.button));
  for (const HWND button : {s.cpu, s.high, s.low}) Click(button);
  s.Go();
  const HWND window = s.Window(run.caption);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(window), run.rows);
  // The CPU test's header is its list's first row; its window is 569 x 219 at 96 DPI, the
  // others 567 x 243.
  const bool cpu = run.button == &Program::cpu;
  EXPECT_EQ(WindowText(FindChild(window, L"Static")),
            cpu ? L""
                : L"Level                           Low FPS                    Average FPS       "
                  L"      High FPS");
  EXPECT_EQ(ClientSize(window), cpu ? Px({8535, 3285}) : Px({8505, 3645}));
  const std::vector<int> list = PlaceOf(FindChild(window, L"ListBox"));
  EXPECT_EQ((std::vector{list[0], list[1], list[3]}), Px({120, cpu ? 120 : 480, 3060}));
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
  const std::wstring settings = run.settings, name = settings.substr(settings.find(L'\\'));
  EXPECT_EQ(ReadFileBytes(s.game_dir + L"\\Benchmark" + name + name + L".ini"),
            ReadFileBytes(s / (settings + L".ini")));
  const std::wstring_view batch = run.batch;
  EXPECT_EQ(s.Starts(),
            s.StartedHere("get-loc.bat") + s.StartedHere(Ansi(batch.substr(batch.find('\\') + 1))));
}

// The resolution chosen while a run waits shapes its window; the one at its start chose the
// batch file.
TEST(TestRun, ASecondRunRefreshesTheOpenWindowAsTheResolutionNowChosen) {
  Session s;
  s.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1024.bat", ResultFile(2));
  s.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1280.bat", ResultFile(3), true);
  ASSERT_TRUE(s.Start());
  s.ChooseResolution(L"1024 x 768");
  Click(s.high);
  const HWND window = s.Window(L"High Quality Test Results: 1024 x 768");
  EXPECT_EQ(ListRows(window), (std::vector{kRows[0], kRows[1]}));
  ASSERT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
  s.ChooseResolution(L"1280 x 1024");
  ASSERT_TRUE(s.Press(s.high));
  s.ChooseResolution(L"All Resolutions");
  s.Go();
  EXPECT_EQ(s.Window(L"High Quality Test Results: All Resolutions"), window);
  EXPECT_EQ(ListRows(window), AllRows(3));
  EXPECT_EQ(s.Starts(), s.StartedHere("get-loc.bat") +
                            s.StartedHere("hq-flyby-benchmark_1024.bat") +
                            s.StartedHere("hq-flyby-benchmark_1280.bat"));
}

// Runs that end in a message, which names the path; the tests come back and, a tick after a
// new result file, that changed nothing: no timer is left. The kit has no "All " batch files;
// in a program folder near MAX_PATH, where every required file is still found, the CPU test's
// batch file is too long for the command interpreter; a file stands where the game's Benchmark
// folder should be; the result is damaged.
TEST(RunFault, ARunThatEndsInAMessageNamesThePath) {
  wchar_t temp[MAX_PATH + 1] = {};
  const std::wstring deep(234 - 34 - GetTempPathW(MAX_PATH + 1, temp), L'x');
  enum Fault { kNoAllBatchFile, kBatchFileTooLong, kFileForBenchmarkFolder, kDamagedResult };
  for (const Fault fault :
       {kNoAllBatchFile, kBatchFileTooLong, kFileForBenchmarkFolder, kDamagedResult}) {
    SCOPED_TRACE(fault);
    Session s(fault == kBatchFileTooLong ? L"Quorvath deep " + deep : L"Quorvath");
    const std::wstring benchmark = s.game_dir + L"\\Benchmark";
    if (fault == kFileForBenchmarkFolder) WriteFileBytes(benchmark, "not a folder");
    // Two complete groups, then one cut short after its figures (line 10).
    s.WriteResultBatch(kCpuBatch, ResultFile(2) + "Cut-Short\r\n12.5 / 30.1 / 44.0 fps\r\n");
    ASSERT_TRUE(s.Start());
    Click(fault == kNoAllBatchFile ? s.low : s.cpu);
    const std::optional<SeenMessageBox> box = s.Message();
    ASSERT_TRUE(box.has_value());
    const std::wstring caption = fault == kNoAllBatchFile
                                     ? L"Low Quality Test Results: All Resolutions"
                                     : L"CPU Test Results";
    const std::vector<std::wstring> rows = ListRows(s.Window(caption, 0ms));
    DismissMessageBox(*box);
    EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
    WriteFileBytes(s / (fault == kNoAllBatchFile ? L"LQ_FPS.txt" : L"CPU_Test_FPS.txt"),
                   ResultFile(1));
    OneTick();
    EXPECT_EQ(ListRows(s.Window(caption, 0ms)), rows) << "a timer was left";
    const std::wstring expected[][2] = {
        {L"could not be started:\r\n", s / L"Low Quality\\lq-flyby-benchmark_All .bat"},
        {L"could not be started:\r\n", s / kCpuBatch},
        {L"was not started", benchmark + L" should be"},
        {s / L"CPU_Test_FPS.txt", L"line 9"}};
    EXPECT_NE(box->text.find(expected[fault][0]), std::wstring::npos) << Ansi(box->text);
    EXPECT_NE(box->text.find(expected[fault][1]), std::wstring::npos) << Ansi(box->text);
    EXPECT_EQ(rows, (fault == kDamagedResult
                         ? std::vector<std::wstring>{kCpuHeader, L"", kRows[0], kRows[1]}
                         : std::vector<std::wstring>()));
    EXPECT_EQ(s.Starts(),
              s.StartedHere("get-loc.bat") +
                  (fault == kDamagedResult ? s.StartedHere("cpu-flyby-benchmark.bat") : ""));
    EXPECT_TRUE(fault != kBatchFileTooLong || (s / kCpuBatch).size() >= MAX_PATH);
    EXPECT_TRUE(fault != kFileForBenchmarkFolder || ReadFileBytes(benchmark) == "not a folder");
  }
}

// A location file that cannot be deleted is named and the tests are available all the same; a
// result file that another program holds open for good is named, and the tests come back.
TEST(RunFault, FilesThatCannotBeDeletedOrReadAreNamedAndTheTestsGoOn) {
  Session s;  // the CPU test's batch file ends at once, and another program makes its result
  s.ReportLocation({}, "attrib +r \"%~dp0..\\ut.out\"\n");
  ASSERT_TRUE(s.Start(/*ready=*/false));
  std::optional<SeenMessageBox> box = s.Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(s / L"ut.out"), std::wstring::npos) << Ansi(box->text);
  EXPECT_TRUE(s.TestsEnabled());
  DismissMessageBox(*box);
  ASSERT_TRUE(s.Press(s.cpu));
  const std::wstring path = s / L"CPU_Test_FPS.txt";
  const HANDLE held = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  box = s.Message();
  CloseHandle(held);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(L"could not be read:\r\n" + path), std::wstring::npos)
      << Ansi(box->text);
  DismissMessageBox(*box);
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
}

}  // namespace quorvath::testing
