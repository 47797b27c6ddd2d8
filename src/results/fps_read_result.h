// What one read of an FPS result file gives: the complete groups as records, and what was
// wrong with the file and where.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "results/fps_record_list.h"

namespace quorvath {

enum class FpsProblem {
  kCannotOpen,        // the file is missing or could not be opened
  kReadFailed,        // reading stopped part way with an error
  kEndsInsideGroup,   // fewer than four lines in the last group (a stray empty line too)
  kTooFewSeparators,  // a figures line with fewer than two " / "
  kFiguresTooShort,   // fewer than four characters after the second " / "
};

struct FpsFault {
  FpsProblem problem;
  std::size_t line;            // numbered from 1; 0 when the file was not opened
  std::uint32_t system_error;  // Win32 error or errno; 0 when the system reported none

  friend bool operator==(const FpsFault&, const FpsFault&) = default;
};

// Problems are found in file order, except that a group left unfinished by the end of the
// file (kEndsInsideGroup, at the line that began it) is found last.
struct FpsReadResult {
  // A damaged file can hold a fault in every group; beyond this many only the count grows.
  static constexpr std::size_t kMaxKeptFaults = 20;

  FpsRecordList records;         // record k (numbered from 1) at index k - 1
  std::size_t record_count = 0;  // the number of records + 1 once the read is over
  std::vector<FpsFault> faults;  // the first kMaxKeptFaults problems, in the order found
  std::size_t fault_count = 0;   // every problem found

  bool damaged() const { return fault_count != 0; }
  void AddFault(const FpsFault& fault);
};

// The result of a read that could not open its file.
FpsReadResult FpsCannotOpen(std::uint32_t system_error);

// One sentence for the user, without the file's name, which the caller knows, e.g.
// "line 6: the figures line has fewer than two " / " separators."
std::wstring DescribeFpsFault(const FpsFault& fault);

}  // namespace quorvath
