// MAIN_FORM: the start-up window with the three test buttons, the resolution choice, the
// explanatory text, the banner and the File and Help menus. It owns the program's timers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/win_handles.h"
#include "runs/batch_files.h"
#include "runs/result_polling.h"
#include "ui/about_form.h"
#include "ui/dialog_window.h"
#include "ui/result_form.h"
#include "ui/taskbar_progress.h"
#include "ui/tooltips.h"

namespace quorvath {

class MainForm : public DialogWindow {
 public:
  enum ControlId : int {
    cmd_cpu = 1001,
    cmd_high,
    cmd_low,
    Picture1,
    combo_res,
    Text1,
  };
  enum MenuId : int {
    mnu_main_file = 1101,
    mnu_main_stop,
    mnu_main_exit,
    mnu_main_help,
    mnu_main_about,
  };
  enum TimerId : UINT_PTR {
    loc_timer = 1,
    cpu_timer,
    high_timer,
    low_timer,
  };

  MainForm() = default;
  ~MainForm() override;

  // Creates the window hidden, with its controls and menus; the test buttons disabled and
  // every timer idle.
  bool Create();

  // The rest of the start-up, once the checks have passed: shows the window, starts locating
  // the game, and fills the resolution list and the explanatory text.
  void Load(int show_command);

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDestroyed() override;

  void OnInitDialog();
  void OnCommand(int id, int code);
  void OnTimer(UINT_PTR timer);
  void ApplyDpi(UINT dpi);
  void ShowBannerFor(UINT dpi);

  void OnLocTimer();
  void OnComboResClick();
  void TellLocationStillUnknown();
  void SetTestButtonsEnabled(bool enabled);

  // A test button: prepares the game's benchmark folder, starts the test's batch file and
  // its polling timer.
  void OnTestButton(TestKind test);
  // A tick of a test's polling timer.
  void OnTestTimer(TestKind test);
  // Stops waiting for the running test's result: its timer, the taskbar progress and the
  // Stop Waiting command end. The batch file, if it still runs, is left alone.
  void EndRun();
  void OnStopWaiting();
  ResultForm& ResultFormFor(TestKind test);

  // Exit and closing: closes every other window of the program, then ends it.
  void CloseAllAndEnd();

  UniqueBitmap banner_;
  UniqueBitmap banner_2x_;
  ToolTips tooltips_;
  TaskbarProgress progress_;

  AboutForm about_;
  ResultForm cpu_res_form_{ResultForm::DesignFor(TestKind::kCpu)};
  ResultForm high_res_form_{ResultForm::DesignFor(TestKind::kHigh)};
  ResultForm low_res_form_{ResultForm::DesignFor(TestKind::kLow)};

  // The running test, while its timer polls for the result.
  std::optional<PendingResult> pending_;
  TestKind running_test_ = TestKind::kCpu;

  ULONGLONG locate_started_ms_ = 0;
  bool told_location_unknown_ = false;
};

}  // namespace quorvath
