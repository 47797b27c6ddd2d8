// Runs grouped into sets, and a set's figures level by level, worked out by hand.
#include "results/run_sets.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

namespace quorvath {

TEST(RunSets, GroupsRunsOfEqualKeysInTheOrderOfTheirFirstRun) {
  const SetKey a{L"High Quality", L"1280 x 1024", L"", L"DESK"};
  SetKey b = a, c = a;
  b.label = L"new driver";
  c.computer = L"LAPTOP";
  const std::vector<std::vector<std::size_t>> sets = {{0, 2, 5}, {1, 4}, {3}};
  EXPECT_EQ(GroupIntoSets({a, b, a, c, b, a}), sets);
  EXPECT_TRUE(GroupIntoSets({}).empty());
}

static SavedRecord At(std::wstring res, std::wstring level, std::wstring low, std::wstring avg,
                      std::wstring high) {
  return {std::move(res), std::move(level), std::move(low), std::move(avg), std::move(high)};
}

// Three runs (and one that could not be read): the first and the third visit Moor twice, the
// second alone has Dock and an Average "n/a"; Keep is run at two resolutions.
TEST(RunSets, GathersEachLevelOverTheRunsLeavingOutFiguresThatAreNotNumbers) {
  const std::wstring lo = L"1280 x 1024", hi = L"1600 x 1200";
  const SavedRun first = {{At(lo, L"Keep", L"30", L"40.0", L"50"),
                           At(lo, L"Moor", L"1", L"20", L"3"), At(lo, L"Moor", L"2", L"8", L"4"),
                           At(hi, L"Keep", L"5", L"9", L"11")}};
  const SavedRun second = {{At(lo, L"Keep", L"32", L"42.0", L"n/a"),
                            At(lo, L"Moor", L"1", L"n/a", L"3"),
                            At(lo, L"Dock", L"-", L"70", L"")}};
  const SavedRun third = {{At(lo, L"Moor", L"1", L"22", L"3"),
                           At(lo, L"Keep", L"x", L"44.0", L"54"),
                           At(lo, L"Moor", L"4", L"12", L"8")}};
  const std::vector<LevelFigures> levels = SetFigures({&first, nullptr, &second, &third});
  // clang-format off
  const std::tuple<std::wstring, std::wstring, std::size_t, Sample, std::size_t,
                   std::optional<double>, std::optional<double>> expected[] = {
      // 40, 42, 44: sd sqrt((4 + 0 + 4) / 2); lows 30 and 32, highs 50 and 54
      {L"Keep", lo, 0, {3, 42, 2, 40, 44}, 0, 31, 52},
      // 20 and 22, "n/a" left out: sd sqrt((1 + 1) / 1)
      {L"Moor", lo, 0, {2, 21, 1.414214, 20, 22}, 1, 1, 3},
      // 8 and 12, the second Moor of the runs that have two: sd sqrt((4 + 4) / 1)
      {L"Moor", lo, 1, {2, 10, 2.828427, 8, 12}, 0, 3, 6},
      {L"Keep", hi, 0, {1, 9, 0, 9, 9}, 0, 5, 11},
      {L"Dock", lo, 0, {1, 70, 0, 70, 70}, 0, std::nullopt, std::nullopt}};
  // clang-format on
  ASSERT_EQ(levels.size(), std::size(expected));
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const auto& [level, res, occurrence, average, left_out, low, high] = expected[i];
    const LevelFigures& got = levels[i];
    const Sample& s = got.average;
    EXPECT_EQ(std::tie(got.level, got.resolution, got.occurrence, got.left_out, got.low, got.high),
              std::tie(level, res, occurrence, left_out, low, high))
        << i;
    EXPECT_EQ(std::tie(s.n, s.mean, s.min, s.max),
              std::tie(average.n, average.mean, average.min, average.max))
        << i;
    EXPECT_NEAR(s.sd, average.sd, 1e-6) << i;
  }
}

}  // namespace quorvath
