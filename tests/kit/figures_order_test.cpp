// The simulated figures look like a real benchmark's: for every level, Low Quality is
// faster than the CPU test at 640 x 480, which is faster than High Quality, and within a
// quality the higher resolution is the slower. The three runs go at once, each in its
// own program folder, and the names of the folders hold the interpreter's special
// characters.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "batch_process.h"
#include "kit_contract.h"
#include "kit_files.h"
#include "result_file.h"
#include "run_checks.h"
#include "scratch_folder.h"

namespace quorvath::kit_test {
namespace {

struct ConcurrentRun {
  const FlybyBatch* batch;
  std::unique_ptr<ScratchProgramFolder> folder;
  std::unique_ptr<BatchProcess> process;
  std::vector<FpsGroup> groups;
};

TEST(FiguresOrderTest, LowQualityBeatsTheCpuTestWhichBeatsHighQualityOnEveryLevel) {
  std::vector<ConcurrentRun> runs;
  for (const char* name : {"CpuTest", "HighQualityAll", "LowQualityAll"}) {
    ConcurrentRun run;
    run.batch = &FlybyBatchNamed(name);
    run.folder = std::make_unique<ScratchProgramFolder>(FolderNameWithPunctuation());
    run.folder->PlaceSettingsFile(*run.batch);
    runs.push_back(std::move(run));
  }
  for (ConcurrentRun& run : runs) {
    run.process = std::make_unique<BatchProcess>(run.folder->Path() / run.batch->batch_file,
                                                 run.folder->Elsewhere(),
                                                 run.folder->OutputFile(L"run output.txt"));
  }
  for (ConcurrentRun& run : runs) {
    ASSERT_TRUE(run.process->WaitForEnd(kRunLimit)) << run.batch->name;
    ASSERT_EQ(run.process->ExitCode(), 0u) << run.batch->name << "\n" << run.process->Output();
    const std::optional<std::string> bytes = ReadBytes(run.folder->Path() / run.batch->result_file);
    ASSERT_TRUE(bytes) << run.batch->name;
    ASSERT_TRUE(IsCompleteResult(*bytes, *run.batch)) << run.batch->name;
    run.groups = ParseResultFile(*bytes).groups;
  }

  const std::vector<FpsGroup>& cpu = runs[0].groups;
  const std::vector<FpsGroup>& high = runs[1].groups;
  const std::vector<FpsGroup>& low = runs[2].groups;
  const std::size_t resolutions = FlybyBatchNamed("HighQualityAll").widths.size();
  for (std::size_t level = 0; level < kLevelsPerRun; ++level) {
    SCOPED_TRACE("level " + cpu[level].level);
    // The same levels in the same order in every test.
    EXPECT_EQ(high[level * resolutions].level, cpu[level].level);
    EXPECT_EQ(low[level * resolutions].level, cpu[level].level);
    // Averages from slowest to fastest: High Quality from its highest resolution down,
    // the CPU test, Low Quality from its highest resolution down.
    std::vector<const FpsGroup*> slowest_first;
    for (std::size_t r = 0; r < resolutions; ++r)
      slowest_first.push_back(&high[level * resolutions + r]);
    slowest_first.push_back(&cpu[level]);
    for (std::size_t r = 0; r < resolutions; ++r)
      slowest_first.push_back(&low[level * resolutions + r]);
    for (std::size_t i = 1; i < slowest_first.size(); ++i) {
      EXPECT_LT(AverageHundredths(*slowest_first[i - 1]), AverageHundredths(*slowest_first[i]))
          << "position " << i << ": " << slowest_first[i - 1]->average << " then "
          << slowest_first[i]->average;
    }
  }
}

}  // namespace
}  // namespace quorvath::kit_test
