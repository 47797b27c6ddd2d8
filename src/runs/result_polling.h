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
  UniqueHandle process;      // the batch process; may be empty when the shell gave none
  bool saw_end = false;      // the batch process was seen ended at an earlier tick
};

enum class PollOutcome {
  kWaiting,             // nothing new yet
  kResultReady,         // a result file written since the launch is there
  kEndedWithoutResult,  // the batch file has ended and left no new result file
};

// One tick: one look at the result file. A file that was there at launch and is unchanged is
// left from an earlier run and does not count. A new file is ready when the batch process has
// ended; while it still runs, the file is ready once it can be read whole (a file still being
// written, or held by another program, waits for the next tick). When the batch process has
// ended, the next tick gives it one more chance: then a new file is ready whatever state it
// is in, and no new file gives kEndedWithoutResult.
PollOutcome PollResult(PendingResult& pending);

}  // namespace quorvath
