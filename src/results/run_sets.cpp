// Sets of runs and their figures level by level. A level is known by its name, its resolution
// and which record of that name and resolution it is in its run: a test that visits a level
// twice has two records of it, and the second of one run goes with the second of another.
#include "results/run_sets.h"

#include <map>
#include <tuple>
#include <utility>

#include "results/chart_model.h"

namespace quorvath {

std::vector<std::vector<std::size_t>> GroupIntoSets(const std::vector<SetKey>& runs) {
  std::vector<std::vector<std::size_t>> sets;
  // The key of each set, at the set's index; a handful of sets, so a search does.
  std::vector<const SetKey*> keys;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    std::size_t set = 0;
    while (set < keys.size() && !(*keys[set] == runs[i])) ++set;
    if (set == keys.size()) {
      keys.push_back(&runs[i]);
      sets.emplace_back();
    }
    sets[set].push_back(i);
  }
  return sets;
}

namespace {

// The mean of plain figures as they are met, one run at a time.
struct Mean {
  double sum = 0;
  std::size_t n = 0;

  void Add(const std::wstring& figure) {
    if (const std::optional<double> value = PlainNumber(figure)) {
      sum += *value;
      ++n;
    }
  }
  std::optional<double> Value() const {
    if (n == 0) return std::nullopt;
    return sum / static_cast<double>(n);
  }
};

// What the runs have given a level so far.
struct Gathered {
  std::vector<double> averages;
  std::size_t left_out = 0;
  Mean low, high;
};

using LevelKey = std::tuple<std::wstring, std::wstring, std::size_t>;

}  // namespace

std::vector<LevelFigures> SetFigures(const std::vector<const SavedRun*>& runs) {
  std::vector<LevelFigures> levels;
  std::vector<Gathered> gathered;
  std::map<LevelKey, std::size_t> index;  // into `levels` and `gathered`
  for (const SavedRun* run : runs) {
    if (run == nullptr) continue;
    // How many records of each level and resolution this run has had so far.
    std::map<std::pair<std::wstring, std::wstring>, std::size_t> seen;
    for (const SavedRecord& record : run->records) {
      const std::size_t occurrence = seen[{record.level, record.resolution}]++;
      const auto [at, added] =
          index.try_emplace({record.level, record.resolution, occurrence}, levels.size());
      if (added) {
        levels.push_back({record.level, record.resolution, occurrence, {}, 0, {}, {}});
        gathered.emplace_back();
      }
      Gathered& level = gathered[at->second];
      if (const std::optional<double> average = PlainNumber(record.average)) {
        level.averages.push_back(*average);
      } else {
        ++level.left_out;
      }
      level.low.Add(record.low);
      level.high.Add(record.high);
    }
  }
  for (std::size_t i = 0; i < levels.size(); ++i) {
    levels[i].average = Describe(gathered[i].averages);
    levels[i].left_out = gathered[i].left_out;
    levels[i].low = gathered[i].low.Value();
    levels[i].high = gathered[i].high.Value();
  }
  return levels;
}

}  // namespace quorvath
