// Checks shared by the kit tests: is a result file what a complete demo run leaves, and
// helpers to say what a batch file printed when it is not.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "batch_process.h"
#include "kit_contract.h"
#include "result_file.h"

namespace quorvath::kit_test {

// A complete result of `batch`: well formed, seven levels with one group per resolution in
// the batch file's order, ASCII only, every figures line ordered low < average < high and
// ending in " fps", and within a level the higher resolution the slower.
::testing::AssertionResult IsCompleteResult(std::string_view bytes, const FlybyBatch& batch);

// The average figure in hundredths (the group is known to be well formed).
long AverageHundredths(const FpsGroup& group);

// Names the instances of a test over the batch files: "HighQuality1280".
std::string FlybyBatchTestName(const ::testing::TestParamInfo<FlybyBatch>& param);

// For failure messages.
std::string Describe(const BatchOutcome& outcome);

}  // namespace quorvath::kit_test
