// A test batch file with its settings file in place: it clears the earlier result file
// first, and its new result file appears only when complete (written elsewhere, then
// renamed into place), before the batch process ends.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "batch_process.h"
#include "kit_contract.h"
#include "kit_files.h"
#include "run_checks.h"
#include "scratch_folder.h"

namespace quorvath::kit_test {
namespace {

// A well-formed result of an earlier run, which must not survive the new one.
constexpr std::string_view kEarlierResult =
    "Old Level\r\n1.00 / 2.00 / 3.00 fps\r\n6 frames rendered\r\n3.00 seconds\r\n";

// Often enough to catch a result file that is written in place, line by line.
constexpr std::chrono::milliseconds kPollInterval{5};

std::wstring ProgramFolderName() {
  // Non-ASCII letters when the code page has some, blanks always.
  const std::wstring with_letters = FolderNameWithAnsiLetters();
  return with_letters.empty() ? FolderNameWithBlanks() : with_letters;
}

class FlybyRunTest : public ::testing::TestWithParam<FlybyBatch> {};

TEST_P(FlybyRunTest, ClearsTheOldResultThenLeavesACompleteOneThroughARename) {
  const FlybyBatch& batch = GetParam();
  ScratchProgramFolder folder(ProgramFolderName());
  folder.PlaceSettingsFile(batch);
  const fs::path result = folder.Path() / batch.result_file;
  WriteBytes(result, kEarlierResult);
  const std::set<std::wstring> entries_before = EntriesOf(folder.Path());

  BatchProcess process(folder.Path() / batch.batch_file, folder.Elsewhere(),
                       folder.OutputFile(L"run output.txt"));
  // Watched by name lookups only until the new file is there, so that the test never holds
  // the file open while the batch file deletes or replaces it.
  bool earlier_result_cleared = false;
  std::optional<std::string> first_seen;
  const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
  while (!process.HasEnded() && std::chrono::steady_clock::now() < deadline) {
    if (!StateOf(result).exists) {
      earlier_result_cleared = true;
    } else if (earlier_result_cleared && !first_seen) {
      first_seen = ReadBytes(result);
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  ASSERT_TRUE(process.WaitForEnd(std::chrono::milliseconds(0))) << "did not end in time";
  const std::string output = process.Output();

  EXPECT_EQ(process.ExitCode(), 0u) << output;
  EXPECT_TRUE(earlier_result_cleared) << "the earlier result file stayed during the run";
  const std::optional<std::string> bytes = ReadBytes(result);
  ASSERT_TRUE(bytes) << "the batch file ended without its result file\n" << output;
  EXPECT_TRUE(IsCompleteResult(*bytes, batch));
  if (first_seen) {
    EXPECT_EQ(*first_seen, *bytes) << "the result file was there before it was complete";
  }
  // The settings file stays, no temporary file stays, and nothing lands in the current
  // folder of the run.
  EXPECT_TRUE(StateOf(folder.SettingsCopy(batch)).exists);
  EXPECT_EQ(EntriesOf(folder.Path()), entries_before);
  EXPECT_TRUE(EntriesOf(folder.Elsewhere()).empty());
}

INSTANTIATE_TEST_SUITE_P(AllTests, FlybyRunTest, ::testing::ValuesIn(FlybyBatches()),
                         FlybyBatchTestName);

}  // namespace
}  // namespace quorvath::kit_test
