// The main window by keyboard alone: Tab order, a test run from the keyboard, its window
// closed with Esc.
#include <gtest/gtest.h>

#include "program_driver.h"
#include "result_files.h"

namespace quorvath::testing {
namespace {

TEST(MainKeyboard, TabMovesThroughTheControlsInTheirOrderAndSpaceRunsATest) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  folder.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                          ResultFileText(MakeLevels(2)));
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));
  ASSERT_EQ(FocusedControl(main.window), main.banner);

  // From the banner: the resolution list, the text, then "CPU Test", "High Quality",
  // "Low Quality" and the banner again.
  const HWND order[] = {main.combo, main.text, main.cpu, main.high, main.low, main.banner};
  for (const HWND expected : order) {
    PressKeys(main.window, {{VK_TAB}});
    EXPECT_TRUE(WaitUntil([&] { return FocusedControl(main.window) == expected; }, 2s))
        << "focus on " << Ansi(ClassOf(FocusedControl(main.window))) << " \""
        << Ansi(WindowText(FocusedControl(main.window))) << "\"";
  }
  PressKeys(main.window, {{VK_SHIFT, VK_TAB}});
  EXPECT_TRUE(WaitUntil([&] { return FocusedControl(main.window) == main.low; }, 2s));

  // Shift+Tab twice more reaches "CPU Test"; Space presses it.
  PressKeys(main.window, {{VK_SHIFT, VK_TAB}, {VK_SHIFT, VK_TAB}});
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(main.window) == main.cpu; }, 2s));
  PressKeys(main.window, {{VK_SPACE}});
  const HWND window = program.WaitForWindow(L"CPU Test Results", 15s);
  ASSERT_NE(window, nullptr);
  PressKeys(window, {{VK_ESCAPE}});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }, 3s));
}

TEST(MainKeyboard, TheResolutionListIsChosenWithTheArrowKeys) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  PressKeys(main.window, {{VK_TAB}});
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(main.window) == main.combo; }, 2s));
  PressKeys(main.window, {{VK_DOWN}, {VK_DOWN}});
  EXPECT_EQ(ComboSelection(main.combo), L"1280 x 1024");
  PressKeys(main.window, {{VK_END}});
  EXPECT_EQ(ComboSelection(main.combo), L"1600 x 1200");
}

}  // namespace
}  // namespace quorvath::testing
