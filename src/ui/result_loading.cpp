#include "ui/result_loading.h"

#include "core/app_state.h"
#include "core/message_box.h"
#include "results/fps_reader.h"
#include "results/result_rows.h"
#include "ui/column_list.h"

namespace quorvath {

std::wstring ResultFilePath(TestKind test) {
  return App().app_dir + std::wstring(TestRowFor(test).result_file);
}

FpsReadResult LoadResults(TestKind test, HWND list) {
  FpsReadResult read = ReadFpsFile(ResultFilePath(test));
  SetListRows(list, ResultRows(test, read.records, App().selected_res));
  return read;
}

std::wstring DamagedResultMessage(const std::wstring& path, const FpsReadResult& read) {
  if (read.faults.empty()) return {};
  const FpsFault& first = read.faults.front();
  std::wstring message;
  if (first.problem == FpsProblem::kCannotOpen) {
    message = L"The result file could not be read:\r\n" + path;
  } else {
    message = L"The result file is damaged:\r\n" + path + L"\r\n\r\nAt " + DescribeFpsFault(first);
    if (read.fault_count > 1) {
      message += L"\r\n(" + std::to_wstring(read.fault_count - 1) +
                 (read.fault_count == 2 ? L" further problem" : L" further problems") +
                 L" after that.)";
    }
    message += L"\r\n\r\nThe list shows the " + std::to_wstring(read.records.size()) +
               (read.records.size() == 1 ? L" level" : L" levels") + L" that could be read.";
  }
  if (first.system_error != 0) {
    message += L"\r\n\r\n" + SystemErrorText(first.system_error);
  }
  return message;
}

}  // namespace quorvath
