#include "runs/result_polling.h"

namespace quorvath {

PollOutcome PollResult(PendingResult& pending) {
  const FileStamp now = StampOf(pending.result_path);
  const bool left_from_before = pending.at_launch.is_file && now == pending.at_launch;
  if (now.is_file && !left_from_before) return PollOutcome::kResultReady;

  if (pending.process == nullptr) return PollOutcome::kWaiting;
  if (WaitForSingleObject(pending.process.get(), 0) != WAIT_OBJECT_0) return PollOutcome::kWaiting;
  if (!pending.ended_without_result) {
    pending.ended_without_result = true;
    return PollOutcome::kWaiting;
  }
  return PollOutcome::kEndedWithoutResult;
}

}  // namespace quorvath
