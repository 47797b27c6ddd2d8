// A result window's chart after a series of repeats: the series' runs in the history join the
// window's own run as one set, compared by default with the set of the series saved before it.
#include "ui/chart_window.h"

#include <gtest/gtest.h>

#include "core/win_system.h"
#include "test_support.h"

namespace quorvath {
namespace {

using namespace testing;

TEST(ChartWindow, ChartsASeriesAsOneSetAgainstTheSeriesBeforeIt) {
  LoadCommonControls();
  ScratchFolder root;
  const std::wstring folder = root / L"Results";
  const wchar_t* const kOld = L"2026-12-05 10:00:00";
  const wchar_t* const kNew = L"2026-12-07 14:00:00";
  // The runs in the order they were saved; the last is the window's own, the new series' third.
  ChartRun own;
  for (const auto& [stamp, average, label, series] :
       {std::tuple{L"2026-12-01 09-00-00", L"30", L"", L""},
        {L"2026-12-05 10-01-00", L"40", L"old driver", kOld},
        {L"2026-12-05 10-02-00", L"42", L"old driver", kOld},
        {L"2026-12-07 14-01-00", L"44", L"new driver", kNew},
        {L"2026-12-07 14-02-00", L"46", L"new driver", kNew},
        {L"2026-12-07 14-03-00", L"45", L"new driver", kNew}}) {
    own = {{stamp, TestKind::kHigh, L"1280 x 1024", 1, label},
           SavedRun{{{L"1280 x 1024", L"Keep", L"1", average, L"3"}}},
           {}};
    own.run->context.label = label;
    own.run->context.series = series;
    EXPECT_EQ(SaveRun(folder, own.name, *own.run).error, 0u);
  }
  ChartSubject subject{L"High Quality Results Chart: 1280 x 1024",
                       {{own}},
                       true,
                       folder,
                       TestKind::kHigh,
                       L"1280 x 1024",
                       own.name,
                       kNew};
  ChartWindow window;
  window.Show(std::move(subject), nullptr);
  // {40, 42} against {44, 45, 46}: t = 4 / sqrt(2/2 + 1/3) = 3.46 with 1.68 degrees of freedom,
  // short of the critical value (over 4.3 for fewer than 2).
  EXPECT_EQ(ChartText(window.model()),
            L"High Quality, 1280 x 1024: changes against old driver (2 runs)\r\n"
            L"Level\tResolution\tRun\tLow FPS\tAverage FPS\tHigh FPS\tChange\tRuns\tSD\tVerdict\r\n"
            L"Keep\t1280 x 1024\told driver (2 runs)\t1.00\t41.00\t3.00\t\t2\t1.41\t\r\n"
            L"Keep\t1280 x 1024\tnew driver (3 runs)\t1.00\t45.00\t3.00\t+9.8 %\t3\t1.00\t"
            L"within noise\r\n");
  // The Compare menu: the earlier series once, the single run, None and Open...
  const HMENU compare = GetSubMenu(GetMenu(window.hwnd()), 2);
  SendMessageW(window.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(compare), 2);
  wchar_t first[64] = {};
  GetMenuStringW(compare, 0, first, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(first), L"&1 old driver (2 runs)");
  EXPECT_EQ(GetMenuItemCount(compare), 5);
  window.Close();
}

}  // namespace
}  // namespace quorvath
