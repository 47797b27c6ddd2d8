// Test batch files that cannot run: no result file (an earlier one is gone too, so that
// Quorvath cannot mistake it for this run's), a message, and a failing exit code.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "batch_process.h"
#include "kit_contract.h"
#include "kit_files.h"
#include "run_checks.h"
#include "scratch_folder.h"

namespace quorvath::kit_test {
namespace {

class MissingSettingsTest : public ::testing::TestWithParam<FlybyBatch> {};

TEST_P(MissingSettingsTest, WritesNoResultAndFails) {
  const FlybyBatch& batch = GetParam();
  ScratchProgramFolder folder(FolderNameWithBlanks());
  // Everything but this test's own settings file: the other tests' files, and its empty
  // benchmark folder.
  for (const FlybyBatch& other : FlybyBatches()) {
    if (other.settings_file != batch.settings_file) folder.PlaceSettingsFile(other);
  }
  fs::create_directories(folder.GameFolder() / batch.benchmark_folder);
  // An earlier result that is hidden and read-only: Quorvath's lookup finds such a file.
  const fs::path result = folder.Path() / batch.result_file;
  WriteBytes(result, "Old Level\r\n1.00 / 2.00 / 3.00 fps\r\n6 frames\r\n3.00 seconds\r\n");
  SetFileAttributesW(result.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  std::set<std::wstring> expected_entries = EntriesOf(folder.Path());
  expected_entries.erase(batch.result_file);

  const BatchOutcome outcome = RunBatch(folder.Path() / batch.batch_file, folder.Elsewhere(),
                                        folder.OutputFile(L"run output.txt"));

  ASSERT_TRUE(outcome.ended_in_time) << Describe(outcome);
  EXPECT_NE(outcome.exit_code, 0u) << Describe(outcome);
  EXPECT_FALSE(StateOf(result).exists) << "a result file is there after a failed run";
  EXPECT_EQ(EntriesOf(folder.Path()), expected_entries) << Describe(outcome);
  EXPECT_TRUE(EntriesOf(folder.Elsewhere()).empty());
  EXPECT_NE(outcome.output.find(Utf8(batch.settings_file_name)), std::string::npos)
      << "the message does not name the missing file: " << Describe(outcome);
}

INSTANTIATE_TEST_SUITE_P(AllTests, MissingSettingsTest, ::testing::ValuesIn(FlybyBatches()),
                         FlybyBatchTestName);

// A folder that bears the result file's name: the earlier result cannot be cleared, and
// deleting "it" would empty the folder instead.
TEST(ResultInTheWayTest, AFolderNamedLikeTheResultFileIsLeftWholeAndTheRunFails) {
  const FlybyBatch& batch = FlybyBatchNamed("HighQuality1280");
  ScratchProgramFolder folder(FolderNameWithBlanks());
  folder.PlaceSettingsFile(batch);
  const fs::path in_the_way = folder.Path() / batch.result_file;
  fs::create_directory(in_the_way);
  WriteBytes(in_the_way / L"keep.txt", "kept\r\n");
  const std::set<std::wstring> entries_before = EntriesOf(folder.Path());

  const BatchOutcome outcome = RunBatch(folder.Path() / batch.batch_file, folder.Elsewhere(),
                                        folder.OutputFile(L"run output.txt"));

  ASSERT_TRUE(outcome.ended_in_time) << Describe(outcome);
  EXPECT_NE(outcome.exit_code, 0u) << Describe(outcome);
  EXPECT_EQ(ReadBytes(in_the_way / L"keep.txt"), std::optional<std::string>("kept\r\n"));
  EXPECT_EQ(EntriesOf(folder.Path()), entries_before);
}

}  // namespace
}  // namespace quorvath::kit_test
