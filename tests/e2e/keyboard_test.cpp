// The program from the keyboard and its menus: the main window's keys, File, Stop Waiting, and
// the About dialog. Keys need the keyboard focus, so these run one after the other.
#include <gtest/gtest.h>

#include "program_driver.h"

namespace quorvath::testing {

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
  GlobalUnlock(data);
  CloseClipboard();
  return text;
}

TEST(Keyboard, TabsArrowsSpaceCtrlCEscFileCloseAndFileExit) {
  Session s;
  s.folder.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", ResultFile(3));
  ASSERT_TRUE(s.Start());
  const MainWindow& m = s.main;
  ASSERT_EQ(FocusedControl(m.window), m.banner);
  // From the banner: the resolution list, chosen with the arrow keys, the text, the three
  // buttons and the banner again; Shift+Tab goes back.
  PressKeys(m.window, {{VK_TAB}, {VK_DOWN}, {VK_DOWN}});
  EXPECT_EQ(FocusedControl(m.window), m.combo);
  EXPECT_EQ(ComboSelection(m.combo), L"1280 x 1024");
  PressKeys(m.window, {{VK_END}});
  EXPECT_EQ(ComboSelection(m.combo), L"1600 x 1200");
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
  EXPECT_TRUE(Eventually([&] { return ClipboardText() == rows; }));
  PressKeys(window, {{VK_ESCAPE}});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(window); }));
  ASSERT_TRUE(Eventually([&] { return m.TestsEnabled(); }));
  Click(m.cpu);
  ASSERT_NE(window = s.Window(L"CPU Test Results"), nullptr);
  PressKeys(window, {{VK_MENU, 'F'}, {'C'}});
  EXPECT_TRUE(Eventually([&] { return !IsWindow(window); }));
  PressKeys(m.window, {{VK_MENU, 'F'}, {'X'}});
  EXPECT_TRUE(s.program->WaitForExit());
}

// The CPU test's batch file hands the run to a helper and ends at once; the helper leaves the
// result when the test lets it.
TEST(StopWaiting, BringsTheTestsBackAndTheAbandonedRunsFileIsNotTakenForTheNext) {
  Session s;
  s.folder.WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat",
                      "start \"\" /min \"%~dp0flyby-runner.bat\"\n");
  s.folder.WriteResultBatch(L"CPU Test\\flyby-runner.bat", ResultFile(2), true);
  ASSERT_TRUE(s.Start());
  EXPECT_EQ(FirstMenuItemGreyed(*s.program, s.main.window, 'F'), true);
  ASSERT_TRUE(s.Press(s.main.cpu));
  EXPECT_EQ(FirstMenuItemGreyed(*s.program, s.main.window, 'F'), false);
  PressKeys(s.main.window, {{VK_MENU, 'F'}, {'W'}});
  ASSERT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
  EXPECT_EQ(FirstMenuItemGreyed(*s.program, s.main.window, 'F'), true);
  s.folder.Go();  // the abandoned run's file arrives, and nothing shows it
  ASSERT_TRUE(Eventually([&] { return !ReadFileBytes(s.folder / L"CPU_Test_FPS.txt").empty(); }));
  OneTick();
  EXPECT_EQ(s.Window(L"CPU Test Results", 0ms), nullptr);

  // The next run waits for its own file, past its batch file's end, and shows it.
  s.folder.WriteResultBatch(L"CPU Test\\flyby-runner.bat", ResultFile(5), true);
  ASSERT_TRUE(s.Press(s.main.cpu));
  OneTick();
  EXPECT_EQ(s.Window(L"CPU Test Results", 0ms), nullptr);
  EXPECT_TRUE(s.main.TestsDisabled());
  s.folder.Go();
  const HWND window = s.Window(L"CPU Test Results");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(window).size(), 2u + 5u);
  EXPECT_TRUE(Eventually([&] { return s.main.TestsEnabled(); }));
  EXPECT_FALSE(s.program->Message(0ms).has_value());
}

// The About dialog, opened with Help, About (Alt+H A); its controls in Tab order: OK, the
// program's icon, System Info, the banner, then the labels.
class About : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(s_.Start(/*ready=*/false)); }
  HWND Open() {
    PressKeys(s_.main.window, {{VK_MENU, 'H'}, {'A'}});
    const HWND about = s_.Window(L"About Quorvath");
    controls_.clear();
    for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      controls_.push_back(child);
    }
    return controls_.size() == 9 ? about : nullptr;
  }
  bool Closed(HWND about) const {
    return Eventually([&] { return !IsWindow(about); }) && !s_.program->WaitForExit(0ms) &&
           !s_.program->Message(0ms).has_value();
  }

  Session s_;
  std::vector<HWND> controls_;
};

TEST_F(About, IsLaidOutAsDesignedWithItsTabOrderAndOpensOnce) {
  const HWND about = Open();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(ClientSize(about), (std::vector{382, 274}));
  EXPECT_EQ(GetWindow(about, GW_OWNER), s_.main.window);  // no taskbar button of its own
  EXPECT_EQ(GetWindowLongPtrW(about, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  EXPECT_EQ(GetWindowLongPtrW(about, GWL_STYLE) &
                (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_SYSMENU);
  // clang-format off
  const std::tuple<const wchar_t*, const wchar_t*, std::vector<int>> design[] = {  // in twips
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
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    auto [window_class, text, place] = design[i];
    for (int& twips : place) twips = MulDiv(twips, 96, 1440);
    EXPECT_EQ(ClassOf(controls_[i]) + L" " + WindowText(controls_[i]),
              std::wstring(window_class) + L" " + text);
    EXPECT_EQ(PlaceOf(controls_[i]), place) << Ansi(text);
  }
  // The pictures fit their images exactly inside a sunken border.
  EXPECT_EQ(ClientSize(controls_[1]), (std::vector{32, 32}));
  EXPECT_EQ(ClientSize(controls_[3]), (std::vector{346, 91}));
  EXPECT_TRUE(GetWindowLongPtrW(controls_[1], GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongPtrW(controls_[3], GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  // The etched separator under the banner: grey one pixel high at 1605 twips (row 107) from
  // 90 twips (x 6) to 5654 twips (x 377), white two pixels high under it from 105 twips (x 7).
  // Rows 106 to 110 at x 5, 6, 7, 100, 376 and 377: Grey, White, the dialog's Face, or unchecked.
  const char* kSeparator[] = {"...F..", "FG.GGF", ".FWWW.", "..WWW.", "...F.."};
  const int xs[] = {5, 6, 7, 100, 376, 377};
  const COLORREF grey = RGB(128, 128, 128), white = RGB(255, 255, 255);
  POINT origin{0, 106};
  ClientToScreen(about, &origin);
  std::vector<COLORREF> pixels;
  const auto at = [&](std::size_t row, int x) { return pixels.at(row * 382 + x); };
  EXPECT_TRUE(Eventually([&] {  // once painted
    pixels = ScreenPixels({origin.x, origin.y, origin.x + 382, origin.y + 6});
    return at(1, 6) == grey;
  }));
  const COLORREF face = at(5, 100);  // row 111
  EXPECT_TRUE(face != grey && face != white);
  for (std::size_t row = 0; row < 5; ++row) {
    for (std::size_t i = 0; i < 6; ++i) {
      const char e = kSeparator[row][i];
      EXPECT_TRUE(e == '.' || at(row, xs[i]) == (e == 'G'   ? grey
                                                 : e == 'W' ? white
                                                            : face))
          << "row " << 106 + row << ", x " << xs[i];
    }
  }

  // OK is the default button and has the focus; Tab goes round to it. Help, About again brings
  // this dialog forward.
  EXPECT_EQ(GetWindowLongPtrW(controls_[0], GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(FocusedControl(about), controls_[0]);
  for (const std::size_t next : {1, 2, 3, 0}) {
    PressKeys(about, {{VK_TAB}});
    EXPECT_EQ(FocusedControl(about), controls_[next]);
  }
  EXPECT_EQ(Open(), about);
  EXPECT_TRUE(Eventually([&] { return GetForegroundWindow() == about; }));
  const std::vector<HWND> windows = s_.program->Windows();
  EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                          [](HWND w) { return WindowText(w) == L"About Quorvath"; }),
            1);
}

TEST_F(About, ClosesWithOkItsCloseBoxEscAndEnterAndWithTheMainWindow) {
  HWND about = Open();
  ASSERT_NE(about, nullptr);
  Click(controls_[0]);
  EXPECT_TRUE(Closed(about));
  ASSERT_NE(about = Open(), nullptr);
  PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(Closed(about));
  // Esc and Enter, with the focus on OK (no Tab), the icon (one) or the banner (three).
  for (const std::size_t tabs : {0, 1, 3}) {
    for (const WORD key : std::initializer_list<WORD>{VK_ESCAPE, VK_RETURN}) {
      SCOPED_TRACE(std::to_string(key) + " after " + std::to_string(tabs) + " Tab");
      ASSERT_NE(about = Open(), nullptr);
      for (std::size_t i = 0; i < tabs; ++i) PressKeys(about, {{VK_TAB}});
      EXPECT_EQ(FocusedControl(about), controls_[tabs]);
      PressKeys(about, {{key}});
      EXPECT_TRUE(Closed(about));
    }
  }
  ASSERT_NE(Open(), nullptr);
  PostMessageW(s_.main.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(s_.program->WaitForExit());
}

TEST_F(About, SystemInfoSaysWhenTheToolIsUnavailableAndStartsItWhenRegistered) {
  const ScopedRegistryValue path(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                 L"PATH");
  const ScopedRegistryValue folder(HKEY_LOCAL_MACHINE,
                                   L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
  ASSERT_TRUE(path.Remove() && folder.Remove());
  const HWND about = Open();
  ASSERT_NE(about, nullptr);
  Click(controls_[2]);
  const std::optional<SeenMessageBox> box = s_.program->Message();
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title + L": " + box->text,
            L"Quorvath: System Information Is Unavailable At This Time");
  DismissMessageBox(*box);
  EXPECT_TRUE(Eventually([&] { return !IsWindow(box->hwnd); }));
  EXPECT_TRUE(IsWindow(about)) << "the dialog stays open";

  // A stand-in for the tool, registered by its full path.
  const std::wstring tool = s_.folder / L"System Info Tool.exe";
  ASSERT_TRUE(CopyFileW(BuiltFile(L"planted\\unhardened_window.exe").c_str(), tool.c_str(), 0));
  ASSERT_TRUE(path.SetString(Ansi(tool)));
  Click(controls_[2]);
  HWND started = nullptr;
  EXPECT_TRUE(Eventually([&] { return (started = FindWindowW(nullptr, L"Unhardened")) != 0; }));
  DWORD pid = 0;
  GetWindowThreadProcessId(started, &pid);
  const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
  TerminateProcess(process, 0);
  CloseHandle(process);
  EXPECT_FALSE(s_.program->Message(0ms).has_value());
}

}  // namespace quorvath::testing
