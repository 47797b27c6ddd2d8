// What Quorvath expects of the kit beside it, taken from the program's own tables: the files
// it requires, the batch file of each test with its settings file and result file, and the
// location file. These tests hold the demo kit to that contract.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "runs/batch_files.h"

namespace quorvath::kit_test {

using quorvath::kLocateBatchFile;
using quorvath::kLocationFile;
using quorvath::kRequiredFiles;

// Where the demo kit puts its stand-in game: beside the three test folders.
inline constexpr std::wstring_view kDemoGameFolder = L"Demo Game";

// The demo kit simulates this many levels in every run.
inline constexpr std::size_t kLevelsPerRun = 7;

// The widths of the resolutions a batch file measures, in the order of its records.
inline constexpr int kCpuWidth = 640;

// One test batch file and what surrounds its run.
struct FlybyBatch {
  std::string name;                 // for test names: "HighQuality1280"
  std::wstring batch_file;          // relative to the program folder
  std::wstring settings_file;       // relative to the program folder
  std::wstring benchmark_folder;    // relative to the game folder; receives settings_file
  std::wstring settings_file_name;  // settings_file without its folder
  std::wstring result_file;         // in the program folder
  std::vector<int> widths;          // resolutions of the records, in file order
};

// All nine test batch files: CPU, then High and Low Quality at 1024, 1280, 1600 and "All ".
const std::vector<FlybyBatch>& FlybyBatches();
const FlybyBatch& FlybyBatchNamed(std::string_view name);

// How test output names a batch file.
inline void PrintTo(const FlybyBatch& batch, std::ostream* out) { *out << batch.name; }

}  // namespace quorvath::kit_test
