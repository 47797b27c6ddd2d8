// Start-up as a user meets it: refusal of unsupported systems, the check of the required
// files, the main window, and the game's folder reported by get-loc.bat.
#include <gtest/gtest.h>

#include <thread>

#include "program_driver.h"
#include "wine_version.h"

namespace quorvath::testing {
namespace {

constexpr wchar_t kExplanation[] =
    L"The High and Low Quality tests will use the resolution that you select above.\r\n\r\n"
    L"The CPU Benchmark will only run at 640 x 480.\r\n\r\n"
    L"Seven tests will be rendered [at each resolution], and the framerates recorded.\r\n\r\n"
    L"Please wait 10 seconds after the last test for the results to be displayed.\r\n\r\n"
    L"Tests using a single resolution will take approx. 10 minutes to run.  Tests using All "
    L"Resolutions will take approx. 30 minutes to complete.";

// The program starts where the user starts it; nothing may depend on that being its folder.
TEST(StartUp, ShowsTheMainWindowAsDesigned) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  ASSERT_NE(main.cpu, nullptr);
  ASSERT_NE(main.high, nullptr);
  ASSERT_NE(main.low, nullptr);
  ASSERT_NE(main.combo, nullptr);
  ASSERT_NE(main.text, nullptr);
  ASSERT_NE(main.banner, nullptr);

  // Until the game's folder is known no test can start.
  EXPECT_FALSE(IsEnabled(main.cpu));
  EXPECT_FALSE(IsEnabled(main.high));
  EXPECT_FALSE(IsEnabled(main.low));

  EXPECT_EQ(ComboEntries(main.combo), (std::vector<std::wstring>{L"All Resolutions", L"1024 x 768",
                                                                 L"1280 x 1024", L"1600 x 1200"}));
  EXPECT_EQ(ComboSelection(main.combo), L"All Resolutions");
  EXPECT_EQ(WindowText(main.text), kExplanation);

  const SIZE client = ClientSize(main.window);
  EXPECT_EQ(client.cx, 361);
  EXPECT_EQ(client.cy, 225);

  // The first control in Tab order that can take the focus is the banner.
  EXPECT_EQ(FocusedControl(main.window), main.banner);
}

TEST(StartUp, EnablesTheTestsOnceTheGameFolderIsReportedAndConsumesTheLocationFile) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);

  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));
  // Deleted in the same tick that enabled the tests, just after.
  EXPECT_TRUE(WaitUntil(
      [&] { return GetFileAttributesW((folder / L"ut.out").c_str()) == INVALID_FILE_ATTRIBUTES; },
      2s));

  // get-loc.bat ran once, with "1", in the program folder.
  const std::vector<std::string> starts = folder.Starts();
  ASSERT_EQ(starts.size(), 1u);
  std::string program_folder = Ansi(folder.path());
  program_folder.pop_back();  // cmd shows the current folder without its backslash
  EXPECT_EQ(starts[0], "get-loc.bat 1 | " + program_folder);
}

TEST(StartUp, PicksUpALocationFileThatAppearsLate) {
  ProgramFolder folder;
  folder.ReportGameFolder(/*delay_seconds=*/8);
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);

  // The first tick, 5 s after start, finds nothing and changes nothing.
  std::this_thread::sleep_for(6500ms);
  EXPECT_FALSE(IsEnabled(main.cpu));
  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));
  // Deleted in the same tick that enabled the tests, just after.
  EXPECT_TRUE(WaitUntil(
      [&] { return GetFileAttributesW((folder / L"ut.out").c_str()) == INVALID_FILE_ATTRIBUTES; },
      2s));
}

TEST(StartUp, AnEmptyLocationIsNotTakenForTheGameFolder) {
  ProgramFolder folder;
  // A first line of spaces: no folder. The tests must stay unavailable.
  folder.WriteBatch(L"CPU Test\\get-loc.bat", ">\"%~dp0..\\ut.out\" echo    ,C:\\Other\n");
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  std::this_thread::sleep_for(6500ms);
  EXPECT_FALSE(IsEnabled(main.cpu));
  EXPECT_FALSE(IsEnabled(main.high));
  EXPECT_FALSE(IsEnabled(main.low));
  // Left in place, for the next tick to read again.
  EXPECT_NE(GetFileAttributesW((folder / L"ut.out").c_str()), INVALID_FILE_ATTRIBUTES);

  WriteFileBytes(folder / L"ut.out", "  \"" + Ansi(folder.game_dir()) + "\"  \r\n");
  EXPECT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 7s));
}

TEST(StartUp, TellsTheUserOnceWhenTheGameFolderStaysUnknownAndKeepsWaiting) {
  ProgramFolder folder;  // get-loc.bat reports nothing
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);

  const std::optional<SeenMessageBox> notice = WaitForMessageBox(program, 40s);
  ASSERT_TRUE(notice.has_value());
  EXPECT_EQ(notice->title, L"Quorvath");
  EXPECT_NE(notice->text.find(L"has not been found yet"), std::wstring::npos) << notice->text;
  EXPECT_NE(notice->text.find(L"CPU Test\\get-loc.bat"), std::wstring::npos) << notice->text;
  EXPECT_FALSE(IsEnabled(main.cpu));

  // Polling goes on while the notice is open.
  WriteFileBytes(folder / L"ut.out", Ansi(folder.game_dir()) + "\r\n");
  EXPECT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 7s));
  DismissMessageBox(*notice);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notice->hwnd); }, 3s));
  std::this_thread::sleep_for(6s);
  EXPECT_FALSE(WaitForMessageBox(program, 0ms).has_value()) << "the notice came twice";
}

TEST(StartUp, WorksFromAProgramFolderOutsideTheAnsiCodePage) {
  ProgramFolder folder(L"Bench \u03A9 \u4E2D\u6587 kit");
  // The location file can only name a folder the ANSI code page can spell.
  ScratchFolder game(L"Quorvath game");
  const std::string game_dir = Ansi(game.path().substr(0, game.path().size() - 1));
  folder.WriteBatch(L"CPU Test\\get-loc.bat", ">\"%~dp0..\\ut.out\" echo " + game_dir + "\n");
  RunningProgram program(folder.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));
  // Deleted in the same tick that enabled the tests, just after.
  EXPECT_TRUE(WaitUntil(
      [&] { return GetFileAttributesW((folder / L"ut.out").c_str()) == INVALID_FILE_ATTRIBUTES; },
      2s));
}

TEST(StartUp, NamesTheFirstMissingRequiredFileAndStopsThere) {
  ProgramFolder folder(L"Bench kit");
  folder.ReportGameFolder();
  ASSERT_TRUE(DeleteFileW((folder / L"Low Quality\\lq-flyby-benchmark_1280.bat").c_str()));
  ASSERT_TRUE(DeleteFileW((folder / L"High Quality\\Custom_MaxDetail.ini").c_str()));
  RunningProgram program(folder.exe());

  const std::optional<SeenMessageBox> error = WaitForMessageBox(program);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->title, L"Error!");
  EXPECT_EQ(error->text, L"The file: " + (folder / L"High Quality\\Custom_MaxDetail.ini") +
                             L" is needed to run.");
  EXPECT_EQ(program.FindWindowByCaption(L"Quorvath"), nullptr);

  DismissMessageBox(*error);
  EXPECT_TRUE(program.WaitForExit(5s));
  EXPECT_TRUE(folder.Starts().empty()) << "get-loc.bat was started";
}

TEST(StartUp, AFolderNamedLikeARequiredFileIsNotTheFile) {
  ProgramFolder folder;
  const std::wstring path = folder / L"CPU Test\\cpu-flyby-benchmark.bat";
  ASSERT_TRUE(DeleteFileW(path.c_str()));
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  RunningProgram program(folder.exe());
  const std::optional<SeenMessageBox> error = WaitForMessageBox(program);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->text, L"The file: " + path + L" is needed to run.");
  DismissMessageBox(*error);
  EXPECT_TRUE(program.WaitForExit(5s));
}

TEST(StartUp, ExitFromTheFileMenuEndsTheProgram) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  RunningProgram program(folder.exe());
  const HWND main = program.WaitForWindow(L"Quorvath");
  ASSERT_NE(main, nullptr);
  PressKeys(main, {{VK_MENU, 'F'}, {'X'}});
  EXPECT_TRUE(program.WaitForExit(5s));
}

TEST(StartUp, ClosingTheWindowEndsTheProgram) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  RunningProgram program(folder.exe());
  const HWND main = program.WaitForWindow(L"Quorvath");
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  EXPECT_TRUE(program.WaitForExit(5s));
}

// The system the program sees is set per program in Wine's registry; these change it for
// every quorvath.exe, so they run alone.
class OsVersion : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(OsVersion, RefusesSystemsOutsideTheNtFamilyBeforeAnythingElse) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  ScopedWineVersion version(L"quorvath.exe", GetParam());
  RunningProgram program(folder.exe());

  const std::optional<SeenMessageBox> refusal = WaitForMessageBox(program);
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->title, L"Not Supported");
  EXPECT_EQ(refusal->text, L"This Operating System is not Supported");
  EXPECT_EQ(program.Windows().size(), 1u);  // the message box alone

  DismissMessageBox(*refusal);
  EXPECT_TRUE(program.WaitForExit(5s));
  EXPECT_TRUE(folder.Starts().empty()) << "get-loc.bat was started";
}

INSTANTIATE_TEST_SUITE_P(Refused, OsVersion,
                         ::testing::Values(L"win95", L"win98", L"winme", L"win31"));

class AcceptedOsVersion : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(AcceptedOsVersion, StartsOnTheNtFamily) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  ScopedWineVersion version(L"quorvath.exe", GetParam());
  RunningProgram program(folder.exe());
  EXPECT_NE(program.WaitForWindow(L"Quorvath"), nullptr);
  EXPECT_FALSE(WaitForMessageBox(program, 0ms).has_value());
}

INSTANTIATE_TEST_SUITE_P(OsVersion, AcceptedOsVersion,
                         ::testing::Values(L"nt40", L"win2k", L"winxp", L"win10"));

}  // namespace
}  // namespace quorvath::testing
