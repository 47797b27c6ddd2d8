// The chart of one to five sets of runs (results/chart_model.h) in a resizable window: the
// History window's chart of the runs chosen there, or a result window's chart of its run, or of
// its series' runs, compared by default with the newest earlier saved run of the same test and
// resolution, or that run's series. Its File menu
// saves the chart as a PNG file, copies it and closes it; its View menu chooses the resolution
// shown, when the runs have several; a result window's chart has a Compare menu that chooses
// another earlier run or series (up to ten, newest first), none, or any saved CSV. The chart fills
// the window in a view of its own: its title, legend, key and axis stay in place while the bars
// scroll, with the scroll bar, the mouse wheel and the keys. Esc closes the window; Ctrl+C puts
// the chart on the clipboard as a bitmap and as tab-separated text (ChartText).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "results/chart_model.h"
#include "results/run_csv.h"
#include "runs/history.h"
#include "ui/chart_subject.h"
#include "ui/chart_view.h"
#include "ui/dialog_window.h"

namespace quorvath {

class ChartWindow : public DialogWindow {
 public:
  ChartWindow() = default;
  ~ChartWindow() override;

  // Opens the chart beside `beside`, or shows the open one the new subject and brings it
  // forward.
  void Show(ChartSubject subject, HWND beside);
  // The chart as it is shown.
  const ChartModel& model() const { return view_.model(); }

 private:
  // The set compared with in a result window's chart, and its name.
  struct Compared {
    std::wstring name;
    ChartSet set;
  };

  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDpiChanged(UINT) override { view_.SetScale(font(), dpi()); }
  std::optional<SIZE> MinClientSize() const override {
    if (view_.hwnd() == nullptr) return std::nullopt;
    return view_.MinSize();
  }

  void OnInitDialog();
  void AttachMenus();
  void OnCommand(int id);

  void CompareWithDefault();
  void CompareWith(int item, std::optional<Compared> compared);
  void Rebuild(bool from_top);
  void FillViewMenu() const;
  void FillCompareMenu() const;
  // Reads up to `limit` earlier sets for the Compare menu: only the newest while the chart opens,
  // the others once the menu is opened.
  void ReadEarlierSets(std::size_t limit);
  void SaveChartAs() const;
  std::wstring SuggestedFileName() const;

  ChartView view_;
  ChartSubject subject_;
  ChartSet own_;                       // a result window's run, and its series' runs
  std::vector<ChartSet> earlier_;      // the Compare menu's sets, newest first
  std::vector<RunName> earlier_runs_;  // the runs they come from, newest first
  bool earlier_read_ = false;          // all the sets the menu lists have been read
  std::optional<Compared> compared_;   // the base of a result window's chart; none for None
  int compare_item_ = 0;               // the Compare menu's checked item
  std::wstring shown_resolution_;      // the View menu's choice, kept while the runs have it
};

}  // namespace quorvath
