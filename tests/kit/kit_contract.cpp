#include "kit_contract.h"

#include <stdexcept>

namespace quorvath::kit_test {
namespace {

struct Quality {
  std::string title;  // "HighQuality"
  std::wstring folder;
  std::wstring batch_prefix;
  std::wstring settings;  // the settings file's name and its benchmark folder's name
  std::wstring result_file;
};

struct Resolution {
  std::string title;
  std::wstring suffix;  // what follows the prefix in the batch file's name
  std::vector<int> widths;
};

std::vector<FlybyBatch> MakeFlybyBatches() {
  std::vector<FlybyBatch> batches;
  batches.push_back({"CpuTest",
                     L"CPU Test\\cpu-flyby-benchmark.bat",
                     L"CPU Test\\CPU_LowDetail.ini",
                     L"Benchmark\\CPU_LowDetail",
                     L"CPU_LowDetail.ini",
                     L"CPU_Test_FPS.txt",
                     {kCpuWidth}});

  const Quality qualities[] = {
      {"HighQuality", L"High Quality", L"hq-flyby-benchmark_", L"Custom_MaxDetail", L"HQ_FPS.txt"},
      {"LowQuality", L"Low Quality", L"lq-flyby-benchmark_", L"Custom_MinDetail", L"LQ_FPS.txt"},
  };
  // "All " keeps its blank: the program takes the first four characters of
  // "All Resolutions". Its records run 1600, 1280, 1024 for each level.
  const Resolution resolutions[] = {
      {"1024", L"1024", {1024}},
      {"1280", L"1280", {1280}},
      {"1600", L"1600", {1600}},
      {"All", L"All ", {1600, 1280, 1024}},
  };
  for (const Quality& quality : qualities) {
    for (const Resolution& resolution : resolutions) {
      batches.push_back(
          {quality.title + resolution.title,
           quality.folder + L"\\" + quality.batch_prefix + resolution.suffix + L".bat",
           quality.folder + L"\\" + quality.settings + L".ini", L"Benchmark\\" + quality.settings,
           quality.settings + L".ini", quality.result_file, resolution.widths});
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
