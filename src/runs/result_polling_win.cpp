#include "runs/result_polling.h"

#include "results/fps_reader.h"

namespace quorvath {

namespace {

bool HasEnded(const PendingResult& pending) {
  return pending.process == nullptr ||
         WaitForSingleObject(pending.process.get(), 0) == WAIT_OBJECT_0;
}

// Can be opened and holds only complete groups.
bool ReadsWhole(const std::wstring& path) { return !ReadFpsFile(path).damaged(); }

}  // namespace

PollOutcome PollResult(PendingResult& pending) {
  const FileStamp now = StampOf(pending.result_path);
  const bool left_from_before = pending.at_launch.is_file && now == pending.at_launch;
  const bool new_file = now.is_file && !left_from_before;
  const bool ended = HasEnded(pending);
  if (new_file) {
    if (ReadsWhole(pending.result_path)) return PollOutcome::kResultReady;
    // Still being written, or held open by another program: wait while the batch file runs
    // and one tick after; then the window shows what it holds and tells what is wrong.
    if (!ended) return PollOutcome::kWaiting;
    if (!pending.saw_end) {
      pending.saw_end = true;
      return PollOutcome::kWaiting;
    }
    return PollOutcome::kResultReady;
  }
  if (!ended) return PollOutcome::kWaiting;
  if (!pending.saw_end) {
    pending.saw_end = true;
    return PollOutcome::kWaiting;
  }
  return PollOutcome::kEndedWithoutResult;
}

}  // namespace quorvath
