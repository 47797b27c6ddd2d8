// Waiting for a test's result file: what each tick of the test's timer decides.
#pragma once

#include <string>

#include "core/file_system.h"
#include "core/win_handles.h"

namespace quorvath {

// What the program knows about a running test while it waits for the result.
struct PendingResult {
  std::wstring result_path;  // app_dir + the test's result file
  FileStamp at_launch;       // the result file as it was when the test started
  UniqueHandle process;      // the batch process; may be empty when none was given
  FileStamp unfinished;      // a new file that could not be read whole at an earlier tick
};

enum class PollOutcome {
  kWaiting,      // nothing new yet, or a new file still being written
  kResultReady,  // a result file written since the launch is there
};

// One tick: one look at the result file. A file that was there at launch and is unchanged is
// left from an earlier run and does not count. A new file that can be read whole is ready.
// One that cannot (still being written, or held by another program) waits while the batch
// process runs and while it changes from one tick to the next; then it is ready as it is, for
// the window to show what it holds and tell what is wrong.
//
// Whether the batch process has ended never decides that the test is over: a kit may hand the
// run to another program and end at once. A run that never writes its file is ended by the
// user.
PollOutcome PollResult(PendingResult& pending);

}  // namespace quorvath
