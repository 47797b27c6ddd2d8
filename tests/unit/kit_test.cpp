// The kit's batch files as the program starts them, and the game folder it reports.
#include "runs/kit.h"

#include <gtest/gtest.h>

namespace quorvath {

TEST(Kit, StartsTheBatchFileOfTheResolutionAndReadsTheGameFolder) {
  // clang-format off
  const std::tuple<TestKind, std::wstring_view, std::wstring_view> batches[] = {
      {TestKind::kHigh, L"All Resolutions", L"High Quality\\hq-flyby-benchmark_All .bat"},
      {TestKind::kLow, L"1024 x 768", L"Low Quality\\lq-flyby-benchmark_1024.bat"},
      {TestKind::kHigh, L"80", L"High Quality\\hq-flyby-benchmark_80.bat"},
      {TestKind::kCpu, L"1600 x 1200", L"CPU Test\\cpu-flyby-benchmark.bat"}};
  const std::pair<std::wstring_view, std::optional<std::wstring>> folders[] = {
      {L"C:\\Games\\Alpha\r\n", L"C:\\Games\\Alpha"}, {L"   C:\\G A   \r\n", L"C:\\G A"},
      {L"C:\\G,B\r\n", L"C:\\G"}, {L"\" C:\\G, B \"\r\n", L"C:\\G, B"},
      {L"C:\\1\r\nC:\\2", L"C:\\1"},
      {L"\tC:\\Tab\t", L"\tC:\\Tab\t"}, {L"", std::nullopt}, {L"    \r\nC:\\2\r\n", std::nullopt},
      {L"\"\"\r\n", std::nullopt}};
  // clang-format on
  for (const auto& [test, res, file] : batches)
    EXPECT_EQ(BatchFileFor(TestRowFor(test), res), file);
  for (const auto& [text, folder] : folders) EXPECT_EQ(GameFolderFromLocationText(text), folder);
}

}  // namespace quorvath
