// Each run kept in the history, Documents\Quorvath\Results, and charted against the one before.
#include <gmock/gmock.h>

#include <cwchar>
#include <regex>

#include "program_driver.h"

namespace quorvath::testing {

using ::testing::HasSubstr;

// The time of a saved run, from its file name ("2026-12-07 14-03-22 ..."), as the user's
// short date and time format writes it.
std::wstring UserDateTime(const std::wstring& file) {
  SYSTEMTIME time{};
  std::swscanf(file.c_str(), L"%hu-%hu-%hu %hu-%hu-%hu", &time.wYear, &time.wMonth, &time.wDay,
               &time.wHour, &time.wMinute, &time.wSecond);
  wchar_t date[80] = {}, clock[80] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 80);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 80);
  return std::wstring(date) + L" " + clock;
}

// A run is saved with its figures exactly as read; the next run's chart, opened from the
// keyboard, compares with it, and Ctrl+C copies what it shows. At 96 and at 144 DPI.
TEST(History, SavesEachRunAsCsvAndItsChartComparesWithTheRunBefore) {
  RemoveTree(ResultsFolder());
  Session s;
  const wchar_t* batch = L"High Quality\\hq-flyby-benchmark_1280.bat";
  s.WriteResultBatch(batch, ResultFile(2));
  ASSERT_TRUE(s.Start());
  s.ChooseResolution(L"1280 x 1024");
  Click(s.high);
  const HWND window = s.Window(L"High Quality Test Results: 1280 x 1024");
  ASSERT_TRUE(Eventually([&] { return s.TestsEnabled() && SavedRuns().size() == 1; }));
  const std::vector<std::wstring> first = SavedRuns();
  EXPECT_TRUE(std::regex_match(
      Ansi(first[0]),
      std::regex(R"(\d{4}-\d\d-\d\d \d\d-\d\d-\d\d High Quality 1280 x 1024\.csv)")))
      << Ansi(first[0]);
  // Each line ends in the run's label (none), start, duration and machine.
  std::smatch csv;
  const std::string bytes = ReadFileBytes(ResultsFolder() + L"\\" + first[0]);
  ASSERT_TRUE(std::regex_match(
      bytes, csv,
      std::regex(
          "\xEF\xBB\xBFResolution,Level,Low FPS,Average FPS,High FPS,Label,Started,"
          "Duration \\(s\\),Computer,Processor,Memory \\(MB\\),Graphics,Graphics Driver,"
          "Windows,Series,Run\r\n"
          "1280 x 1024,Cinder Keep,24.22,41.06,70.62(,,\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d,"
          "\\d+,[^,\r\n]+,.*)\r\n"
          "1280 x 1024,Frostmere,9.5,12.75,19(.*)\r\n")))
      << bytes;
  EXPECT_EQ(csv[1].str(), csv[2].str());

  s.WriteResultBatch(batch,
                     "Cinder Keep\r\n20 / 43.11 / 80 fps\r\nx\r\ny\r\n"
                     "\"Glass, wood\"\r\n7 / 8.5 / 9 fps\r\nx\r\ny\r\n");
  Click(s.high);
  ASSERT_TRUE(Eventually([&] { return SavedRuns().size() == 2 && s.TestsEnabled(); }));
  PressKeys(window, {{VK_MENU, 'V'}, {'C'}});
  const HWND chart = s.Window(L"High Quality Results Chart: 1280 x 1024");
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(ClientSize(chart)[0], Px({9600})[0]);  // 640 device-independent pixels
  PressKeys(chart, {{VK_CONTROL, 'C'}});
  // The earlier run is the base: its levels first, each with the new run's bar after it; the
  // runs named by their time in the user's format.
  const std::vector<std::wstring> both = SavedRuns();
  ASSERT_EQ(both.size(), 2u);
  const std::wstring base = UserDateTime(both[0]), run = UserDateTime(both[1]);
  EXPECT_TRUE(Eventually([&] {
    return ClipboardText() ==
           L"High Quality, 1280 x 1024: changes against " + base + L"\r\n" +
               L"Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange\tRuns\tSD\t"
               L"Verdict\r\n" +
               L"Cinder Keep\t1280 x 1024\t" + base + L"\t24.22\t41.06\t70.62\t\t1\t\t\r\n" +
               L"Cinder Keep\t1280 x 1024\t" + run + L"\t20\t43.11\t80\t+5.0 %\t1\t\t\r\n" +
               L"Frostmere\t1280 x 1024\t" + base + L"\t9.5\t12.75\t19\t\t1\t\t\r\n" +
               L"Glass, wood\t1280 x 1024\t" + run + L"\t7\t8.5\t9\t\t1\t\t\r\n";
  })) << Ansi(ClipboardText().value_or(L"nothing"));
  PressKeys(chart, {{VK_ESCAPE}});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(chart); }));
}

// A run is the resolution chosen at its start: its batch file, its window's caption and rows and
// its saved file. The box stays usable meanwhile, for the next run.
TEST(History, ARunKeepsTheResolutionChosenAtItsStartWhateverIsChosenWhileItRuns) {
  RemoveTree(ResultsFolder());
  Session s;
  s.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1024.bat", ResultFile(2));
  s.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1280.bat", ResultFile(3), true);
  ASSERT_TRUE(s.Start());
  s.ChooseResolution(L"1024 x 768");
  Click(s.high);
  const HWND window = s.Window(L"High Quality Test Results: 1024 x 768");
  EXPECT_EQ(ListRows(window), (std::vector<std::wstring>{kRows[0], kRows[1]}));
  ASSERT_TRUE(Eventually([&] { return s.TestsEnabled() && SavedRuns().size() == 1; }));
  s.ChooseResolution(L"1280 x 1024");
  ASSERT_TRUE(s.Press(s.high));
  s.ChooseResolution(L"All Resolutions");
  EXPECT_EQ(WindowText(s.combo), L"All Resolutions");
  s.Go();
  ASSERT_TRUE(Eventually([&] { return s.TestsEnabled() && SavedRuns().size() == 2; }));
  EXPECT_EQ(WindowText(window), L"High Quality Test Results: 1280 x 1024");
  EXPECT_EQ(ListRows(window), (std::vector<std::wstring>{kRows[0], kRows[1], kRows[2]}));
  const std::wstring saved = SavedRuns()[1];
  EXPECT_EQ(saved.substr(19), L" High Quality 1280 x 1024.csv");
  const std::string csv = ReadFileBytes(ResultsFolder() + L"\\" + saved);
  EXPECT_EQ(csv.substr(csv.find("\r\n") + 2, 12), "1280 x 1024,");
  EXPECT_EQ(s.Starts(), s.StartedHere("get-loc.bat") +
                            s.StartedHere("hq-flyby-benchmark_1024.bat") +
                            s.StartedHere("hq-flyby-benchmark_1280.bat"));
}

// A file where the history folder should be: one message names the folder, the results show.
TEST(History, AFolderThatCannotBeWrittenIsNamedOnceAndTheResultsShowAllTheSame) {
  RemoveTree(ResultsFolder());
  WriteFileBytes(ResultsFolder(), "not a folder");
  Session s;
  s.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", ResultFile(1));
  ASSERT_TRUE(s.Start());
  Click(s.cpu);
  const std::optional<SeenMessageBox> box = s.Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_THAT(box->text,
              HasSubstr(L"could not be saved in the history folder:\r\n" + ResultsFolder()));
  EXPECT_EQ(ListRows(s.Window(L"CPU Test Results", 0ms)).size(), 3u);
  DismissMessageBox(*box);
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
  EXPECT_FALSE(s.Message(0ms).has_value());
  DeleteFileW(ResultsFolder().c_str());
}

}  // namespace quorvath::testing
