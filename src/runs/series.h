// A series of repeats: one test run several times back to back, unattended, each run exactly a
// single run. The next run starts once the previous one's batch process is no longer running
// and at least kSeriesGapMs after its result was taken, so that the game has ended. The test
// buttons stay disabled from the first press until the series ends: after its last run, at Stop
// Waiting, or when a run cannot start. The runs taken so far stay saved whatever ends it.
//
// This is the series' bookkeeping alone; the main window starts the runs, arms the timers and
// shows what it says.
#pragma once

#include <cstdint>
#include <string>

namespace quorvath {

// The choices of the Runs menu.
inline constexpr int kSeriesLengths[] = {1, 3, 5};
inline constexpr std::uint64_t kSeriesGapMs = 10'000;

class Series {
 public:
  enum class Phase {
    kIdle,         // no test runs: the buttons are enabled
    kWaiting,      // a run's batch file has started; its result is waited for
    kBetweenRuns,  // a result was taken and another run is to come
  };

  // A test button was pressed: a series of `runs` runs (1 for a single run) begins with its
  // first run, which started at `started` (the run's Started text).
  void Begin(int runs, std::wstring started);
  // The next run's batch file has started.
  void RunStarted();
  // The running run's result was taken at `now_ms`. True when another run is to come.
  bool ResultTaken(std::uint64_t now_ms);
  // Whether the next run may start now: between runs, the gap over and the previous batch
  // process no longer running. When it may, the series moves on to that run.
  bool NextRunDue(std::uint64_t now_ms, bool previous_process_running);
  // Stop Waiting, or a run that could not start: the series ends.
  void End();

  Phase phase() const { return phase_; }
  bool busy() const { return phase_ != Phase::kIdle; }
  int runs() const { return runs_; }
  int current() const { return current_; }  // 1 for the first run
  bool repeats() const { return runs_ > 1; }

  // What a run of the series saves: the first run's Started, and "2 of 3"; both empty for a
  // single run.
  std::wstring SeriesColumn() const;
  std::wstring RunColumn() const;
  // The Stop Waiting command: "Stop &Waiting (Run 2 of 3)" in a series of repeats.
  std::wstring StopWaitingCaption() const;

 private:
  Phase phase_ = Phase::kIdle;
  int runs_ = 1;
  int current_ = 0;
  std::wstring started_;
  std::uint64_t taken_ms_ = 0;
};

}  // namespace quorvath
