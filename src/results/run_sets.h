// Sets of runs: the runs of one series of repeats, or the runs a user picks that share test,
// resolution, label and computer. Per level and resolution a set has the number of its runs
// whose Average FPS is a plain number, their mean, standard deviation, lowest and highest, and
// the means of their Low and High FPS; a figure that is not a plain number is left out and
// counted. A set is compared with a base set level by level: the change of the means, and a
// verdict when both have two runs or more.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/run_csv.h"
#include "results/run_stats.h"

namespace quorvath {

// What decides which set a run belongs to.
struct SetKey {
  std::wstring test;  // as the history names it ("High Quality")
  std::wstring resolution;
  std::wstring label;
  std::wstring computer;
  friend bool operator==(const SetKey&, const SetKey&) = default;
};

// The indexes of `runs` grouped into sets of equal keys, each set in the runs' order and the
// sets in the order of their first run.
std::vector<std::vector<std::size_t>> GroupIntoSets(const std::vector<SetKey>& runs);

// One level of one resolution of a set.
struct LevelFigures {
  std::wstring level;
  std::wstring resolution;
  std::size_t occurrence = 0;  // 0 for the first record of this level and resolution in a run
  Sample average;              // of the runs' Average FPS figures that are plain numbers
  std::size_t left_out = 0;    // the runs whose Average FPS figure is not a plain number
  std::optional<double> low;   // the mean of the plain Low FPS figures; none when none is
  std::optional<double> high;  // the same of High FPS
};

// The set's levels in the order of its first run's records, then those only later runs have.
// The n-th record of a level and resolution in a run goes with the n-th of the others.
std::vector<LevelFigures> SetFigures(const std::vector<const SavedRun*>& runs);

}  // namespace quorvath
