// Faults a user's machine can present: folders that cannot be made, files that cannot be
// replaced, read or deleted, results written slowly, and names outside the ANSI code page.
// In each the program says what is wrong where the user must know, loses nothing, and never
// leaves the tests unavailable.
#include <gtest/gtest.h>

#include <thread>

#include "program_driver.h"
#include "result_files.h"

namespace quorvath::testing {
namespace {

std::string Utf8(std::wstring_view text) {
  std::string bytes(text.size() * 4, '\0');
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return bytes;
}

class Faults : public ::testing::Test {
 protected:
  void Start() {
    program_.emplace(folder_.exe());
    main_ = FindMainWindow(*program_);
    ASSERT_NE(main_.window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 12s));
  }
  std::vector<std::wstring> RowsOf(HWND window) { return ListRows(FindChild(window, L"ListBox")); }

  ProgramFolder folder_;
  std::optional<RunningProgram> program_;
  MainWindow main_;
};

TEST_F(Faults, AFileWhereTheBenchmarkFolderShouldBeStopsTheTestWithAMessage) {
  folder_.ReportGameFolder();
  WriteFileBytes(folder_.game_dir() + L"\\Benchmark", "not a folder");
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(MakeLevels(2)));
  Start();
  Click(main_.cpu);
  const std::optional<SeenMessageBox> box = WaitForMessageBox(*program_, 5s);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(L"was not started"), std::wstring::npos) << box->text;
  EXPECT_NE(box->text.find(folder_.game_dir() + L"\\Benchmark should be"), std::wstring::npos)
      << box->text;
  EXPECT_TRUE(main_.TestsEnabled());
  DismissMessageBox(*box);
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(folder_.Starts().size(), 1u) << "the benchmark was started without its settings";
  EXPECT_EQ(ReadFileBytes(folder_.game_dir() + L"\\Benchmark"), "not a folder");
}

TEST_F(Faults, AReadOnlySettingsCopyIsUsedWhenItMatchesAndNamedWhenItDiffers) {
  folder_.ReportGameFolder();
  const std::wstring copy =
      folder_.game_dir() + L"\\Benchmark\\Custom_MinDetail\\Custom_MinDetail.ini";
  WriteFileBytes(copy, ReadFileBytes(folder_ / L"Low Quality\\Custom_MinDetail.ini"));
  ASSERT_TRUE(SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_READONLY));
  folder_.WriteResultBatch(L"Low Quality\\lq-flyby-benchmark_1600.bat", L"LQ_FPS.txt",
                           ResultFileText(MakeLevels(3)));
  Start();
  main_.ChooseResolution(L"1600 x 1200");
  Click(main_.low);
  const HWND window = program_->WaitForWindow(L"Low Quality Test Results: 1600 x 1200", 15s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(RowsOf(window), ExpectedDataRows(MakeLevels(3)));

  // The kit's settings change; the read-only copy in the game's folder cannot follow.
  WriteFileBytes(folder_ / L"Low Quality\\Custom_MinDetail.ini", "[Benchmark]\r\nDetail=Other\r\n");
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 3s));
  Click(main_.low);
  const std::optional<SeenMessageBox> box = WaitForMessageBox(*program_, 5s);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(copy), std::wstring::npos) << box->text;
  EXPECT_NE(box->text.find(L"read-only"), std::wstring::npos) << box->text;
  EXPECT_TRUE(main_.TestsEnabled());
  DismissMessageBox(*box);
  EXPECT_EQ(folder_.Starts().size(), 2u);  // get-loc.bat and the first run only
}

TEST_F(Faults, AResultFileHeldByAnotherProgramIsReadOnceReleased) {
  folder_.ReportGameFolder();
  folder_.WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat", "ping -n 2 127.0.0.1 >nul\n");
  Start();
  Click(main_.cpu);
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsDisabled(); }, 3s));
  // Another program writes the file and keeps it open, shared with nobody, for 8 seconds.
  const std::wstring path = folder_ / L"CPU_Test_FPS.txt";
  HANDLE holder = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::string text = ResultFileText(MakeLevels(4));
  DWORD written = 0;
  WriteFile(holder, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  std::this_thread::sleep_for(8s);
  EXPECT_EQ(program_->FindWindowByCaption(L"CPU Test Results"), nullptr);
  EXPECT_TRUE(main_.TestsDisabled());
  CloseHandle(holder);

  const HWND window = program_->WaitForWindow(L"CPU Test Results", 10s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(RowsOf(window).size(), 2u + 4u);
  EXPECT_FALSE(WaitForMessageBox(*program_, 1s).has_value());
}

TEST_F(Faults, AResultFileHeldForGoodIsNamedAndTheTestsComeBack) {
  folder_.ReportGameFolder();
  folder_.WriteBatch(L"CPU Test\\cpu-flyby-benchmark.bat", "rem ends at once\n");
  Start();
  Click(main_.cpu);
  ASSERT_TRUE(WaitUntil([&] { return main_.TestsDisabled(); }, 3s));
  const std::wstring path = folder_ / L"CPU_Test_FPS.txt";
  HANDLE holder = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::optional<SeenMessageBox> box = WaitForMessageBox(*program_, 20s);
  CloseHandle(holder);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(L"could not be read"), std::wstring::npos) << box->text;
  EXPECT_NE(box->text.find(path), std::wstring::npos) << box->text;
  DismissMessageBox(*box);
  EXPECT_TRUE(WaitUntil([&] { return main_.TestsEnabled(); }, 3s));
}

TEST_F(Faults, AResultFileWrittenInPiecesIsListedWhole) {
  folder_.ReportGameFolder();
  // Against the kit's rules, this batch file writes its result in place, in two parts.
  const std::string first = ResultFileText(MakeLevels(2));
  const std::string all = ResultFileText(MakeLevels(7));
  WriteFileBytes(folder_ / L"fixtures\\first.txt", first + "Level-3-Bay\r\n");
  WriteFileBytes(folder_ / L"fixtures\\rest.txt", all.substr(first.size() + 13));
  folder_.WriteBatch(L"High Quality\\hq-flyby-benchmark_All .bat",
                     "type \"%~dp0..\\fixtures\\first.txt\" >\"%~dp0..\\HQ_FPS.txt\"\n"
                     "ping -n 9 127.0.0.1 >nul\n"
                     "type \"%~dp0..\\fixtures\\rest.txt\" >>\"%~dp0..\\HQ_FPS.txt\"\n");
  Start();
  Click(main_.high);
  const HWND window = program_->WaitForWindow(L"High Quality Test Results: All Resolutions", 20s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(RowsOf(window), ExpectedAllResolutionRows(MakeLevels(7)));
  EXPECT_FALSE(WaitForMessageBox(*program_, 1s).has_value());
}

TEST_F(Faults, ALocationFileThatCannotBeDeletedIsNamedAndTheTestsRunAllTheSame) {
  folder_.ReportLocationBytes(Ansi(folder_.game_dir()) + "\r\n", "attrib +r \"%~dp0..\\ut.out\"\n");
  folder_.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(MakeLevels(1)));
  program_.emplace(folder_.exe());
  main_ = FindMainWindow(*program_);
  ASSERT_NE(main_.window, nullptr);
  const std::optional<SeenMessageBox> box = WaitForMessageBox(*program_, 12s);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(folder_ / L"ut.out"), std::wstring::npos) << box->text;
  EXPECT_TRUE(main_.TestsEnabled());
  DismissMessageBox(*box);
  Click(main_.cpu);
  EXPECT_NE(program_->WaitForWindow(L"CPU Test Results", 15s), nullptr);
}

TEST_F(Faults, FoldersOutsideTheAnsiCodePageWorkEndToEnd) {
  ProgramFolder unicode(L"Prog \u03A9 \u4E2D\u6587 & (x)");
  ScratchFolder game_parent(L"Spiel \u0416 \u65E5\u672C");
  const std::wstring game = game_parent / L"Game \u03A9";
  // A location file in UTF-8 with its byte-order mark can name such a folder.
  unicode.ReportLocationBytes("\xEF\xBB\xBF" + Utf8(game) + "\r\n");
  const std::vector<Level> levels = MakeLevels(7);
  unicode.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                           ResultFileText(levels));
  RunningProgram program(unicode.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));
  Click(main.cpu);
  const HWND window = program.WaitForWindow(L"CPU Test Results", 15s);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ListRows(FindChild(window, L"ListBox")).size(), 9u);
  EXPECT_EQ(ReadFileBytes(game + L"\\Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini"),
            ReadFileBytes(unicode / L"CPU Test\\CPU_LowDetail.ini"));
}

TEST_F(Faults, AProgramFolderNearMaxPathStartsAndNamesTheBatchFileTooLongToRun) {
  // A program folder about 234 characters long: "CPU Test\get-loc.bat" still fits within
  // MAX_PATH, the test batch files and the deeper required files do not.
  wchar_t temp[MAX_PATH + 1] = {};
  const std::size_t temp_length = GetTempPathW(MAX_PATH + 1, temp);
  ProgramFolder deep(L"Quorvath deep " + std::wstring(234 - 20 - 14 - temp_length, L'x'));
  const std::wstring batch = deep / L"CPU Test\\cpu-flyby-benchmark.bat";
  ASSERT_LT((deep / L"CPU Test\\get-loc.bat").size(), static_cast<std::size_t>(MAX_PATH));
  ASSERT_GE(batch.size(), static_cast<std::size_t>(MAX_PATH));
  ASSERT_GT((deep / L"High Quality\\hq-flyby-benchmark_1024.bat").size(),
            static_cast<std::size_t>(MAX_PATH));
  deep.ReportGameFolder();
  deep.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                        ResultFileText(MakeLevels(2)));
  RunningProgram program(deep.exe());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  // Every required file is found, however long its path.
  EXPECT_FALSE(WaitForMessageBox(program, 0ms).has_value());
  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));

  Click(main.cpu);
  const std::optional<SeenMessageBox> box = WaitForMessageBox(program, 5s);
  ASSERT_TRUE(box.has_value());
  EXPECT_NE(box->text.find(L"could not be started"), std::wstring::npos) << Ansi(box->text);
  EXPECT_NE(box->text.find(batch), std::wstring::npos) << Ansi(box->text);
  EXPECT_TRUE(main.TestsEnabled());
}

}  // namespace
}  // namespace quorvath::testing
