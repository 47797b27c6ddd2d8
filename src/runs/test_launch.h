// The steps of starting a test around the main window's buttons: the game's benchmark
// folder, the settings file, and the batch file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/app_state.h"
#include "runs/batch_files.h"
#include "runs/result_polling.h"

namespace quorvath {

// Makes sure game_dir + the test's benchmark folder exists, level by level.
void PrepareBenchmarkFolder(const TestRow& test, const AppState& app);

// Copies the test's settings file from the program folder into that folder, replacing an
// earlier copy. False when it could not be copied.
bool CopySettingsFile(const TestRow& test, const AppState& app);

// Why the test's settings file is not in place in the game's benchmark folder after the copy
// failed, as a sentence naming the file or folder; nothing when an identical copy is there
// already (a read-only copy left by an earlier run, for instance), so the test can run.
std::optional<std::wstring> SettingsFileProblem(const TestRow& test, const AppState& app);

struct TestStart {
  std::wstring batch_path;  // app_dir + the batch file for the chosen resolution
  bool started = false;
  DWORD error = ERROR_SUCCESS;           // why it did not start
  std::optional<PendingResult> pending;  // when started
};

// Notes what the result file looks like now, then starts the test's batch file in the
// program folder with the parameters "1": hidden for the CPU test, minimised without taking
// the focus for the High and Low Quality tests, so that a user can look at a run.
TestStart StartTestBatchFile(const TestRow& test, const AppState& app);

}  // namespace quorvath
