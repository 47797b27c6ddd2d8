// The program from the keyboard and its menus: the main window's keys, File, Stop Waiting, and
// the About dialog. Keys need the keyboard focus, so these run one after the other.
#include <gtest/gtest.h>

#include "program_driver.h"

namespace quorvath::testing {

TEST(Keyboard, TabsArrowsSpaceCtrlCEscFileCloseAndFileExit) {
  Session s;
  s.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", ResultFile(3));
  ASSERT_TRUE(s.Start());
  const Program& m = s;
  ASSERT_EQ(FocusedControl(m.window), m.banner);
  // From the banner: the resolution list, chosen with the arrow keys, the text, the three
  // buttons and the banner again; Shift+Tab goes back.
  PressKeys(m.window, {{VK_TAB}, {VK_DOWN}, {VK_DOWN}});
  EXPECT_EQ(FocusedControl(m.window), m.combo);
  EXPECT_EQ(WindowText(m.combo), L"1280 x 1024");
  PressKeys(m.window, {{VK_END}});
  EXPECT_EQ(WindowText(m.combo), L"1600 x 1200");
  for (const HWND next : {m.text, m.cpu, m.high, m.low, m.banner}) {
    PressKeys(m.window, {{VK_TAB}});
    EXPECT_TRUE(Eventually([&] { return FocusedControl(m.window) == next; }));
  }
  for (const HWND back : {m.low, m.high, m.cpu}) {
    PressKeys(m.window, {{VK_SHIFT, VK_TAB}});
    EXPECT_TRUE(Eventually([&] { return FocusedControl(m.window) == back; }));
  }
  PressKeys(m.window, {{VK_SPACE}});
  HWND window = s.Window(L"CPU Test Results");
  ASSERT_NE(window, nullptr);
  PressKeys(window, {{VK_CONTROL, 'C'}});
  const std::wstring rows = L"Level\t\tLow FPS\t\tAverage FPS\tHigh FPS\r\n\r\n" + kRows[0] +
                            L"\r\n" + kRows[1] + L"\r\n" + kRows[2] + L"\r\n";
  EXPECT_TRUE(Eventually([&] {
    if (!OpenClipboard(nullptr)) return false;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    const bool copied = text && rows == text;
    GlobalUnlock(data);
    return CloseClipboard() && copied;
  }));
  PressKeys(window, {{VK_ESCAPE}});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(window); }));
  ASSERT_TRUE(Eventually([&] { return m.TestsEnabled(); }));
  Click(m.cpu);
  ASSERT_NE(window = s.Window(L"CPU Test Results"), nullptr);
  PressKeys(window, {{VK_MENU, 'F'}, {'C'}});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(window); }));
  PressKeys(m.window, {{VK_MENU, 'F'}, {'X'}});
  EXPECT_TRUE(s.WaitForExit());
}

// The CPU test's batch file hands the run to a helper and ends at once; the helper leaves the
// result when the test lets it.
TEST(StopWaiting, BringsTheTestsBackAndTheAbandonedRunsFileIsNotTakenForTheNext) {
  Session s;
  s.WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat", "start \"\" /min \"%~dp0flyby-runner.bat\"\n");
  s.WriteResultBatch(L"CPU Test\\flyby-runner.bat", ResultFile(2), true);
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(FirstMenuItemGreyed(s, 'F'), true);
  ASSERT_TRUE(s.Press(s.cpu));
  EXPECT_EQ(FirstMenuItemGreyed(s, 'F'), false);
  PressKeys(s.window, {{VK_MENU, 'F'}, {'W'}});
  ASSERT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
  EXPECT_EQ(FirstMenuItemGreyed(s, 'F'), true);
  s.Go();  // the abandoned run's file arrives, and nothing shows it
  ASSERT_TRUE(Eventually([&] { return !ReadFileBytes(s / L"CPU_Test_FPS.txt").empty(); }));
  OneTick();
  EXPECT_EQ(s.Window(L"CPU Test Results", 0ms), nullptr);

  // The next run waits for its own file, past its batch file's end, and shows it.
  s.WriteResultBatch(L"CPU Test\\flyby-runner.bat", ResultFile(5), true);
  ASSERT_TRUE(s.Press(s.cpu));
  OneTick();
  EXPECT_EQ(s.Window(L"CPU Test Results", 0ms), nullptr);
  EXPECT_TRUE(s.TestsDisabled());
  s.Go();
  const HWND window = s.Window(L"CPU Test Results");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(window).size(), 2u + 5u);
  EXPECT_TRUE(Eventually([&] { return s.TestsEnabled(); }));
  EXPECT_FALSE(s.Message(0ms).has_value());
}

// The About dialog, opened with Help, About (Alt+H A), and its controls in Tab order: OK, the
// program's icon, System Info, the banner, then the labels.
std::vector<HWND> OpenAbout(const Session& s) {
  PressKeys(s.window, {{VK_MENU, 'H'}, {'A'}});
  std::vector<HWND> about{s.Window(L"About Quorvath")};
  for (HWND child = GetWindow(about[0], GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    about.push_back(child);
  }
  return about.size() == 10 ? about : std::vector<HWND>(10);
}
bool Closed(const Session& s, HWND about) {
  return Eventually([&] { return !IsWindow(about); }) && !s.WaitForExit(0ms) &&
         !s.Message(0ms).has_value();
}

// As designed in twips, at 96 DPI and 144 DPI; at 96 DPI, the pictures fit their images
// exactly inside a sunken border, and the etched separator is drawn under the banner.
TEST(About, IsLaidOutAsDesignedWithItsTabOrderAndOpensOnce) {
  Session s;
  ASSERT_TRUE(s.Start(/*ready=*/false));
  const std::vector<HWND> about = OpenAbout(s);
  ASSERT_NE(about[0], nullptr);
  EXPECT_EQ(ClientSize(about[0]), Px({5730, 4110}));
  EXPECT_EQ(GetWindow(about[0], GW_OWNER), s.window);  // no taskbar button of its own
  // clang-format off
  const std::tuple<const wchar_t*, const wchar_t*, std::vector<int>> design[] = {
      {L"Button", L"OK", {2400, 3600, 1260, 345}},
      {L"QuorvathPicture", L"", {240, 1920, 540, 540}},
      {L"Button", L"&System Info...", {3840, 3600, 1245, 345}},
      {L"QuorvathPicture", L"", {240, 120, 5250, 1425}},
      {L"Static", L"Quorvath", {1050, 1920, 3885, 480}},
      {L"Static", L"Version 1.0.0", {1050, 2460, 3885, 225}},
      {L"Static", L"Benchmarking Scripts written by Ilse Marrow.", {1050, 2805, 3885, 210}},
      {L"Static", L"Program written by Teodor Vask", {1080, 3120, 3855, 255}},
      {L"Static", L"Are you Torvane?", {1080, 3660, 1320, 225}}};
  // clang-format on
  for (std::size_t i = 0; i < 9; ++i) {
    const auto& [window_class, text, twips] = design[i];
    EXPECT_EQ(ClassOf(about[i + 1]) + L" " + WindowText(about[i + 1]),
              window_class + (L" " + std::wstring(text)));
    EXPECT_EQ(PlaceOf(about[i + 1]), Px(twips)) << Ansi(text);
  }
  if (Px({1440})[0] == 96) {
    EXPECT_EQ(ClientSize(about[2]), (std::vector{32, 32}));
    EXPECT_EQ(ClientSize(about[4]), (std::vector{346, 91}));
    EXPECT_TRUE(GetWindowLongPtrW(about[2], GWL_EXSTYLE) &
                GetWindowLongPtrW(about[4], GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // Rows 106 to 110: grey one pixel high at 1605 twips from 90 twips (x 6) to 5654 (x 376),
    // white two pixels high under it from 105 twips (x 7), on the dialog's face.
    POINT origin{0, 106};
    ClientToScreen(about[0], &origin);
    std::vector<std::string> rows;
    Eventually([&] {  // once painted
      const auto pixels = ScreenPixels({origin.x, origin.y, origin.x + 382, origin.y + 6});
      rows.assign(5, "");
      for (std::size_t i = 0; i < 5 * 382; ++i) {
        rows[i / 382] += pixels[i] == RGB(128, 128, 128)   ? 'G'
                         : pixels[i] == RGB(255, 255, 255) ? 'W'
                         : pixels[i] == pixels[5 * 382]    ? '.'
                                                           : '?';
      }
      return rows[1][6] == 'G';
    });
    const std::string face(382, '.'), white = face.substr(0, 7) + std::string(370, 'W') + ".....";
    EXPECT_EQ(rows,
              (std::vector{face, "......" + std::string(371, 'G') + ".....", white, white, face}));
  }
  // OK is the default button and has the focus; Tab goes round to it. Help, About again brings
  // this dialog forward.
  EXPECT_EQ(GetWindowLongPtrW(about[1], GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(FocusedControl(about[0]), about[1]);
  for (const std::size_t next : {2, 3, 4, 1}) {
    PressKeys(about[0], {{VK_TAB}});
    EXPECT_EQ(FocusedControl(about[0]), about[next]);
  }
  EXPECT_EQ(OpenAbout(s)[0], about[0]);
  EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == about[0]; }));
  const std::vector<HWND> windows = s.Windows();
  EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                          [](HWND w) { return WindowText(w) == L"About Quorvath"; }),
            1);
}

// It closes with OK, its close box, Esc and Enter (on OK, the icon or the banner), and with the
// main window; System Info starts the registered tool, or says that it is unavailable.
TEST(About, ClosesEveryWayAndSystemInfoStartsTheRegisteredTool) {
  const ScopedRegistryValue path(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                 L"PATH");
  const ScopedRegistryValue folder(HKEY_LOCAL_MACHINE,
                                   L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
  ASSERT_TRUE(path.Remove() && folder.Remove());
  Session s;
  ASSERT_TRUE(s.Start(/*ready=*/false));
  std::vector<HWND> about = OpenAbout(s);
  Click(about[1]);
  EXPECT_TRUE(Closed(s, about[0]));
  about = OpenAbout(s);
  PostMessageW(about[0], WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(Closed(s, about[0]));
  for (const std::size_t tabs : {0, 1, 3}) {
    for (const WORD key : std::initializer_list<WORD>{VK_ESCAPE, VK_RETURN}) {
      SCOPED_TRACE(std::to_string(key) + " after " + std::to_string(tabs) + " Tab");
      about = OpenAbout(s);
      for (std::size_t i = 0; i < tabs; ++i) PressKeys(about[0], {{VK_TAB}});
      EXPECT_EQ(FocusedControl(about[0]), about[1 + tabs]);
      PressKeys(about[0], {{key}});
      EXPECT_TRUE(Closed(s, about[0]));
    }
  }

  about = OpenAbout(s);
  Click(about[3]);
  const std::optional<SeenMessageBox> box = s.Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title + L": " + box->text,
            L"Quorvath: System Information Is Unavailable At This Time");
  DismissMessageBox(*box);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(box->hwnd); }));
  EXPECT_TRUE(IsWindow(about[0])) << "the dialog stays open";
  // A stand-in for the tool, registered by its full path.
  const std::wstring tool = s / L"System Info Tool.exe";
  ASSERT_TRUE(CopyFileW(BuiltFile(L"planted\\unhardened_window.exe").c_str(), tool.c_str(), 0));
  ASSERT_TRUE(path.SetString(Ansi(tool)));
  Click(about[3]);
  HWND started = nullptr;
  EXPECT_TRUE(Eventually([&] { return (started = FindWindowW(nullptr, L"Unhardened")) != 0; }));
  DWORD pid = 0;
  GetWindowThreadProcessId(started, &pid);
  const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
  TerminateProcess(process, 0);
  CloseHandle(process);
  EXPECT_FALSE(s.Message(0ms).has_value());
  PostMessageW(s.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(s.WaitForExit());
}

}  // namespace quorvath::testing
