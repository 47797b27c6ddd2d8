// The mean and scatter of a handful of runs, and Welch's t-test between two of them. The
// critical value of Student's t comes from its distribution function, written through the
// regularized incomplete beta function, so that the fractional degrees of freedom of Welch's
// test get their own value rather than the nearest row of a table.
#include "results/run_stats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvath {

Sample Describe(std::span<const double> values) {
  Sample sample;
  sample.n = values.size();
  if (values.empty()) return sample;
  double sum = 0;
  for (const double value : values) sum += value;
  sample.mean = sum / static_cast<double>(sample.n);
  // The squares are taken from the mean, not summed raw: figures like 143.02 and 143.05
  // would otherwise lose their difference to rounding.
  double squares = 0;
  for (const double value : values) squares += (value - sample.mean) * (value - sample.mean);
  if (sample.n > 1) sample.sd = std::sqrt(squares / static_cast<double>(sample.n - 1));
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  sample.min = *lowest;
  sample.max = *highest;
  return sample;
}

std::optional<WelchTest> Welch(const Sample& a, const Sample& b) {
  if (a.n < 2 || b.n < 2) return std::nullopt;
  // The variance of each side's mean.
  const double va = a.sd * a.sd / static_cast<double>(a.n);
  const double vb = b.sd * b.sd / static_cast<double>(b.n);
  if (va + vb <= 0) return std::nullopt;
  // Welch-Satterthwaite: each side's term weighted by its own degrees of freedom. One side
  // without scatter leaves the other's n - 1.
  const double df =
      (va + vb) * (va + vb) /
      (va * va / static_cast<double>(a.n - 1) + vb * vb / static_cast<double>(b.n - 1));
  return WelchTest{(b.mean - a.mean) / std::sqrt(va + vb), df};
}

namespace {

// The continued fraction of the incomplete beta function, evaluated from the front by
// Lentz's method; it converges quickly for x < (a + 1) / (a + b + 2).
double BetaFraction(double a, double b, double x) {
  constexpr double kTiny = 1e-300;  // stands in for a zero denominator
  constexpr double kClose = 1e-15;
  const auto guard = [](double value) { return std::fabs(value) < kTiny ? kTiny : value; };
  double c = 1;
  double d = 1 / guard(1 - (a + b) * x / (a + 1));
  double h = d;
  for (int m = 1; m <= 1000; ++m) {
    const double twice = 2.0 * m;
    // The even step ...
    double step = m * (b - m) * x / ((a - 1 + twice) * (a + twice));
    d = 1 / guard(1 + step * d);
    c = guard(1 + step / c);
    h *= d * c;
    // ... and the odd one.
    step = -(a + m) * (a + b + m) * x / ((a + twice) * (a + 1 + twice));
    d = 1 / guard(1 + step * d);
    c = guard(1 + step / c);
    const double change = d * c;
    h *= change;
    if (std::fabs(change - 1) < kClose) break;
  }
  return h;
}

// I_x(a, b), the regularized incomplete beta function, for 0 <= x <= 1 and a, b > 0.
double IncompleteBeta(double a, double b, double x) {
  if (x <= 0) return 0;
  if (x >= 1) return 1;
  // x^a (1 - x)^b / B(a, b), in logarithms so that small degrees of freedom do not overflow.
  const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                a * std::log(x) + b * std::log1p(-x));
  if (x < (a + 1) / (a + b + 2)) return front * BetaFraction(a, b, x) / a;
  // Beyond that point the fraction of the mirrored function converges instead.
  return 1 - front * BetaFraction(b, a, 1 - x) / b;
}

// The chance that |T| exceeds t is I_x(df / 2, 1 / 2) with x = df / (df + t^2); as that grows
// with x, the x where it is 5 % is found by halving, and gives back t.
double TwoSidedCritical(double df, double tail) {
  double lo = 0;  // a chance below `tail`
  double hi = 1;  // a chance of at least `tail` (t = 0: every |T| exceeds it)
  // Small degrees of freedom put the answer close to x = 0, where an absolute width would not
  // do; the interval is narrowed until it is small against its own lower end.
  for (int i = 0; i < 4000 && hi - lo > 1e-14 * lo; ++i) {
    const double mid = lo + (hi - lo) / 2;
    if (mid <= lo || mid >= hi) break;
    if (IncompleteBeta(df / 2, 0.5, mid) < tail) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  const double x = lo + (hi - lo) / 2;
  return std::sqrt(df * (1 - x) / x);
}

}  // namespace

double TCritical95(double df) {
  // The normal distribution's value: beyond ten million degrees of freedom t differs from it
  // by less than a ten-millionth.
  constexpr double kNormal = 1.959964;
  if (!(df > 0)) return std::numeric_limits<double>::infinity();
  if (df > 1e7) return kNormal;
  return TwoSidedCritical(df, 0.05);
}

Verdict Compare(const Sample& before, const Sample& now) {
  if (before.n < 2 || now.n < 2) return Verdict::kNone;
  if (before.sd == 0 && now.sd == 0) {
    // Runs that repeat their figure exactly: any difference is a real one.
    if (now.mean == before.mean) return Verdict::kWithinNoise;
    return now.mean > before.mean ? Verdict::kFaster : Verdict::kSlower;
  }
  const std::optional<WelchTest> test = Welch(before, now);
  if (!test || std::fabs(test->t) <= TCritical95(test->df)) return Verdict::kWithinNoise;
  return test->t > 0 ? Verdict::kFaster : Verdict::kSlower;
}

}  // namespace quorvath
