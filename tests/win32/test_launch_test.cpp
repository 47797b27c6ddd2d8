#include "runs/test_launch.h"

#include <gtest/gtest.h>

#include "core/file_system.h"
#include "scratch_folder.h"

namespace quorvath {
namespace {

using testing::ReadFileBytes;
using testing::ScratchFolder;
using testing::WriteFileBytes;

// A program folder with the High Quality settings file, and a game folder.
struct Folders {
  ScratchFolder program{L"Quorvath program"};
  ScratchFolder game{L"Quorvath game"};
  AppState app;
  const TestRow& test = TestRowFor(TestKind::kHigh);

  Folders() {
    app.app_dir = program.path();
    app.game_dir = game.path().substr(0, game.path().size() - 1);
    app.selected_res = L"1280 x 1024";
    WriteFileBytes(program / L"High Quality\\Custom_MaxDetail.ini", "[Detail]\r\nMax=1\r\n");
  }
  std::wstring Copy() const {
    return app.game_dir + L"\\Benchmark\\Custom_MaxDetail\\Custom_MaxDetail.ini";
  }
};

TEST(PrepareAndCopy, PutTheSettingsFileIntoANewBenchmarkFolder) {
  Folders f;
  PrepareBenchmarkFolder(f.test, f.app);
  EXPECT_TRUE(CopySettingsFile(f.test, f.app));
  EXPECT_EQ(ReadFileBytes(f.Copy()), "[Detail]\r\nMax=1\r\n");
  EXPECT_EQ(SettingsFileProblem(f.test, f.app), std::nullopt);
}

TEST(SettingsFileProblem, NamesAMissingSettingsFile) {
  Folders f;
  ASSERT_TRUE(DeleteFileW((f.program / L"High Quality\\Custom_MaxDetail.ini").c_str()));
  PrepareBenchmarkFolder(f.test, f.app);
  EXPECT_FALSE(CopySettingsFile(f.test, f.app));
  EXPECT_EQ(SettingsFileProblem(f.test, f.app),
            L"The settings file " + (f.program / L"High Quality\\Custom_MaxDetail.ini") +
                L" is missing.");
}

TEST(SettingsFileProblem, NamesAFileStandingWhereAFolderShouldBe) {
  Folders f;
  WriteFileBytes(f.app.game_dir + L"\\Benchmark", "a file, not a folder");
  PrepareBenchmarkFolder(f.test, f.app);
  EXPECT_FALSE(CopySettingsFile(f.test, f.app));
  EXPECT_EQ(SettingsFileProblem(f.test, f.app),
            L"A file stands where the folder " + f.app.game_dir + L"\\Benchmark should be.");
}

TEST(SettingsFileProblem, AnIdenticalReadOnlyCopyIsNoProblem) {
  Folders f;
  PrepareBenchmarkFolder(f.test, f.app);
  ASSERT_TRUE(CopySettingsFile(f.test, f.app));
  ASSERT_TRUE(SetFileAttributesW(f.Copy().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(CopySettingsFile(f.test, f.app));
  EXPECT_EQ(SettingsFileProblem(f.test, f.app), std::nullopt);
}

TEST(SettingsFileProblem, NamesADifferentReadOnlyCopy) {
  Folders f;
  PrepareBenchmarkFolder(f.test, f.app);
  WriteFileBytes(f.Copy(), "[Detail]\r\nMax=0\r\n");
  ASSERT_TRUE(SetFileAttributesW(f.Copy().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(CopySettingsFile(f.test, f.app));
  const std::optional<std::wstring> problem = SettingsFileProblem(f.test, f.app);
  ASSERT_TRUE(problem.has_value());
  EXPECT_NE(problem->find(f.Copy()), std::wstring::npos) << *problem;
  EXPECT_NE(problem->find(L"read-only"), std::wstring::npos) << *problem;
  EXPECT_EQ(ReadFileBytes(f.Copy()), "[Detail]\r\nMax=0\r\n");
}

TEST(StartTestBatchFile, StartsTheBatchFileOfTheChosenResolutionAndNotesTheResultFile) {
  Folders f;
  WriteFileBytes(f.program / L"HQ_FPS.txt", "left from before");
  WriteFileBytes(f.program / L"High Quality\\hq-flyby-benchmark_1280.bat", "@echo off\r\n");
  TestStart start = StartTestBatchFile(f.test, f.app);
  EXPECT_EQ(start.batch_path, f.program / L"High Quality\\hq-flyby-benchmark_1280.bat");
  ASSERT_TRUE(start.started);
  ASSERT_TRUE(start.pending.has_value());
  EXPECT_EQ(start.pending->result_path, f.program / L"HQ_FPS.txt");
  EXPECT_EQ(start.pending->at_launch, StampOf(f.program / L"HQ_FPS.txt"));
  EXPECT_TRUE(start.pending->at_launch.is_file);
  WaitForSingleObject(start.pending->process.get(), 10000);
}

TEST(StartTestBatchFile, AnAbsentAllResolutionsBatchFileDoesNotStart) {
  Folders f;
  f.app.selected_res = L"All Resolutions";
  TestStart start = StartTestBatchFile(f.test, f.app);
  EXPECT_EQ(start.batch_path, f.program / L"High Quality\\hq-flyby-benchmark_All .bat");
  EXPECT_FALSE(start.started);
  EXPECT_EQ(start.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(start.pending.has_value());
}

}  // namespace
}  // namespace quorvath
