#include "runs/batch_files.h"

namespace quorvath {

const TestRow& TestRowFor(TestKind kind) { return kTests[static_cast<std::size_t>(kind)]; }

std::wstring_view ResolutionSuffix(std::wstring_view selected_res) {
  return selected_res.substr(0, 4);
}

std::wstring BatchFileFor(const TestRow& test, std::wstring_view selected_res) {
  std::wstring file(test.batch_file);
  if (test.runs_at_resolution) {
    file += ResolutionSuffix(selected_res);
    file += L".bat";
  }
  return file;
}

}  // namespace quorvath
