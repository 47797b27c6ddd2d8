// One benchmark test from its button to its result: the test's folder in the game's benchmark
// folder and its settings file, the start of its batch file, and the ticks that wait for the
// result file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/file_system.h"
#include "core/win_handles.h"
#include "results/fps_reader.h"
#include "results/run_csv.h"
#include "runs/kit.h"

namespace quorvath {

// A level of a folder path that could not be made, and the system's reason.
struct FolderFailure {
  std::wstring folder;  // without a trailing backslash
  DWORD error;
};

// Creates every missing level of `path`, top level first. A level whose parent is missing
// (because it could not be created) is skipped. Returns the first level that could not be
// made.
std::optional<FolderFailure> MakeFolderPath(const std::wstring& path);

// Creates the one folder `path` (which ends in a backslash) when nothing of that name exists
// yet and its parent folder does; ERROR_PATH_NOT_FOUND when the parent is missing.
DWORD MakeFolder(const std::wstring& path);

// Copies `source` when it is a file. A `destination` that ends in a backslash names an
// existing folder that receives the file under its own name; any other destination is the new
// file's name. With `overwrite` an existing destination file is replaced, without it the copy
// fails. True when the copy was made; every failure is a false result, with the reason in
// `error`.
bool CopyIfExists(const std::wstring& source, const std::wstring& destination, bool overwrite,
                  DWORD* error);

// Makes sure game_dir + the test's benchmark folder exists, then copies the test's settings
// file into it, replacing an earlier copy. Nothing when the settings are in place (an
// identical copy that could not be replaced, such as a read-only one, is); otherwise what is
// wrong, as a sentence naming the file or folder: without its settings the benchmark would
// measure something else than the test.
std::optional<std::wstring> PrepareTestFolder(const TestRow& test, const AppState& app);

// What is known of a run from the press of its button.
struct RunOrigin {
  std::wstring selected_res;  // the resolution chosen then: the run's resolution of record
  RunContext context;         // its label, start and machine; its duration once it has ended
  ULONGLONG started_ms = 0;   // GetTickCount64 at the press
};

// What the program knows about a running test while it waits for the result.
struct PendingResult {
  TestKind test;
  std::wstring result_path;  // app_dir + the test's result file
  FileStamp at_launch;       // the result file as it was when the test started
  UniqueHandle process;      // the batch process
  FileStamp unfinished;      // a new file that could not be read whole at an earlier tick
  RunOrigin origin{};
};

struct TestStart {
  std::wstring batch_path;               // app_dir + the batch file for the chosen resolution
  DWORD error = ERROR_SUCCESS;           // why it did not start
  std::optional<PendingResult> pending;  // when it started
};

// Notes what the result file looks like now, then starts the test's batch file in the
// program folder with the parameters "1": hidden for the CPU test, minimised without taking
// the focus for the High and Low Quality tests, so that a user can look at a run.
TestStart StartTest(const TestRow& test, const AppState& app);

// One tick: one look at the result file, and the result once it is there, read once. A file
// that was there at launch and is unchanged is left from an earlier run and does not count. A
// new file that cannot be read whole (still being written, or held by another program) waits
// while the batch process runs and while it changes from one tick to the next; then it is
// given as it is, for the window to show what it holds and tell what is wrong.
//
// Whether the batch process has ended never decides that the test is over: a kit may hand the
// run to another program and end at once. A run that never writes its file is ended by the
// user.
std::optional<FpsReadResult> PollResult(PendingResult& pending);

}  // namespace quorvath
