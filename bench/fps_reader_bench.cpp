// Speed of the FPS result reader, set against a bare line count of the same bytes measured in
// the same run: memchr from line feed to line feed, the least any reader of lines must do.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "fps_bench_data.h"
#include "results/fps_reader.h"

namespace quorvath::bench {
namespace {

constexpr std::size_t kGroupsAtTheOldLimit = 32'766;
constexpr std::size_t kMillionGroups = 1'000'000;

const std::string& FileBytes(std::size_t groups) {
  static std::map<std::size_t, std::string> files;
  auto found = files.find(groups);
  if (found == files.end()) found = files.emplace(groups, MakeFpsFileBytes(groups)).first;
  return found->second;
}

// The same bytes on disk, written once per run and removed at its end; read from the page
// cache after the first pass.
class DiskFiles {
 public:
  ~DiskFiles() {
    for (const auto& [groups, path] : paths_) std::remove(path.c_str());
  }
  const std::string& PathFor(std::size_t groups) {
    auto found = paths_.find(groups);
    if (found != paths_.end()) return found->second;
    const char* tmp = std::getenv("TMPDIR");
    std::string path = std::string(tmp != nullptr ? tmp : "/tmp") + "/quorvath-bench-fps-" +
                       std::to_string(getpid()) + "-" + std::to_string(groups) + ".txt";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || !WriteFpsFile(file, groups) || std::fclose(file) != 0) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      std::exit(1);
    }
    return paths_.emplace(groups, std::move(path)).first->second;
  }

 private:
  std::map<std::size_t, std::string> paths_;
};
DiskFiles disk_files;

std::size_t CountLineFeeds(const char* data, std::size_t size) {
  std::size_t lines = 0;
  const char* const end = data + size;
  for (const char* p = data; p < end;) {
    const void* found = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (found == nullptr) break;
    ++lines;
    p = static_cast<const char*>(found) + 1;
  }
  return lines;
}

void CheckRead(benchmark::State& state, const FpsReadResult& result, std::size_t groups) {
  if (result.records.size() != groups || result.damaged()) {
    state.SkipWithError("the reader did not read every group");
  }
}

void BM_ReadFpsBytes(benchmark::State& state) {
  const auto groups = static_cast<std::size_t>(state.range(0));
  const std::string& bytes = FileBytes(groups);
  for (auto _ : state) {
    const FpsReadResult result = ReadFpsBytes(bytes);
    benchmark::DoNotOptimize(result.record_count);
    CheckRead(state, result, groups);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_CountLinesMemchr(benchmark::State& state) {
  const auto groups = static_cast<std::size_t>(state.range(0));
  const std::string& bytes = FileBytes(groups);
  for (auto _ : state) {
    const std::size_t lines = CountLineFeeds(bytes.data(), bytes.size());
    benchmark::DoNotOptimize(lines);
    if (lines != 4 * groups) state.SkipWithError("wrong line count");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ReadFpsFile(benchmark::State& state) {
  const auto groups = static_cast<std::size_t>(state.range(0));
  const std::string& path = disk_files.PathFor(groups);
  const std::size_t size = FileBytes(groups).size();
  for (auto _ : state) {
    const FpsReadResult result = ReadFpsFile(path);
    benchmark::DoNotOptimize(result.record_count);
    CheckRead(state, result, groups);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// The bare count from disk: the same reads in pieces of the reader's size, then memchr.
void BM_CountLinesMemchrFile(benchmark::State& state) {
  const auto groups = static_cast<std::size_t>(state.range(0));
  const std::string& path = disk_files.PathFor(groups);
  const std::size_t size = FileBytes(groups).size();
  std::vector<char> buffer(64 * 1024);  // the reader's piece
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::size_t lines = 0;
    for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;) {
      lines += CountLineFeeds(buffer.data(), static_cast<std::size_t>(got));
    }
    ::close(fd);
    benchmark::DoNotOptimize(lines);
    if (lines != 4 * groups) state.SkipWithError("wrong line count");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Not a reader: only storing as many records as the file has groups, the least any reader
// that keeps them must spend on fresh memory (88 bytes a record). Shown beside the others to
// tell the parsing from the cost of the records' memory.
void BM_StoreRecordsOnly(benchmark::State& state) {
  const auto groups = static_cast<std::size_t>(state.range(0));
  const std::size_t size = FileBytes(groups).size();
  FpsRecord record;
  record.level_name.StoreAscii("Deck");
  for (auto _ : state) {
    std::deque<FpsRecord> records;
    for (std::size_t i = 0; i < groups; ++i) records.push_back(record);
    benchmark::DoNotOptimize(records[groups - 1]);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void FileSizes(benchmark::internal::Benchmark* bench) {
  bench->Arg(static_cast<std::int64_t>(kGroupsAtTheOldLimit));
  bench->Arg(static_cast<std::int64_t>(kMillionGroups));
  bench->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ReadFpsBytes)->Apply(FileSizes);
BENCHMARK(BM_CountLinesMemchr)->Apply(FileSizes);
BENCHMARK(BM_ReadFpsFile)->Apply(FileSizes);
BENCHMARK(BM_CountLinesMemchrFile)->Apply(FileSizes);
BENCHMARK(BM_StoreRecordsOnly)->Apply(FileSizes);

}  // namespace
}  // namespace quorvath::bench

BENCHMARK_MAIN();
