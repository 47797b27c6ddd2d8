// Every window is laid out in twips and converted with the screen's DPI: at 96 DPI 15 twips
// make a pixel, at 144 DPI 10. These run in the usual prefix at 96 DPI, and again in one set
// to 144 DPI (see scripts/run-in-own-prefix.sh).
#include <gtest/gtest.h>

#include "program_driver.h"
#include "result_files.h"

namespace quorvath::testing {
namespace {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Px(int twips) { return MulDiv(twips, ScreenDpi(), 1440); }

// A child's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ExpectClientArea(HWND window, int width_twips, int height_twips) {
  const SIZE client = ClientSize(window);
  EXPECT_EQ(client.cx, Px(width_twips)) << Ansi(WindowText(window));
  EXPECT_EQ(client.cy, Px(height_twips)) << Ansi(WindowText(window));
}

TEST(DpiMenu, EveryWindowIsLaidOutInTwipsAtTheScreensDpi) {
  if (const char* expected = std::getenv("QUORVATH_EXPECT_DPI")) {
    ASSERT_EQ(ScreenDpi(), std::atoi(expected)) << "the prefix is not at the DPI asked for";
  }
  ProgramFolder folder;
  folder.ReportGameFolder();
  folder.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                          ResultFileText(MakeLevels(3)));
  folder.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_All .bat", L"HQ_FPS.txt",
                          ResultFileText(MakeLevels(3)));
  folder.WriteResultBatch(L"Low Quality\\lq-flyby-benchmark_All .bat", L"LQ_FPS.txt",
                          ResultFileText(MakeLevels(3)));
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);

  ExpectClientArea(main.window, 5415, 3375);
  const RECT cpu = PlaceOf(main.cpu);
  EXPECT_EQ(cpu.left, Px(120));
  EXPECT_EQ(cpu.top, Px(2760));
  EXPECT_EQ(cpu.right - cpu.left, Px(1215));
  EXPECT_EQ(cpu.bottom - cpu.top, Px(495));
  const RECT text = PlaceOf(main.text);
  EXPECT_EQ(text.left, Px(1680));
  EXPECT_EQ(text.top, Px(2160));
  EXPECT_EQ(text.right - text.left, Px(3615));
  EXPECT_EQ(text.bottom - text.top, Px(1095));

  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));
  Click(main.cpu);
  const HWND cpu_results = program.WaitForWindow(L"CPU Test Results", 15s);
  ASSERT_NE(cpu_results, nullptr);
  ExpectClientArea(cpu_results, 8535, 3285);
  const RECT list = PlaceOf(FindChild(cpu_results, L"ListBox"));
  EXPECT_EQ(list.left, Px(120));
  EXPECT_EQ(list.bottom - list.top, Px(3060));

  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 3s));
  Click(main.high);
  const HWND high = program.WaitForWindow(L"High Quality Test Results: All Resolutions", 15s);
  ASSERT_NE(high, nullptr);
  ExpectClientArea(high, 8505, 3645);
  EXPECT_EQ(PlaceOf(FindChild(high, L"ListBox")).top, Px(480));

  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 3s));
  Click(main.low);
  const HWND low = program.WaitForWindow(L"Low Quality Test Results: All Resolutions", 15s);
  ASSERT_NE(low, nullptr);
  ExpectClientArea(low, 8505, 3645);

  PressKeys(main.window, {{VK_MENU, 'H'}, {'A'}});
  const HWND about = program.WaitForWindow(L"About Quorvath", 5s);
  ASSERT_NE(about, nullptr);
  ExpectClientArea(about, 5730, 4110);
}

}  // namespace
}  // namespace quorvath::testing
