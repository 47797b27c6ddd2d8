// Writes a result file of many groups, reads it with the file reader and prints the peak
// memory of the process. The file is written a megabyte at a time, so the peak is the read's.
//   quorvath_fps_peak_memory [groups] [file]
// Exits 1 when the read is wrong, 2 when the peak reaches the limit.
#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fps_bench_data.h"
#include "results/fps_reader.h"

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr double kLimitMegabytes = 100.0;

#ifdef _WIN32
// The most the process ever had in its working set and committed privately.
void PeakMemory(double& working_set, double& committed) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  working_set = static_cast<double>(counters.PeakWorkingSetSize) / kMegabyte;
  committed = static_cast<double>(counters.PeakPagefileUsage) / kMegabyte;
}
std::string DefaultPath() {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "quorvath-fps-peak-" + std::to_string(GetCurrentProcessId()) +
         ".txt";
}
quorvath::FpsReadResult ReadFile(const std::string& path) {
  return quorvath::ReadFpsFile(std::wstring(path.begin(), path.end()));
}
#else
void PeakMemory(double& resident, double& committed) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  resident = static_cast<double>(usage.ru_maxrss) * 1024.0 / kMegabyte;  // kilobytes here
  committed = 0.0;
}
std::string DefaultPath() {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp != nullptr ? tmp : "/tmp") + "/quorvath-fps-peak-" +
         std::to_string(getpid()) + ".txt";
}
quorvath::FpsReadResult ReadFile(const std::string& path) { return quorvath::ReadFpsFile(path); }
#endif

}  // namespace

int main(int argc, char** argv) {
  const std::size_t groups = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000;
  const std::string path = argc > 2 ? argv[2] : DefaultPath();

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || !quorvath::bench::WriteFpsFile(file, groups) || std::fclose(file) != 0) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }

  double before_resident = 0;
  double before_committed = 0;
  PeakMemory(before_resident, before_committed);
  const quorvath::FpsReadResult result = ReadFile(path);
  double resident = 0;
  double committed = 0;
  PeakMemory(resident, committed);
  std::remove(path.c_str());

  const double record_megabytes =
      static_cast<double>(result.records.size() * sizeof(quorvath::FpsRecord)) / kMegabyte;
  std::printf("groups %zu, records %zu (%.1f MB of records, %zu bytes each), ", groups,
              result.records.size(), record_megabytes, sizeof(quorvath::FpsRecord));
#ifdef _WIN32
  std::printf("peak working set %.1f MB, peak committed %.1f MB (%.1f and %.1f MB before the read)",
              resident, committed, before_resident, before_committed);
#else
  std::printf("peak resident %.1f MB (%.1f MB before the read)", resident, before_resident);
#endif
  std::printf(", limit %.0f MB\n", kLimitMegabytes);

  if (result.records.size() != groups || result.damaged() || result.record_count != groups + 1) {
    std::fprintf(stderr, "the read did not give every group\n");
    return 1;
  }
  const double peak = resident > committed ? resident : committed;
  return peak < kLimitMegabytes ? 0 : 2;
}
