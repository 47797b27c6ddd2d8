#include "runs/series.h"

#include <utility>

namespace quorvath {

void Series::Begin(int runs, std::wstring started) {
  runs_ = runs < 1 ? 1 : runs;
  current_ = 1;
  started_ = std::move(started);
  phase_ = Phase::kWaiting;
}

void Series::RunStarted() {
  if (phase_ != Phase::kIdle) phase_ = Phase::kWaiting;
}

bool Series::ResultTaken(std::uint64_t now_ms) {
  if (phase_ != Phase::kWaiting) return false;
  if (current_ >= runs_) {
    phase_ = Phase::kIdle;
    return false;
  }
  taken_ms_ = now_ms;
  phase_ = Phase::kBetweenRuns;
  return true;
}

bool Series::NextRunDue(std::uint64_t now_ms, bool previous_process_running) {
  if (phase_ != Phase::kBetweenRuns || previous_process_running) return false;
  if (now_ms - taken_ms_ < kSeriesGapMs) return false;
  ++current_;
  return true;
}

void Series::End() { phase_ = Phase::kIdle; }

std::wstring Series::SeriesColumn() const { return repeats() ? started_ : std::wstring(); }

std::wstring Series::RunColumn() const {
  if (!repeats()) return {};
  return std::to_wstring(current_) + L" of " + std::to_wstring(runs_);
}

std::wstring Series::StopWaitingCaption() const {
  if (!repeats() || !busy()) return L"Stop &Waiting";
  return L"Stop &Waiting (Run " + RunColumn() + L")";
}

}  // namespace quorvath
