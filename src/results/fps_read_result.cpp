#include "results/fps_read_result.h"

namespace quorvath {

void FpsReadResult::AddFault(const FpsFault& fault) {
  if (faults.size() < kMaxKeptFaults) faults.push_back(fault);
  ++fault_count;
}

FpsReadResult FpsCannotOpen(std::uint32_t system_error) {
  FpsReadResult result;
  result.AddFault({FpsProblem::kCannotOpen, 0, system_error});
  result.record_count = 1;
  return result;
}

}  // namespace quorvath
