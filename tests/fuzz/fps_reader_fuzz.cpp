// Fuzzes the reading of the program's text files: the result reader, whole and in pieces of
// every size, a saved run's CSV, and the location file's text. A broken invariant aborts, which
// libFuzzer reports as a crash.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/ansi_text.h"
#include "results/fps_reader.h"
#include "results/run_csv.h"
#include "runs/kit.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

template <std::size_t Width>
void RequireOneLine(const quorvath::FixedText<Width>& field) {
  Require(field.units().find_first_of(u"\r\n") == std::u16string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvath;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const FpsReadResult whole = ReadFpsBytes(bytes);
  Require(whole.record_count == whole.records.size() + 1);
  Require(whole.faults.size() == std::min(whole.fault_count, FpsReadResult::kMaxKeptFaults));
  for (const FpsRecord& record : whole.records) {
    RequireOneLine(record.level_name);
    RequireOneLine(record.fps_low);
    RequireOneLine(record.fps_avg);
    RequireOneLine(record.fps_high);
  }
  // Read in pieces as a file is, the piece size taken from the input.
  const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 97;
  std::size_t at = 0;
  const FpsReadResult streamed = ReadFpsStream(
      [&](char* into, std::size_t room, std::uint32_t&) -> std::optional<std::size_t> {
        const std::size_t n = std::min({room, piece, size - at});
        bytes.copy(into, n, at);
        at += n;
        return n;
      });
  Require(streamed.records == whole.records && streamed.faults == whole.faults);

  // A CSV the user opens for a comparison: what reads as a run is written back the same.
  if (const std::optional<SavedRun> run = ParseRunCsv(bytes))
    Require(ParseRunCsv(RunCsv(*run)) == run);

  const std::optional<std::wstring> folder = GameFolderFromLocationText(DecodeAnsi(bytes));
  Require(!folder || (!folder->empty() && folder->find_first_of(L"\r\n") == std::wstring::npos &&
                      folder->front() != L' ' && folder->back() != L' '));
  return 0;
}
