// Each run kept in the history, Documents\Quorvath\Results, and charted against the one before.
#include <gmock/gmock.h>

#include <regex>

#include "program_driver.h"

namespace quorvath::testing {

using ::testing::HasSubstr;

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
  EXPECT_EQ(ReadFileBytes(ResultsFolder() + L"\\" + first[0]),
            "\xEF\xBB\xBFResolution,Level,Low FPS,Average FPS,High FPS\r\n"
            "1280 x 1024,Cinder Keep,24.22,41.06,70.62\r\n"
            "1280 x 1024,Frostmere,9.5,12.75,19\r\n");

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
  EXPECT_TRUE(Eventually([&] {
    return ClipboardText() ==
           L"Level\tResolution\tLow FPS\tAverage FPS\tHigh FPS\tCompared Average FPS\tChange\r\n"
           L"Cinder Keep\t1280 x 1024\t20\t43.11\t80\t41.06\t+5.0 %\r\n"
           L"Glass, wood\t1280 x 1024\t7\t8.5\t9\t\t\r\n";
  })) << Ansi(ClipboardText().value_or(L"nothing"));
  PressKeys(chart, {{VK_ESCAPE}});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(chart); }));
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
