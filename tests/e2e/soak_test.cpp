// Fifty runs in one program session with a fast scripted kit, mixing tests, resolutions, open
// and closed result windows, damaged and stale result files. The tests never stay
// unavailable, and nothing the program holds grows from run to run.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "process_counters.h"
#include "program_driver.h"
#include "result_files.h"

namespace quorvath::testing {
namespace {

enum class RunKind { kNormal, kDamaged, kStale };

struct Test {
  const wchar_t* result_file;
  const wchar_t* caption;  // of its result window, without the resolution
  bool at_resolution;
};
constexpr Test kTests[] = {
    {L"CPU_Test_FPS.txt", L"CPU Test Results", false},
    {L"HQ_FPS.txt", L"High Quality Test Results:", true},
    {L"LQ_FPS.txt", L"Low Quality Test Results:", true},
};
constexpr const wchar_t* kResolutions[] = {L"All Resolutions", L"1024 x 768", L"1280 x 1024",
                                           L"1600 x 1200"};

std::wstring BatchFile(std::size_t test, std::size_t resolution) {
  if (test == 0) return L"CPU Test\\cpu-flyby-benchmark.bat";
  const std::wstring suffix = resolution == 0 ? L"All " : std::wstring(kResolutions[resolution], 4);
  return test == 1 ? L"High Quality\\hq-flyby-benchmark_" + suffix + L".bat"
                   : L"Low Quality\\lq-flyby-benchmark_" + suffix + L".bat";
}

TEST(Soak, FiftyRunsLeaveNothingStuckAndNothingGrowing) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));

  std::vector<ProcessCounters> samples;
  for (int run = 0; run < 50; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const std::size_t test = static_cast<std::size_t>(run) % 3;
    const std::size_t resolution = static_cast<std::size_t>(run / 3) % 4;
    const RunKind kind = run % 10 == 4   ? RunKind::kDamaged
                         : run % 10 == 8 ? RunKind::kStale
                                         : RunKind::kNormal;
    const std::wstring batch = BatchFile(test, resolution);
    if (kind == RunKind::kStale) {
      folder.WriteBatch(batch, "rem leaves the earlier result as it was\n");
    } else {
      std::string text = ResultFileText(MakeLevels(1 + run % 7));
      if (kind == RunKind::kDamaged) text += "Cut-Short\r\n";
      folder.WriteResultBatch(batch, kTests[test].result_file, text);
    }
    if (kTests[test].at_resolution) main.ChooseResolution(kResolutions[resolution]);

    Click(test == 0 ? main.cpu : test == 1 ? main.high : main.low);
    ASSERT_TRUE(WaitUntil([&] { return main.TestsDisabled(); }, 30s));
    std::wstring caption = kTests[test].caption;
    if (kTests[test].at_resolution) caption += std::wstring(L" ") + kResolutions[resolution];
    if (kind == RunKind::kNormal) {
      ASSERT_NE(program.WaitForWindow(caption, 30s), nullptr);
    } else if (kind == RunKind::kDamaged) {
      const std::optional<SeenMessageBox> box = WaitForMessageBox(program, 30s);
      ASSERT_TRUE(box.has_value());
      DismissMessageBox(*box);
      ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }, 30s));
    } else {
      // The earlier result is not taken for this run's; the user stops waiting.
      std::this_thread::sleep_for(6s);
      ASSERT_FALSE(WaitForMessageBox(program, 0ms).has_value());
      PressKeys(main.window, {{VK_MENU, 'F'}, {'W'}});
    }
    ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 30s)) << "the tests stayed disabled";

    // Every other run leaves its window open, to be refreshed by the next run of its test.
    if (run % 2 == 1) {
      if (const HWND window = program.FindWindowByCaption(caption)) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 30s));
      }
    }
    // Sampled in the same state each time: no result window open.
    if (run % 5 == 4) {
      for (const HWND window : program.Windows()) {
        if (window != main.window) PostMessageW(window, WM_CLOSE, 0, 0);
      }
      ASSERT_TRUE(WaitUntil([&] { return program.Windows().size() == 1; }, 30s));
      std::this_thread::sleep_for(300ms);
      samples.push_back(SampleCounters(program.process(), program.pid()));
    }
  }

  ASSERT_EQ(samples.size(), 10u);
  // The first two samples cover the first use of every window; from then on nothing grows.
  const ProcessCounters& settled = samples[2];
  for (std::size_t i = 3; i < samples.size(); ++i) {
    SCOPED_TRACE("sample " + std::to_string(i));
    EXPECT_GT(samples[i].handles, 0u) << "no handle count";
    EXPECT_LE(samples[i].handles, settled.handles + 4);
    EXPECT_EQ(samples[i].windows, settled.windows);
    if (settled.gdi_objects && samples[i].gdi_objects) {
      EXPECT_LE(*samples[i].gdi_objects, *settled.gdi_objects + 4);
    }
    if (settled.user_objects && samples[i].user_objects) {
      EXPECT_LE(*samples[i].user_objects, *settled.user_objects + 4);
    }
    EXPECT_GT(samples[i].committed_bytes, 0u) << "no memory count";
    EXPECT_LE(samples[i].committed_bytes, settled.committed_bytes + (2u << 20));
  }
  std::string report;
  for (const ProcessCounters& sample : samples) {
    report += std::to_string(sample.handles) + "/" + std::to_string(sample.windows) + "/" +
              (sample.gdi_objects ? std::to_string(*sample.gdi_objects) : "-") + "/" +
              std::to_string(sample.committed_bytes / 1024) + "K ";
  }
  ::testing::Test::RecordProperty("handles/windows/gdi/committed", report);
  std::printf("handles/windows/gdi/committed after every 5th run: %s\n", report.c_str());
}

}  // namespace
}  // namespace quorvath::testing
