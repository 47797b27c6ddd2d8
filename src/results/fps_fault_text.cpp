// The sentences that tell the user what is wrong with a result file.
#include "results/fps_read_result.h"

namespace quorvath {

namespace {

std::wstring SystemErrorSuffix(std::uint32_t system_error) {
  if (system_error == 0) return {};
  return L" (system error " + std::to_wstring(system_error) + L")";
}

std::wstring WhatIsWrong(const FpsFault& fault) {
  switch (fault.problem) {
    case FpsProblem::kCannotOpen:
      return L"the file could not be opened" + SystemErrorSuffix(fault.system_error) + L".";
    case FpsProblem::kReadFailed:
      return L"the file could not be read from this line on" +
             SystemErrorSuffix(fault.system_error) + L".";
    case FpsProblem::kEndsInsideGroup:
      return L"the file ends inside the group of four lines that begins here.";
    case FpsProblem::kTooFewSeparators:
      return L"the figures line has fewer than two \" / \" separators.";
    case FpsProblem::kFiguresTooShort:
      return L"the figures line has fewer than four characters after its second \" / \".";
  }
  return L"the file is damaged.";
}

}  // namespace

std::wstring DescribeFpsFault(const FpsFault& fault) {
  std::wstring text = WhatIsWrong(fault);
  if (fault.line == 0) return text;
  return L"line " + std::to_wstring(fault.line) + L": " + text;
}

}  // namespace quorvath
