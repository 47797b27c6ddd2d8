// A series of repeats, step by step: each case is a list of events and what the series says
// after the last one.
#include "runs/series.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvath {

namespace {

// An event: a result taken, a look between runs (at a time, with the previous batch process
// running or not), a run started, Stop Waiting or a failed start.
struct Event {
  enum Kind { kResult, kLook, kStarted, kEnd } kind;
  std::uint64_t at_ms = 0;
  bool process_running = false;
  bool expect = false;  // what ResultTaken or NextRunDue answer
};

struct Case {
  const char* what;
  int runs;
  std::vector<Event> events;
  Series::Phase phase;
  int current;
  const wchar_t* run_column;
  const wchar_t* stop_caption;
};

using E = Event;
constexpr auto kIdle = Series::Phase::kIdle, kWaiting = Series::Phase::kWaiting,
               kBetween = Series::Phase::kBetweenRuns;
const Event kFirstResult = {E::kResult, 5000, false, true}, kDue = {E::kLook, 16000, false, true},
            kStart = {E::kStarted};
// clang-format off
const Case kCases[] = {
    {"a single run", 1, {}, kWaiting, 1, L"", L"Stop &Waiting"},
    {"a single run's result ends it", 1, {{E::kResult, 5000, false, false}}, kIdle, 1, L"", L"Stop &Waiting"},
    {"the first of three", 3, {}, kWaiting, 1, L"1 of 3", L"Stop &Waiting (Run 1 of 3)"},
    {"after the first result", 3, {kFirstResult}, kBetween, 1, L"1 of 3", L"Stop &Waiting (Run 1 of 3)"},
    {"the gap is not over a millisecond early", 3, {kFirstResult, {E::kLook, 14999, false, false}},
     kBetween, 1, L"1 of 3", L"Stop &Waiting (Run 1 of 3)"},
    {"the gap is over at 10 s", 3, {kFirstResult, {E::kLook, 15000, false, true}},
     kBetween, 2, L"2 of 3", L"Stop &Waiting (Run 2 of 3)"},
    {"a batch process still running holds the next run", 3, {kFirstResult, {E::kLook, 60000, true, false}},
     kBetween, 1, L"1 of 3", L"Stop &Waiting (Run 1 of 3)"},
    {"the second run started", 3, {kFirstResult, kDue, kStart}, kWaiting, 2, L"2 of 3", L"Stop &Waiting (Run 2 of 3)"},
    {"no second look moves it on twice", 3, {kFirstResult, kDue, kStart, {E::kLook, 90000, false, false}},
     kWaiting, 2, L"2 of 3", L"Stop &Waiting (Run 2 of 3)"},
    {"the third result ends the series", 3,
     {kFirstResult, kDue, kStart, {E::kResult, 30000, false, true}, {E::kLook, 40000, false, true}, kStart,
      {E::kResult, 50000, false, false}},
     kIdle, 3, L"3 of 3", L"Stop &Waiting"},
    {"Stop Waiting during run 2", 3, {kFirstResult, kDue, kStart, {E::kEnd}}, kIdle, 2, L"2 of 3", L"Stop &Waiting"},
    {"a result after Stop Waiting is not taken", 3,
     {{E::kEnd}, {E::kResult, 5000, false, false}, {E::kLook, 60000, false, false}}, kIdle, 1, L"1 of 3", L"Stop &Waiting"},
    {"a failed start in the middle ends it", 5, {kFirstResult, {E::kLook, 15000, false, true}, {E::kEnd}},
     kIdle, 2, L"2 of 5", L"Stop &Waiting"},
};
// clang-format on

TEST(Series, FollowsItsEvents) {
  for (const Case& c : kCases) {
    Series series;
    series.Begin(c.runs, L"2026-12-07 14:00:05");
    for (const Event& e : c.events) {
      if (e.kind == Event::kResult) {
        EXPECT_EQ(series.ResultTaken(e.at_ms), e.expect) << c.what;
      }
      if (e.kind == Event::kLook) {
        EXPECT_EQ(series.NextRunDue(e.at_ms, e.process_running), e.expect) << c.what;
      }
      if (e.kind == Event::kStarted) series.RunStarted();
      if (e.kind == Event::kEnd) series.End();
    }
    EXPECT_EQ(series.phase(), c.phase) << c.what;
    EXPECT_EQ(series.busy(), c.phase != Series::Phase::kIdle) << c.what;
    EXPECT_EQ(series.current(), c.current) << c.what;
    EXPECT_EQ(series.RunColumn(), c.run_column) << c.what;
    EXPECT_EQ(series.StopWaitingCaption(), c.stop_caption) << c.what;
    EXPECT_EQ(series.SeriesColumn(), c.runs > 1 ? L"2026-12-07 14:00:05" : L"") << c.what;
  }
}

}  // namespace

}  // namespace quorvath
