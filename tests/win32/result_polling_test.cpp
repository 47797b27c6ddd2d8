#include "runs/result_polling.h"

#include <gtest/gtest.h>

#include <thread>

#include "core/batch_start.h"
#include "scratch_folder.h"

namespace quorvath {
namespace {

using namespace std::chrono_literals;
using testing::ScratchFolder;
using testing::WriteFileBytes;

// A result file of one complete group, and one cut short.
constexpr char kWhole[] = "Level\r\n1 / 2 / 3 fps\r\na\r\nb\r\n";
constexpr char kCutShort[] = "Level\r\n1 / 2 / 3 fps\r\n";

// A process that has already ended.
UniqueHandle EndedProcess() {
  wchar_t command[] = L"cmd.exe /c exit 0";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  WaitForSingleObject(info.hProcess, 10000);
  return UniqueHandle(info.hProcess);
}

// This test program itself: a process that is still running.
UniqueHandle RunningProcess() {
  HANDLE self = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return UniqueHandle(self);
}

TEST(PollResult, WaitsForAFileHoweverLongWhetherTheBatchFileRunsOrNot) {
  ScratchFolder folder;
  for (bool ended : {false, true}) {
    PendingResult pending{
        folder / L"HQ_FPS.txt", {}, ended ? EndedProcess() : RunningProcess(), {}};
    ASSERT_NE(pending.process, nullptr);
    for (int tick = 0; tick < 4; ++tick) EXPECT_EQ(PollResult(pending), PollOutcome::kWaiting);
  }
}

TEST(PollResult, ANewFileIsReadyHiddenOrNot) {
  ScratchFolder folder;
  PendingResult pending{folder / L"HQ_FPS.txt", {}, RunningProcess(), {}};
  WriteFileBytes(pending.result_path, kWhole);
  ASSERT_TRUE(SetFileAttributesW(pending.result_path.c_str(), FILE_ATTRIBUTE_HIDDEN |
                                                                  FILE_ATTRIBUTE_SYSTEM |
                                                                  FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(PollResult(pending), PollOutcome::kResultReady);
}

TEST(PollResult, AFolderOfThatNameIsNoResult) {
  ScratchFolder folder;
  PendingResult pending{folder / L"LQ_FPS.txt", {}, EndedProcess(), {}};
  ASSERT_TRUE(CreateDirectoryW(pending.result_path.c_str(), nullptr));
  for (int tick = 0; tick < 3; ++tick) EXPECT_EQ(PollResult(pending), PollOutcome::kWaiting);
}

TEST(PollResult, AFileLeftFromAnEarlierRunCountsOnlyOnceRewritten) {
  ScratchFolder folder;
  const std::wstring path = folder / L"CPU_Test_FPS.txt";
  WriteFileBytes(path, kWhole);
  PendingResult pending{path, StampOf(path), EndedProcess(), {}};
  EXPECT_EQ(PollResult(pending), PollOutcome::kWaiting);
  EXPECT_EQ(PollResult(pending), PollOutcome::kWaiting);
  std::this_thread::sleep_for(20ms);
  WriteFileBytes(path, std::string(kWhole) + kWhole);
  EXPECT_EQ(PollResult(pending), PollOutcome::kResultReady);
}

TEST(PollResult, AFileStillBeingWrittenWaitsWhileTheBatchFileRuns) {
  ScratchFolder folder;
  PendingResult pending{folder / L"LQ_FPS.txt", {}, RunningProcess(), {}};
  WriteFileBytes(pending.result_path, kCutShort);
  for (int tick = 0; tick < 3; ++tick) EXPECT_EQ(PollResult(pending), PollOutcome::kWaiting);
  WriteFileBytes(pending.result_path, kWhole);
  EXPECT_EQ(PollResult(pending), PollOutcome::kResultReady);
}

TEST(PollResult, AFileHeldOpenByAnotherProgramWaitsUntilItIsReleased) {
  ScratchFolder folder;
  PendingResult pending{folder / L"CPU_Test_FPS.txt", {}, RunningProcess(), {}};
  WriteFileBytes(pending.result_path, kWhole);
  HANDLE holder = CreateFileW(pending.result_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(PollResult(pending), PollOutcome::kWaiting);
  CloseHandle(holder);
  EXPECT_EQ(PollResult(pending), PollOutcome::kResultReady);
}

TEST(PollResult, AnUnfinishedFileOfNoRunningProcessWaitsWhileItChangesThenGoesToTheWindow) {
  ScratchFolder folder;
  PendingResult pending{folder / L"HQ_FPS.txt", {}, EndedProcess(), {}};
  for (int tick = 0; tick < 3; ++tick) {
    WriteFileBytes(pending.result_path, std::string(kCutShort) + std::string(tick, '.'));
    EXPECT_EQ(PollResult(pending), PollOutcome::kWaiting);
  }
  EXPECT_EQ(PollResult(pending), PollOutcome::kResultReady);
}

TEST(StartBatchFile, RunsInTheGivenFolderWithTheParameterOne) {
  ScratchFolder folder(L"Start here");
  WriteFileBytes(folder / L"Sub Folder\\run.bat",
                 "@echo off\r\n>\"%~dp0..\\seen.txt\" echo %1 %CD%\r\n");
  BatchStart start = StartBatchFile(folder / L"Sub Folder\\run.bat", SW_HIDE, folder.path());
  ASSERT_TRUE(start.started);
  ASSERT_NE(start.process, nullptr);
  EXPECT_EQ(WaitForSingleObject(start.process.get(), 15000), WAIT_OBJECT_0);
  std::wstring folder_text = folder.path();
  folder_text.pop_back();
  std::string expected = "1 ";
  for (const wchar_t c : folder_text) expected += static_cast<char>(c);
  EXPECT_EQ(testing::ReadFileBytes(folder / L"seen.txt"), expected + "\r\n");
}

TEST(StartBatchFile, AMissingBatchFileIsReportedWithItsError) {
  ScratchFolder folder;
  const BatchStart start =
      StartBatchFile(folder / L"High Quality\\hq-flyby-benchmark_All .bat", SW_HIDE, folder.path());
  EXPECT_FALSE(start.started);
  EXPECT_EQ(start.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(start.process, nullptr);
}

}  // namespace
}  // namespace quorvath
