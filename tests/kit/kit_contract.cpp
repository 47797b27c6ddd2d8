#include "kit_contract.h"

#include <stdexcept>

namespace quorvath::kit_test {
namespace {

// The resolutions of a batch file's records, in file order: "All Resolutions" runs 1600,
// 1280 and 1024 for each level.
std::vector<int> WidthsFor(std::wstring_view resolution) {
  if (resolution == kAllResolutions) return {1600, 1280, 1024};
  return {std::stoi(std::wstring(resolution.substr(0, 4)))};
}

std::wstring AfterLastBackslash(std::wstring_view path) {
  return std::wstring(path.substr(path.find_last_of(L'\\') + 1));
}

std::vector<FlybyBatch> MakeFlybyBatches() {
  std::vector<FlybyBatch> batches;
  for (const TestRow& test : kTests) {
    const std::string title = test.kind == TestKind::kCpu    ? "CpuTest"
                              : test.kind == TestKind::kHigh ? "HighQuality"
                                                             : "LowQuality";
    const std::wstring settings(test.settings_file);
    const std::wstring benchmark_folder(test.benchmark_folder.substr(1));  // no leading "\"
    if (!test.runs_at_resolution) {
      batches.push_back({title,
                         BatchFileFor(test, L""),
                         settings,
                         benchmark_folder,
                         AfterLastBackslash(settings),
                         std::wstring(test.result_file),
                         {kCpuWidth}});
      continue;
    }
    // In the kit's own order: the single resolutions, then "All ".
    for (std::size_t i = 1; i <= kResolutions.size(); ++i) {
      const std::wstring_view resolution = kResolutions[i % kResolutions.size()];
      const std::string suffix = resolution == kAllResolutions
                                     ? "All"
                                     : std::string(resolution.begin(), resolution.begin() + 4);
      batches.push_back({title + suffix, BatchFileFor(test, resolution), settings, benchmark_folder,
                         AfterLastBackslash(settings), std::wstring(test.result_file),
                         WidthsFor(resolution)});
    }
  }
  return batches;
}

}  // namespace

const std::vector<FlybyBatch>& FlybyBatches() {
  static const std::vector<FlybyBatch> batches = MakeFlybyBatches();
  return batches;
}

const FlybyBatch& FlybyBatchNamed(std::string_view name) {
  for (const FlybyBatch& batch : FlybyBatches()) {
    if (batch.name == name) return batch;
  }
  throw std::invalid_argument("no such flyby batch file: " + std::string(name));
}

}  // namespace quorvath::kit_test
