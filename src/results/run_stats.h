// The statistics that tell a real change from the runs' own scatter: the mean and the sample
// standard deviation of a handful of figures, and Welch's two-sample t-test, two-sided at 95 %,
// with the Welch-Satterthwaite degrees of freedom. Student's t is computed, not looked up, so
// fractional degrees of freedom get their own critical value.
#pragma once

#include <optional>
#include <span>

namespace quorvath {

// n, the mean, the sample standard deviation (n - 1 in the divisor; 0 for a single figure),
// the lowest and the highest. Figures of an empty span are all 0.
struct Sample {
  std::size_t n = 0;
  double mean = 0;
  double sd = 0;
  double min = 0;
  double max = 0;
};
Sample Describe(std::span<const double> values);

// Welch's statistic t = (mean_b - mean_a) / sqrt(sd_a^2 / n_a + sd_b^2 / n_b) and its degrees
// of freedom. Nothing with fewer than two figures on either side, or when both sides have no
// scatter at all (then there is no t).
struct WelchTest {
  double t = 0;
  double df = 0;
};
std::optional<WelchTest> Welch(const Sample& a, const Sample& b);

// The two-sided 95 % critical value of Student's t with `df` degrees of freedom (df > 0, any
// real number): 12.706 at 1, 4.303 at 2, 1.960 as df grows without end.
double TCritical95(double df);

// Whether `now` differs from `before` by more than their own scatter.
//  - kNone: fewer than two figures on either side: there is only the change;
//  - kFaster / kSlower: the difference is significant at 95 % (or both sides have no scatter
//    and their means differ), `now` higher / lower;
//  - kWithinNoise: otherwise.
enum class Verdict { kNone, kFaster, kSlower, kWithinNoise };
Verdict Compare(const Sample& before, const Sample& now);

}  // namespace quorvath
