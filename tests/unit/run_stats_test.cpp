// The mean and scatter of runs, Welch's test and Student's t, worked out by hand or read from
// the published tables.
#include "results/run_stats.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace quorvath {

TEST(RunStats, DescribesFiguresWithTheSampleDeviation) {
  // clang-format off
  const std::tuple<std::vector<double>, std::size_t, double, double, double, double> cases[] = {
      {{}, 0, 0, 0, 0, 0},
      {{7}, 1, 7, 0, 7, 7},
      {{3, 5}, 2, 4, 1.414214, 3, 5},          // sqrt((1 + 1) / 1)
      {{44, 40, 42}, 3, 42, 2, 40, 44},        // sqrt((4 + 4 + 0) / 2)
      {{1, 2, 3, 4}, 4, 2.5, 1.290994, 1, 4}}; // sqrt((2.25 + 0.25 + 0.25 + 2.25) / 3)
  // clang-format on
  for (const auto& [values, n, mean, sd, min, max] : cases) {
    const Sample s = Describe(values);
    EXPECT_EQ(std::tie(s.n, s.mean, s.min, s.max), std::tie(n, mean, min, max)) << mean;
    EXPECT_NEAR(s.sd, sd, 1e-6) << mean;
  }
}

TEST(RunStats, WelchTakesEachSidesVarianceAndDegreesOfFreedom) {
  // clang-format off
  const std::tuple<Sample, Sample, double, double> cases[] = {
      // 4 / 3 + 1 / 3 = 5 / 3; t = 4 / sqrt(5 / 3); df = (5/3)^2 / ((4/3)^2 / 2 + (1/3)^2 / 2)
      {{3, 12, 2, 10, 14}, {3, 16, 1, 15, 17}, 3.098387, 2.941176},
      // 4 / 4 + 4 / 2 = 3; t = 3 / sqrt(3); df = 3^2 / (1^2 / 3 + 2^2 / 1) = 27 / 13
      {{4, 10, 2, 7, 13}, {2, 13, 2, 11, 15}, 1.732051, 2.076923},
      {{2, 13, 2, 11, 15}, {4, 10, 2, 7, 13}, -1.732051, 2.076923},
      // No scatter before: 1 / 5 alone; t = 2 / sqrt(0.2), df = 5 - 1
      {{3, 10, 0, 10, 10}, {5, 12, 1, 11, 13}, 4.472136, 4}};
  // clang-format on
  for (const auto& [a, b, t, df] : cases) {
    const std::optional<WelchTest> test = Welch(a, b);
    ASSERT_TRUE(test) << t;
    EXPECT_NEAR(test->t, t, 1e-6);
    EXPECT_NEAR(test->df, df, 1e-6);
  }
  EXPECT_FALSE(Welch({1, 12, 0, 12, 12}, {3, 16, 1, 15, 17}));
  EXPECT_FALSE(Welch({3, 16, 1, 15, 17}, {1, 12, 0, 12, 12}));
  EXPECT_FALSE(Welch({3, 12, 0, 12, 12}, {3, 16, 0, 16, 16}));
}

TEST(RunStats, StudentsTMatchesTheTablesAndLiesBetweenThemForFractionalDf) {
  // Fractional rows: the density integrated by Simpson's rule, the limit found by halving.
  const std::pair<double, double> table[] = {
      {0.5, 164.558}, {1, 12.706},  {1.5, 6.017}, {2, 4.303},   {2.9412, 3.219},
      {3, 3.182},     {4, 2.776},   {5, 2.571},   {7.5, 2.333}, {10, 2.228},
      {30, 2.042},    {120, 1.980}, {1e6, 1.960}, {1e9, 1.960}};
  double previous = 1e9;
  for (const auto& [df, t] : table) {
    const double critical = TCritical95(df);
    EXPECT_NEAR(critical, t, 0.001) << df;
    EXPECT_LT(critical, previous) << df;
    previous = critical;
  }
}

TEST(RunStats, ComparesOnlyBeyondTheScatter) {
  // clang-format off
  const std::tuple<Sample, Sample, Verdict> cases[] = {
      {{1, 12, 0, 12, 12}, {3, 16, 1, 15, 17}, Verdict::kNone},
      {{3, 12, 2, 10, 14}, {1, 30, 0, 30, 30}, Verdict::kNone},
      // t = 3.0984 against 3.219 at df 2.9412
      {{3, 12, 2, 10, 14}, {3, 16, 1, 15, 17}, Verdict::kWithinNoise},
      // t = 4 / sqrt(2 / 3) = 4.899 against 2.776 at df 4
      {{3, 12, 1, 11, 13}, {3, 16, 1, 15, 17}, Verdict::kFaster},
      {{3, 16, 1, 15, 17}, {3, 12, 1, 11, 13}, Verdict::kSlower},
      // No scatter before: t = 0.5 / sqrt(1 / 5) = 1.118 against 2.776 at df 5 - 1
      {{3, 10, 0, 10, 10}, {5, 10.5, 1, 9.5, 11.5}, Verdict::kWithinNoise},
      // No scatter on either side: any difference counts.
      {{3, 50, 0, 50, 50}, {2, 50, 0, 50, 50}, Verdict::kWithinNoise},
      {{2, 50, 0, 50, 50}, {2, 50.5, 0, 50.5, 50.5}, Verdict::kFaster},
      {{2, 50.5, 0, 50.5, 50.5}, {2, 50, 0, 50, 50}, Verdict::kSlower}};
  // clang-format on
  for (const auto& [before, now, verdict] : cases) {
    EXPECT_EQ(Compare(before, now), verdict) << before.mean << " " << now.mean;
  }
}

}  // namespace quorvath
