// A test run several times unattended, as a series: Runs, Run Each Test 3 Times.
#include <gmock/gmock.h>

#include <regex>

#include "program_driver.h"

namespace quorvath::testing {

namespace {

using ::testing::HasSubstr;

constexpr const wchar_t* kBatch = L"High Quality\\hq-flyby-benchmark_1280.bat";

// The High Quality test at 1280 x 1024, repeated three times with each press: each run of the
// batch file writes the next of the result files fixtures\run1.txt, run2.txt, ... in turn.
struct SeriesSession : Session {
  explicit SeriesSession(const std::vector<std::string>& results, bool wait_for_go = false) {
    for (std::size_t i = 0; i < results.size(); ++i) {
      WriteFileBytes(*this / (L"fixtures\\run" + std::to_wstring(i + 1) + L".txt"), results[i]);
    }
    WriteFileBytes(*this / L"count.txt", "0\r\n");
    WriteBatch(kBatch,
               "set /p N=<\"%~dp0..\\count.txt\"\nset /a N=N+1\n>\"%~dp0..\\count.txt\" echo %N%\n"
               "type \"%~dp0..\\fixtures\\run%N%.txt\" >\"%~dp0..\\HQ_FPS.tmp\"\n"
               "move /y \"%~dp0..\\HQ_FPS.tmp\" \"%~dp0..\\HQ_FPS.txt\"\n",
               wait_for_go);
  }
  bool StartThreeTimes() {
    RemoveTree(ResultsFolder());
    if (!Start()) return false;
    ChooseResolution(L"1280 x 1024");
    PressKeys(window, {{VK_MENU, 'R'}, {'3'}});
    return true;
  }
  int Started() const {  // how many runs the batch file began
    const std::string log = Starts();
    int count = 0;
    for (std::size_t at = 0; (at = log.find("hq-flyby", at)) != std::string::npos; ++at) ++count;
    return count;
  }
};

// The value of `column` (counted from 0) on the first record line of a saved run.
std::string Column(const std::wstring& file, std::size_t column) {
  const std::string bytes = ReadFileBytes(ResultsFolder() + L"\\" + file);
  std::string line = bytes.substr(bytes.find("\r\n") + 2);
  line = line.substr(0, line.find("\r\n"));
  for (std::size_t i = 0; i < column; ++i) line = line.substr(line.find(',') + 1);
  return line.substr(0, line.find(','));
}

std::string Levels(double a, double b, double c) {  // three levels' average figures
  std::string text;
  const char* names[] = {"Cinder Keep", "Frostmere", "Glasswood"};
  const double averages[] = {a, b, c};
  for (int i = 0; i < 3; ++i) {
    char line[96];
    std::snprintf(line, sizeof line, "%s\r\n10 / %.0f / 90 fps\r\n1300\r\n32.9\r\n", names[i],
                  averages[i]);
    text += line;
  }
  return text;
}

}  // namespace

TEST(Series, ThreeRunsAreSavedAsOneSeriesAndTheTestsWaitForTheLast) {
  SeriesSession s({ResultFile(2), ResultFile(2), ResultFile(2)});
  ASSERT_TRUE(s.StartThreeTimes());
  ASSERT_TRUE(s.Press(s.high));
  // The buttons stay disabled from the press until the third run is saved.
  bool enabled_early = false;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const bool enabled = s.TestsEnabled();
        const std::size_t saved = SavedRuns().size();
        enabled_early |= enabled && saved < 3;
        return saved == 3 && enabled;
      },
      120s));
  EXPECT_FALSE(enabled_early);
  EXPECT_EQ(s.Started(), 3);
  const std::vector<std::wstring> runs = SavedRuns();
  const std::string series = Column(runs[0], 14);
  EXPECT_TRUE(std::regex_match(series, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"))) << series;
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Column(runs[i], 14), series);
    EXPECT_EQ(Column(runs[i], 15), std::to_string(i + 1) + " of 3");
  }
  EXPECT_EQ(Column(runs[0], 6), series);  // the series is known by its first run's start
  EXPECT_EQ(ListRows(s.Window(L"High Quality Test Results: 1280 x 1024")).size(), 2u);
}

TEST(Series, StopWaitingDuringTheSecondRunKeepsTheFirstAndEndsTheSeries) {
  SeriesSession s({ResultFile(2), ResultFile(3), ResultFile(4)}, true);
  ASSERT_TRUE(s.StartThreeTimes());
  ASSERT_TRUE(s.Press(s.high));
  s.Go();
  ASSERT_TRUE(WaitUntil([&] { return SavedRuns().size() == 1 && s.Started() == 2; }, 60s));
  EXPECT_TRUE(s.TestsDisabled());
  ASSERT_TRUE(StopWaiting(s));
  s.Go();  // the abandoned second run's file arrives: nothing takes it, no third run starts
  ASSERT_TRUE(Eventually([&] { return ReadFileBytes(s / L"HQ_FPS.txt") == ResultFile(3); }));
  std::this_thread::sleep_for(16s);  // past a tick and the gap between runs
  EXPECT_EQ(SavedRuns().size(), 1u);
  EXPECT_EQ(s.Started(), 2);
  EXPECT_EQ(Column(SavedRuns()[0], 15), "1 of 3");
  EXPECT_EQ(ListRows(s.Window(L"High Quality Test Results: 1280 x 1024")).size(), 2u);
}

// Figures worked out by hand (averages of three runs; Welch's t-test, 95 %, two-sided):
//   Cinder Keep  40 41 42 then 44 45 46: means 41, 45, sd 1 and 1, t 4.90 at df 4 (t 2.776): faster
//   Frostmere    50 51 52 then 46 47 48: means 51, 47, t -4.90 at df 4: slower
//   Glasswood    60 61 62 then 60 62 64: means 61, 62, sd 1 and 2, t 0.77: within noise
TEST(Series, TwoSetsTellFasterSlowerAndWithinNoise) {
  SeriesSession s({Levels(40, 50, 60), Levels(41, 51, 61), Levels(42, 52, 62), Levels(44, 46, 60),
                   Levels(45, 47, 62), Levels(46, 48, 64)});
  ASSERT_TRUE(s.StartThreeTimes());
  for (const wchar_t* label : {L"old", L"new"}) {
    ASSERT_TRUE(s.GiveLabel(label));
    ASSERT_TRUE(s.Press(s.high));
    const std::size_t saved = label[0] == L'o' ? 3 : 6;
    ASSERT_TRUE(WaitUntil([&] { return SavedRuns().size() == saved && s.TestsEnabled(); }, 120s));
  }
  const HWND window = s.Window(L"High Quality Test Results: 1280 x 1024");
  PressKeys(window, {{VK_MENU, 'V'}, {'C'}});
  const HWND chart = s.Window(L"High Quality Results Chart: 1280 x 1024");
  ASSERT_NE(chart, nullptr);
  PressKeys(chart, {{VK_CONTROL, 'C'}});
  std::wstring text;
  ASSERT_TRUE(Eventually([&] {
    text = ClipboardText().value_or(L"");
    return text.find(L"new (3 runs)") != std::wstring::npos;
  })) << Ansi(text);
  EXPECT_THAT(text, HasSubstr(L"Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\t"
                              L"Change\tRuns\tSD\tVerdict\r\n"));
  EXPECT_THAT(text, HasSubstr(L"Cinder Keep\t1280 x 1024\told (3 runs)\t10.00\t41.00\t90.00\t"
                              L"\t3\t1.00\t\r\n"));
  EXPECT_THAT(text, HasSubstr(L"Cinder Keep\t1280 x 1024\tnew (3 runs)\t10.00\t45.00\t90.00\t"
                              L"+9.8 %\t3\t1.00\tfaster\r\n"));
  EXPECT_THAT(text, HasSubstr(L"Frostmere\t1280 x 1024\tnew (3 runs)\t10.00\t47.00\t90.00\t"
                              L"\u2212"
                              L"7.8 %\t3\t1.00\tslower\r\n"));
  EXPECT_THAT(text, HasSubstr(L"Glasswood\t1280 x 1024\tnew (3 runs)\t10.00\t62.00\t90.00\t"
                              L"+1.6 %\t3\t2.00\twithin noise\r\n"));
}

}  // namespace quorvath::testing
