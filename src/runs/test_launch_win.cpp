#include "runs/test_launch.h"

#include "core/batch_start.h"
#include "runs/benchmark_folder.h"

namespace quorvath {

void PrepareBenchmarkFolder(const TestRow& test, const AppState& app) {
  MakeFolderPath(app.game_dir + std::wstring(test.benchmark_folder));
}

bool CopySettingsFile(const TestRow& test, const AppState& app) {
  return CopyIfExists(app.app_dir + std::wstring(test.settings_file),
                      app.game_dir + std::wstring(test.copy_destination), true);
}

TestStart StartTestBatchFile(const TestRow& test, const AppState& app) {
  TestStart outcome;
  outcome.batch_path = app.app_dir + BatchFileFor(test, app.selected_res);
  const std::wstring result_path = app.app_dir + std::wstring(test.result_file);
  const FileStamp before = StampOf(result_path);

  const int show = test.runs_at_resolution ? SW_SHOWMINNOACTIVE : SW_HIDE;
  BatchStart start = StartBatchFile(outcome.batch_path, show, app.app_dir);
  outcome.started = start.started;
  outcome.error = start.error;
  if (start.started) {
    outcome.pending = PendingResult{result_path, before, std::move(start.process), false};
  }
  return outcome;
}

}  // namespace quorvath
