#include "runs/result_polling.h"

#include "results/fps_reader.h"

namespace quorvath {

namespace {

bool IsRunning(const PendingResult& pending) {
  return pending.process != nullptr &&
         WaitForSingleObject(pending.process.get(), 0) == WAIT_TIMEOUT;
}

// Can be opened and holds only complete groups.
bool ReadsWhole(const std::wstring& path) { return !ReadFpsFile(path).damaged(); }

}  // namespace

PollOutcome PollResult(PendingResult& pending) {
  const FileStamp now = StampOf(pending.result_path);
  const bool left_from_before = pending.at_launch.is_file && now == pending.at_launch;
  if (!now.is_file || left_from_before) return PollOutcome::kWaiting;
  if (ReadsWhole(pending.result_path)) return PollOutcome::kResultReady;
  if (IsRunning(pending) || now != pending.unfinished) {
    pending.unfinished = now;
    return PollOutcome::kWaiting;
  }
  return PollOutcome::kResultReady;
}

}  // namespace quorvath
