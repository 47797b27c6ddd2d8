#include "run_checks.h"

#include <set>

namespace quorvath::kit_test {
namespace {

std::string GroupTitle(std::size_t index) { return "group " + std::to_string(index + 1); }

}  // namespace

long AverageHundredths(const FpsGroup& group) {
  return FigureHundredths(group.average).value_or(-1);
}

::testing::AssertionResult IsCompleteResult(std::string_view bytes, const FlybyBatch& batch) {
  for (const char byte : bytes) {
    if (static_cast<unsigned char>(byte) >= 0x80) {
      return ::testing::AssertionFailure() << "the result file holds a non-ASCII byte";
    }
  }
  const ParsedResultFile parsed = ParseResultFile(bytes);
  if (!parsed.WellFormed()) {
    return ::testing::AssertionFailure() << "malformed result file, " << parsed.fault;
  }
  const std::size_t per_level = batch.widths.size();
  if (parsed.groups.size() != kLevelsPerRun * per_level) {
    return ::testing::AssertionFailure()
           << parsed.groups.size() << " groups instead of " << kLevelsPerRun * per_level;
  }
  std::set<std::string> level_names;
  for (std::size_t index = 0; index < parsed.groups.size(); ++index) {
    const FpsGroup& group = parsed.groups[index];
    const long low = *FigureHundredths(group.low);
    const long average = *FigureHundredths(group.average);
    const long high = *FigureHundredths(group.high);
    if (!(0 < low && low < average && average < high)) {
      return ::testing::AssertionFailure()
             << GroupTitle(index) << ": figures not ordered low < average < high: " << group.low
             << " / " << group.average << " / " << group.high;
    }
    if (group.tail != " fps") {
      return ::testing::AssertionFailure()
             << GroupTitle(index) << ": figures line ends in \"" << group.tail << "\"";
    }
    if (group.line3.empty() || group.line4.empty()) {
      return ::testing::AssertionFailure() << GroupTitle(index) << ": an empty free-text line";
    }
    const std::size_t first_of_level = index - index % per_level;
    if (index != first_of_level) {
      // Same level at the next resolution down: the same name, and faster.
      const FpsGroup& previous = parsed.groups[index - 1];
      if (group.level != parsed.groups[first_of_level].level) {
        return ::testing::AssertionFailure()
               << GroupTitle(index) << ": level \"" << group.level << "\" where \""
               << parsed.groups[first_of_level].level << "\" continues";
      }
      if (AverageHundredths(previous) >= average) {
        return ::testing::AssertionFailure()
               << GroupTitle(index) << ": average " << group.average << " at width "
               << batch.widths[index % per_level] << " is not above " << previous.average
               << " at width " << batch.widths[index % per_level - 1];
      }
    } else {
      level_names.insert(group.level);
    }
  }
  if (level_names.size() != kLevelsPerRun) {
    return ::testing::AssertionFailure()
           << level_names.size() << " different level names instead of " << kLevelsPerRun;
  }
  return ::testing::AssertionSuccess();
}

std::string FlybyBatchTestName(const ::testing::TestParamInfo<FlybyBatch>& param) {
  return param.param.name;
}

std::string Describe(const BatchOutcome& outcome) {
  return "exit code " + std::to_string(outcome.exit_code) +
         (outcome.ended_in_time ? "" : " (stopped: it did not end in time)") + ", output:\n" +
         outcome.output;
}

}  // namespace quorvath::kit_test
