// A test's folder and settings, its result file read and waited for, on real folders.
#include "runs/test_run.h"

#include <gtest/gtest.h>

#include <thread>

#include "core/file_system.h"
#include "runs/program_folder.h"
#include "test_support.h"

namespace quorvath {
namespace {

using namespace testing;

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW((L"\\\\?\\" + path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(MakeFolderPath, CreatesEveryMissingLevelWhoseParentExists) {
  ScratchFolder root;
  const std::wstring games = root / L"Games";
  CreateFolders(games);
  EXPECT_EQ(MakeFolderPath(games + L"\\Alpha\\Benchmark\\CPU_LowDetail"), std::nullopt);
  EXPECT_TRUE(IsFolder(games + L"\\Alpha\\Benchmark\\CPU_LowDetail"));
  EXPECT_EQ(MakeFolderPath(games + L"\\Alpha\\Benchmark\\CPU_LowDetail"), std::nullopt);
  // Beyond MAX_PATH too.
  const std::wstring deep =
      games + L"\\" + std::wstring(200, L'd') + L"\\" + std::wstring(100, L'e');
  EXPECT_EQ(MakeFolderPath(deep), std::nullopt);
  EXPECT_TRUE(IsFolder(deep));
  // A file where a level should be: that level is named, nothing below it is made.
  WriteFileBytes(games + L"\\Beta", "a file");
  const std::optional<FolderFailure> failure = MakeFolderPath(games + L"\\Beta\\Benchmark\\X");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->folder, games + L"\\Beta");
  EXPECT_FALSE(IsFolder(games + L"\\Beta\\Benchmark"));
  EXPECT_EQ(MakeFolder(root / L"Missing\\Child\\"), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(IsFolder(root / L"Missing"));
  // The extended form is walked from its drive; a share that is not there is named itself.
  EXPECT_EQ(MakeFolderPath(L"\\\\?\\" + games + L"\\Gamma\\Benchmark"), std::nullopt);
  EXPECT_TRUE(IsFolder(games + L"\\Gamma\\Benchmark"));
  const std::optional<FolderFailure> share =
      MakeFolderPath(L"\\\\no-such-server\\Users\\Documents\\Quorvath\\Results");
  ASSERT_TRUE(share);
  EXPECT_EQ(share->folder, L"\\\\no-such-server\\Users");
}

TEST(CopyIfExists, CopiesFilesOnlyAndReplacesOnlyWhenAskedToAndNeverAReadOnlyFile) {
  ScratchFolder root;
  const std::wstring source = root / L"settings.ini";
  WriteFileBytes(source, "new");
  CreateFolders(root / L"Into");
  const struct {
    const wchar_t* what;
    std::wstring source, destination;
    const char* present;  // the destination file before, if any
    DWORD attributes;
    bool overwrite;
    bool copied;
  } cases[] = {
      {L"into a folder", source, root / L"Into\\", nullptr, 0, false, true},
      {L"replacing", source, root / L"Into\\", "old", 0, true, true},
      {L"not replacing", source, root / L"Into\\", "old", 0, false, false},
      {L"a read-only file", source, root / L"Into\\", "old", FILE_ATTRIBUTE_READONLY, true, false},
      {L"to a file name", source, root / L"Into\\other.ini", nullptr, 0, true, true},
      {L"a missing source", root / L"missing.ini", root / L"Into\\", nullptr, 0, true, false},
      {L"a folder as source", root / L"Into", root / L"Into\\", nullptr, 0, true, false},
      {L"a missing folder", source, root / L"Missing\\", nullptr, 0, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Ansi(c.what));
    const std::wstring target =
        c.destination.back() == L'\\' ? c.destination + L"settings.ini" : c.destination;
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(target.c_str());
    if (c.present != nullptr) WriteFileBytes(target, c.present);
    if (c.attributes != 0) SetFileAttributesW(target.c_str(), c.attributes);
    DWORD error = 1;
    EXPECT_EQ(CopyIfExists(c.source, c.destination, c.overwrite, &error), c.copied);
    EXPECT_EQ(error == ERROR_SUCCESS, c.copied);
    EXPECT_EQ(ReadFileBytes(target), c.copied ? "new" : c.present ? c.present : "");
  }
}

TEST(PrepareTestFolder, NamesWhatKeepsTheSettingsFromTheirPlace) {
  ScratchFolder root;
  const AppState app{root.path(), root / L"Game", L"All Resolutions"};
  const TestRow& test = TestRowFor(TestKind::kLow);
  const std::wstring copy = app.game_dir + L"\\Benchmark\\Custom_MinDetail\\Custom_MinDetail.ini";
  EXPECT_EQ(PrepareTestFolder(test, app),
            L"The settings file " + root / L"Low Quality\\Custom_MinDetail.ini" + L" is missing.");
  WriteFileBytes(root / L"Low Quality\\Custom_MinDetail.ini", "[Low]\r\n");
  EXPECT_EQ(PrepareTestFolder(test, app), std::nullopt);
  EXPECT_EQ(ReadFileBytes(copy), "[Low]\r\n");
  EXPECT_EQ(ReadSmallFile(copy, 5), "[Low]");  // no more than asked for
  // A read-only copy is used as long as it is the same, and named once it differs.
  SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(PrepareTestFolder(test, app), std::nullopt);
  WriteFileBytes(root / L"Low Quality\\Custom_MinDetail.ini", "[Other]\r\n");
  EXPECT_EQ(PrepareTestFolder(test, app), L"The settings file " + copy +
                                              L" is read-only and differs from " +
                                              root / L"Low Quality\\Custom_MinDetail.ini" + L".");
  const AppState blocked{root.path(), root / L"Blocked", L"All Resolutions"};
  WriteFileBytes(blocked.game_dir + L"\\Benchmark", "not a folder");
  EXPECT_EQ(PrepareTestFolder(test, blocked),
            L"A file stands where the folder " + blocked.game_dir + L"\\Benchmark should be.");
  const AppState offline{root.path(), L"\\\\no-server\\Games", L"All Resolutions"};
  const std::wstring message = PrepareTestFolder(test, offline).value_or(L"");
  EXPECT_EQ(message.rfind(L"The folder \\\\no-server\\Games could not be created:\r\n", 0), 0u);
  EXPECT_EQ(message.back(), L'.');  // the system's text, without its line break
}

// A batch process that has already ended, and this test program itself, which still runs.
UniqueHandle EndedProcess(const ScratchFolder& root) {
  WriteFileBytes(root / L"ends.bat", "@exit 0\r\n");
  UniqueHandle process = StartBatchFile(root / L"ends.bat", SW_HIDE, root.path()).process;
  WaitForSingleObject(process.get(), 60'000);
  return process;
}
UniqueHandle RunningProcess() {
  HANDLE self = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return UniqueHandle(self);
}

constexpr char kWhole[] = "Level\r\n1 / 2 / 3 fps\r\na\r\nb\r\n";
constexpr char kCutShort[] = "Level\r\n1 / 2 / 3 fps\r\n";

TEST(PollResult, WaitsForANewFileThatCanBeReadWholeHoweverLongTheBatchFileRuns) {
  ScratchFolder root;
  const std::wstring path = root / L"HQ_FPS.txt";
  // Nothing yet, whether the batch file still runs or has ended; a folder of that name is no
  // result either.
  for (bool ended : {false, true}) {
    PendingResult pending{
        TestKind::kHigh, path, {}, ended ? EndedProcess(root) : RunningProcess(), {}};
    for (int tick = 0; tick < 3; ++tick) EXPECT_EQ(PollResult(pending), std::nullopt);
  }
  CreateFolders(path);
  PendingResult on_folder{TestKind::kHigh, path, {}, EndedProcess(root), {}};
  for (int tick = 0; tick < 3; ++tick) EXPECT_EQ(PollResult(on_folder), std::nullopt);
  RemoveDirectoryW(path.c_str());

  // A file left by an earlier run counts once rewritten; a hidden, read-only, system one too.
  WriteFileBytes(path, kWhole);
  PendingResult pending{TestKind::kHigh, path, StampOf(path), EndedProcess(root), {}};
  EXPECT_EQ(PollResult(pending), std::nullopt);
  std::this_thread::sleep_for(20ms);
  WriteFileBytes(path, std::string(kWhole) + kWhole);
  SetFileAttributesW(path.c_str(),
                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
  const std::optional<FpsReadResult> read = PollResult(pending);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->records.size(), 2u);
}

TEST(PollResult, WaitsForAFileStillBeingWrittenOrHeldThenTakesItAsItIs) {
  ScratchFolder root;
  // While the batch file runs, an unfinished file waits for the rest.
  PendingResult running{TestKind::kLow, root / L"LQ_FPS.txt", {}, RunningProcess(), {}};
  WriteFileBytes(running.result_path, kCutShort);
  for (int tick = 0; tick < 3; ++tick) EXPECT_EQ(PollResult(running), std::nullopt);
  WriteFileBytes(running.result_path, kWhole);
  EXPECT_TRUE(PollResult(running));
  // Held open by another program: waited for until released.
  const HANDLE holder = CreateFileW(running.result_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  PendingResult held{TestKind::kLow, running.result_path, {}, RunningProcess(), {}};
  EXPECT_EQ(PollResult(held), std::nullopt);
  CloseHandle(holder);
  EXPECT_TRUE(PollResult(held));
  // With no batch file running, an unfinished file waits while it changes, then goes to the
  // window as it is, faults and all.
  PendingResult ended{TestKind::kCpu, root / L"CPU_Test_FPS.txt", {}, EndedProcess(root), {}};
  for (int tick = 0; tick < 3; ++tick) {
    WriteFileBytes(ended.result_path, std::string(kCutShort) + std::string(tick, '.'));
    EXPECT_EQ(PollResult(ended), std::nullopt);
  }
  const std::optional<FpsReadResult> read = PollResult(ended);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->faults.at(0).problem, FpsProblem::kEndsInsideGroup);
}

TEST(ReadFpsFile, ReadsAFileBeyondMaxPathAndTellsWhatCannotBeOpened) {
  ScratchFolder root;
  const std::wstring deep =
      root / (std::wstring(150, L'f') + L"\\" + std::wstring(150, L'g') + L"\\HQ_FPS.txt");
  WriteFileBytes(deep, std::string(kWhole) + kWhole + kWhole);
  EXPECT_EQ(ReadFpsFile(deep).records.size(), 3u);
  const FpsReadResult missing = ReadFpsFile(root / L"missing.txt");
  EXPECT_EQ(missing.faults,
            (std::vector<FpsFault>{{FpsProblem::kCannotOpen, 0, ERROR_FILE_NOT_FOUND}}));
  EXPECT_EQ(ReadFpsFile(root.path()).faults.at(0).problem, FpsProblem::kCannotOpen);
  // Still open for writing, as a batch file's redirection may keep it.
  WriteFileBytes(root / L"HQ_FPS.txt", kWhole);
  const UniqueHandle writer(CreateFileW((root / L"HQ_FPS.txt").c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
  EXPECT_EQ(ReadFpsFile(root / L"HQ_FPS.txt").records.size(), 1u);
}

// Under the Japanese code page a character is one or two bytes; widths count characters, and
// no character is cut in half, wherever the file's pieces end.
TEST(CodePage932, FieldWidthsCountCharactersNotBytes) {
  if (GetACP() != 932) {
    wchar_t expected[8] = {};
    if (GetEnvironmentVariableW(L"QUORVATH_EXPECT_ACP", expected, 8) > 0) FAIL() << GetACP();
    GTEST_SKIP() << "needs the Japanese code page";
  }
  // Fourteen characters of two bytes each; 表 and ソ end in byte 0x5C, the backslash.
  const std::wstring name =
      L"\u65e5\u672c\u8a9e\u306e\u8868\u793a\u30bd\u30d5\u30c8\u540d\u524d\u30c6\u30b9\u30c8";
  const std::string file =
      Ansi(name + L"\u5916\r\n\uff11 / A\u8868 / \uff13\u30d5\u30ec\u30fc\u30e0\r\nx\r\ny\r\n");
  ScratchFolder root;
  WriteFileBytes(root / L"LQ_FPS.txt", file);
  for (const FpsReadResult& read : {ReadFpsBytes(file), ReadFpsFile(root / L"LQ_FPS.txt")}) {
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_FALSE(read.damaged());
    EXPECT_EQ(read.records[0].level_name, FixedText<14>(name));
    EXPECT_EQ(read.records[0].fps_low, FixedText<10>(L"\uff11"));
    EXPECT_EQ(read.records[0].fps_avg, FixedText<10>(L"A\u8868"));
    EXPECT_EQ(read.records[0].fps_high, FixedText<10>(L"\uff13"));
  }
}

}  // namespace
}  // namespace quorvath
