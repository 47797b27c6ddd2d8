#include "runs/batch_files.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

TEST(ResolutionSuffix, IsTheFirstFourCharactersOfTheChoice) {
  EXPECT_EQ(ResolutionSuffix(L"All Resolutions"), L"All ");
  EXPECT_EQ(ResolutionSuffix(L"1024 x 768"), L"1024");
  EXPECT_EQ(ResolutionSuffix(L"1280 x 1024"), L"1280");
  EXPECT_EQ(ResolutionSuffix(L"1600 x 1200"), L"1600");
  EXPECT_EQ(ResolutionSuffix(L"ab"), L"ab");
}

TEST(BatchFileFor, NamesTheBatchFileOfEachTestAndResolution) {
  const TestRow& cpu = TestRowFor(TestKind::kCpu);
  const TestRow& high = TestRowFor(TestKind::kHigh);
  const TestRow& low = TestRowFor(TestKind::kLow);
  EXPECT_EQ(BatchFileFor(high, L"All Resolutions"), L"High Quality\\hq-flyby-benchmark_All .bat");
  EXPECT_EQ(BatchFileFor(low, L"All Resolutions"), L"Low Quality\\lq-flyby-benchmark_All .bat");
  EXPECT_EQ(BatchFileFor(high, L"1280 x 1024"), L"High Quality\\hq-flyby-benchmark_1280.bat");
  EXPECT_EQ(BatchFileFor(low, L"1024 x 768"), L"Low Quality\\lq-flyby-benchmark_1024.bat");
  EXPECT_EQ(BatchFileFor(low, L"1600 x 1200"), L"Low Quality\\lq-flyby-benchmark_1600.bat");
  // The CPU test ignores the resolution.
  EXPECT_EQ(BatchFileFor(cpu, L"1600 x 1200"), L"CPU Test\\cpu-flyby-benchmark.bat");
  EXPECT_EQ(BatchFileFor(cpu, L"All Resolutions"), L"CPU Test\\cpu-flyby-benchmark.bat");
}

TEST(TestRows, TheCopyDestinationIsTheBenchmarkFolderWithItsBackslash) {
  for (const TestRow& test : kTests) {
    EXPECT_EQ(std::wstring(test.copy_destination), std::wstring(test.benchmark_folder) + L"\\");
    EXPECT_EQ(&TestRowFor(test.kind), &test);
  }
}

TEST(RequiredFiles, EverySingleResolutionBatchFileAndSettingsFileIsRequired) {
  auto required = [](const std::wstring& name) {
    for (const std::wstring_view file : kRequiredFiles) {
      if (file == name) return true;
    }
    return false;
  };
  for (const TestRow& test : kTests) {
    EXPECT_TRUE(required(std::wstring(test.settings_file)));
    if (!test.runs_at_resolution) {
      EXPECT_TRUE(required(BatchFileFor(test, L"")));
      continue;
    }
    for (const std::wstring_view resolution : kResolutions) {
      // The two "All " batch files are not part of the check.
      EXPECT_EQ(required(BatchFileFor(test, resolution)), resolution != kAllResolutions);
    }
  }
  EXPECT_TRUE(required(std::wstring(kLocateBatchFile)));
}

}  // namespace
}  // namespace quorvath
