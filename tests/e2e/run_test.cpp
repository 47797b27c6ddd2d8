// Start-up and test runs, with scripted batch files standing in for the benchmark: the system,
// the required files, the game's folder, results and runs that end otherwise.
#include <gmock/gmock.h>

#include "program_driver.h"

namespace quorvath::testing {

using namespace ::testing;
using Rows = std::vector<std::wstring>;
constexpr wchar_t kCpuBatch[] = L"CPU Test\\cpu-flyby-benchmark.bat";
constexpr wchar_t kCpuHeader[] = L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS";
constexpr wchar_t kColumnHeader[] =
    L"Level                           Low FPS                    Average FPS             High FPS";

// Win98 (Wine's setting) is refused, and the first missing required file named, in the program's
// only window, and nothing starts. WinXP is accepted.
TEST(OsVersion, Win98AndAMissingFileStopTheProgramWinXpStartsIt) {
  for (const int step : {0, 1}) {
    const ScopedWineSetting setting(L"", L"Version", step == 0 ? "win98" : "winxp");
    Session s;
    if (step == 1) DeleteFileW((s / L"Low Quality\\lq-flyby-benchmark_1280.bat").c_str());
    if (step == 1) DeleteFileW((s / L"High Quality\\Custom_MaxDetail.ini").c_str());
    s.Launch(s.exe());
    const std::optional<SeenMessageBox> box = s.Message();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->title + L": " + box->text,
              step == 0 ? L"Not Supported: This Operating System is not Supported"
                        : L"Error!: The file: " + (s / L"High Quality\\Custom_MaxDetail.ini") +
                              L" is needed to run.");
    EXPECT_EQ(WindowsOf(s.pid), std::vector{box->hwnd});
    DismissMessageBox(*box);
    EXPECT_TRUE(s.WaitForExit());
    EXPECT_EQ(s.Starts(), "") << "get-loc.bat was started";
  }
  const ScopedWineSetting winxp(L"", L"Version", "winxp");
  Session s;
  EXPECT_TRUE(s.Start() && !s.Message(0ms));
}

// get-loc.bat leaves a blank location; the game's folder comes after the notice.
TEST(StartUp, ShowsTheMainWindowAndTakesOnlyARealLocationTellingOnceWhenItIsLate) {
  Session s;
  s.ReportLocation("   ,C:\\Other\r\n");
  ASSERT_TRUE(s.Start(/*ready=*/false));
  EXPECT_EQ(Items(s.combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT),
            (Rows{L"All Resolutions", L"1024 x 768", L"1280 x 1024", L"1600 x 1200"}));
  EXPECT_EQ(WindowText(s.combo), L"All Resolutions");
  EXPECT_EQ(
      WindowText(s.text),
      L"The High and Low Quality tests will use the resolution that you select above.\r\n\r\n"
      L"The CPU Benchmark will only run at 640 x 480.\r\n\r\n"
      L"Seven tests will be rendered [at each resolution], and the framerates recorded.\r\n\r\n"
      L"Please wait 10 seconds after the last test for the results to be displayed.\r\n\r\n"
      L"Tests using a single resolution will take approx. 10 minutes to run.  Tests using "
      L"All Resolutions will take approx. 30 minutes to complete.");
  EXPECT_EQ(ClientSize(s.window), Px({5415, 3375}));  // 361 x 225 at 96 DPI
  EXPECT_EQ(PlaceOf(s.cpu), Px({120, 2760, 1215, 495}));
  EXPECT_EQ(PlaceOf(s.text), Px({1680, 2160, 3615, 1095}));
  // The buttons cannot take the focus yet. Other tests' windows share the desktop: the window
  // is brought to the front first, where it gives the focus back to the control that had it.
  EXPECT_TRUE(Eventually([&] {
    SetForegroundWindow(s.window);
    return FocusedControl(s.window) == s.banner;
  })) << FocusedControl(s.window);
  const std::wstring location = s / L"ut.out";
  OneTick();
  EXPECT_EQ(ReadFileBytes(location), "   ,C:\\Other\r\n") << "left for the next tick";
  const std::optional<SeenMessageBox> notice = s.Message(60s);  // after 30 s
  ASSERT_TRUE(notice.has_value());
  EXPECT_THAT(notice->title + L": " + notice->text,
              AllOf(HasSubstr(L"Quorvath: The game's installation folder has not been found yet"),
                    HasSubstr(L"\"CPU Test\\get-loc.bat\" reports it in the file \"" + location)));
  EXPECT_TRUE(s.TestsDisabled());
  WriteFileBytes(location, "  \"" + Ansi(s.game_dir) + "\"  \r\n");  // while it is open
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
  EXPECT_TRUE(Eventually([&] { return GetFileAttributesW(location.c_str()) == MAXDWORD; }));
  EXPECT_EQ(s.Starts(), s.StartedHere("get-loc.bat"));
  DismissMessageBox(*notice);
  OneTick();
  EXPECT_FALSE(s.Message(0ms).has_value()) << "the notice came twice";
}

Rows AllRows(int records) {  // three rows a record at "All Resolutions"
  Rows rows;
  const wchar_t* captions[] = {L"1600 x 1200", L"1280 x 1024", L"1024 x 768"};
  for (int i = 0; i < records; ++i) rows.insert(rows.end(), {captions[i % 3], kRows[i % 4], L" "});
  return rows;
}
struct TestRun {
  const char* name;
  HWND Program::*button;
  const wchar_t *resolution, *batch;
  int records;
  const wchar_t *caption, *settings;  // the settings' name: <game>\Benchmark\<name>\<name>.ini
  Rows rows;
};
void PrintTo(const TestRun& run, std::ostream* out) { *out << run.name; }
// clang-format off
const TestRun kTestRuns[] = {
    {"Cpu", &Program::cpu, L"1600 x 1200", kCpuBatch, 4, L"CPU Test Results", L"CPU_LowDetail",
     {kCpuHeader, L"", kRows[0], kRows[1], kRows[2], kRows[3]}},
    {"HighAll", &Program::high, L"All Resolutions", L"High Quality\\hq-flyby-benchmark_All .bat",
     21, L"High Quality Test Results: All Resolutions", L"Custom_MaxDetail", AllRows(21)},
    {"Low1024", &Program::low, L"1024 x 768", L"Low Quality\\lq-flyby-benchmark_1024.bat", 4,
     L"Low Quality Test Results: 1024 x 768", L"Custom_MinDetail", Rows(kRows, kRows + 4)},
    {"LowAll", &Program::low, L"All Resolutions", L"Low Quality\\lq-flyby-benchmark_All .bat", 4,
     L"Low Quality Test Results: All Resolutions", L"Custom_MinDetail", {L"1600 x 1200", kRows[0],
     L" ", L"1280 x 1024", kRows[1], L" ", L"1024 x 768", kRows[2], L" ", L"1600 x 1200", kRows[3],
     L" "}},
};
// clang-format on
class Runs : public ::testing::TestWithParam<TestRun> {};
INSTANTIATE_TEST_SUITE_P(EachTest, Runs, ::testing::ValuesIn(kTestRuns),
                         [](const auto& test) { return std::string(test.param.name); });

// Clicks on the disabled buttons start nothing. The CPU test's header is its list's first row;
// its window is 569 x 219 at 96 DPI, the others 567 x 243.
TEST_P(Runs, CopyTheSettingsStartTheBatchFileAndListTheResult) {
  const TestRun& run = GetParam();
  const bool cpu = run.button == &Program::cpu;
  Session s;
  s.WriteResultBatch(run.batch, ResultFile(run.records), /*go=*/true);
  ASSERT_TRUE(s.Start());
  s.ChooseResolution(run.resolution);
  ASSERT_TRUE(s.Press(s.*run.button));
  for (const HWND button : {s.cpu, s.high, s.low}) Click(button);
  s.Go();
  const HWND window = s.Window(run.caption);
  EXPECT_EQ(ListRows(window), run.rows);
  EXPECT_EQ(WindowText(FindChild(window, L"Static")), cpu ? L"" : kColumnHeader);
  EXPECT_EQ(ClientSize(window), cpu ? Px({8535, 3285}) : Px({8505, 3645}));
  EXPECT_EQ(PlaceOf(FindChild(window, L"ListBox")), Px({120, cpu ? 120 : 480, 8295, 3060}));
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
  const std::wstring batch = run.batch, folder = batch.substr(0, batch.find(L'\\') + 1);
  EXPECT_EQ(
      ReadFileBytes(s.game_dir + L"\\Benchmark\\" + run.settings + L"\\" + run.settings + L".ini"),
      ReadFileBytes(s / (folder + run.settings + L".ini")));
  EXPECT_EQ(s.Starts(),
            s.StartedHere("get-loc.bat") + s.StartedHere(Ansi(batch.substr(folder.size()))));
}

// A run that ends in a message naming the path; the tests come back, and no timer is left. The
// kit has no "All " batch files; near MAX_PATH, where the required files are still found, the
// CPU test's batch file is too long for cmd; a file stands where the Benchmark folder should be;
// the result has two complete groups, then one cut short after its figures (line 10).
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
    s.WriteResultBatch(kCpuBatch, ResultFile(2) + "Cut-Short\r\n12.5 / 30.1 / 44.0 fps\r\n");
    ASSERT_TRUE(s.Start());
    const bool low = fault == kNoAllBatchFile, damaged = fault == kDamagedResult;
    const wchar_t* caption =
        low ? L"Low Quality Test Results: All Resolutions" : L"CPU Test Results";
    Click(low ? s.low : s.cpu);
    const std::optional<SeenMessageBox> box = s.Message();
    ASSERT_TRUE(box.has_value());
    const Rows rows = ListRows(s.Window(caption, 0ms));
    DismissMessageBox(*box);
    EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
    WriteFileBytes(s / (low ? L"LQ_FPS.txt" : L"CPU_Test_FPS.txt"), ResultFile(1));
    OneTick();
    EXPECT_EQ(ListRows(s.Window(caption, 0ms)), rows) << "a timer was left";
    const std::wstring expected[][2] = {
        {L"could not be started:\r\n", s / L"Low Quality\\lq-flyby-benchmark_All .bat"},
        {L"could not be started:\r\n", s / kCpuBatch},
        {L"was not started", benchmark + L" should be"},
        {s / L"CPU_Test_FPS.txt", L"line 9"}};
    EXPECT_THAT(box->text, AllOf(HasSubstr(expected[fault][0]), HasSubstr(expected[fault][1])));
    EXPECT_EQ(rows, (damaged ? Rows{kCpuHeader, L"", kRows[0], kRows[1]} : Rows()));
    EXPECT_EQ(s.Starts(), s.StartedHere("get-loc.bat") +
                              (damaged ? s.StartedHere("cpu-flyby-benchmark.bat") : ""));
    EXPECT_TRUE(fault != kFileForBenchmarkFolder || ReadFileBytes(benchmark) == "not a folder");
  }
}

// A location file that cannot be deleted, or a result file held open for good, is named.
TEST(RunFault, FilesThatCannotBeDeletedOrReadAreNamedAndTheTestsGoOn) {
  Session s;  // the CPU test's batch file ends at once
  s.ReportLocation({}, "attrib +r \"%~dp0..\\ut.out\"\n");
  ASSERT_TRUE(s.Start(/*ready=*/false));
  std::optional<SeenMessageBox> box = s.Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_THAT(box->text, HasSubstr(s / L"ut.out"));
  EXPECT_TRUE(s.TestsEnabled());
  DismissMessageBox(*box);
  ASSERT_TRUE(s.Press(s.cpu));
  const std::wstring path = s / L"CPU_Test_FPS.txt";
  const HANDLE held = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  box = s.Message();
  CloseHandle(held);
  ASSERT_TRUE(box.has_value());
  EXPECT_THAT(box->text, HasSubstr(L"could not be read:\r\n" + path));
  DismissMessageBox(*box);
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
}

}  // namespace quorvath::testing
