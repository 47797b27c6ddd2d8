#include "ui/main_form.h"

#include <commctrl.h>

#include <string_view>

#include "core/win_system.h"
#include "res/resource.h"
#include "runs/program_folder.h"
#include "ui/picture_control.h"

namespace quorvath {

namespace {

// In Tab order, which starts at "CPU Test".
// clang-format off
constexpr ControlSpec kControls[] = {
    // name                kind                          left   top  width height caption          state
    {MainForm::cmd_cpu,   ControlKind::kPushButton,      120, 2760, 1215,  495, L"CPU Test",     kDisabled},
    {MainForm::cmd_high,  ControlKind::kPushButton,      120, 1560, 1215,  495, L"High Quality", kDisabled},
    {MainForm::cmd_low,   ControlKind::kPushButton,      120, 2160, 1215,  495, L"Low Quality",  kDisabled},
    {MainForm::Picture1,  ControlKind::kPicture,         120,  120, 5175, 1285, nullptr,         kTabStop | kSingleBorder},
    {MainForm::combo_res, ControlKind::kDropDownList,   1680, 1560, 3615,  315, nullptr,         kNoFlags},
    {MainForm::Text1,     ControlKind::kMultiLineText,  1680, 2160, 3615, 1095, nullptr,         kNoFlags},
};
// clang-format on
constexpr WindowLayout kLayout = {kControls, 8, {5415, 3375}};

// Each test's button and polling timer; its result window is result_forms_[test].
struct TestControls {
  TestKind test;
  int button;
  MainForm::TimerId timer;
};
constexpr TestControls kTestControls[] = {
    {TestKind::kCpu, MainForm::cmd_cpu, MainForm::cpu_timer},
    {TestKind::kHigh, MainForm::cmd_high, MainForm::high_timer},
    {TestKind::kLow, MainForm::cmd_low, MainForm::low_timer},
};
const TestControls& ControlsFor(TestKind test) {
  return kTestControls[static_cast<std::size_t>(test)];
}

constexpr std::wstring_view kExplanation[] = {
    L"The High and Low Quality tests will use the resolution that you select above.",
    L"The CPU Benchmark will only run at 640 x 480.",
    L"Seven tests will be rendered [at each resolution], and the framerates recorded.",
    L"Please wait 10 seconds after the last test for the results to be displayed.",
    L"Tests using a single resolution will take approx. 10 minutes to run.  Tests using All "
    L"Resolutions will take approx. 30 minutes to complete.",
};

// Between the runs of a series, how often to look whether the last batch process has ended.
constexpr UINT kSeriesLookMs = 1000;

// How long the location batch file has to report the game's folder before the user is told.
constexpr ULONGLONG kLocationPatienceMs = 30'000;

// Posted by a tick so that the notice shows outside the tick.
constexpr UINT kMsgTellLocationUnknown = WM_APP + 1;
// Posted once the window is on screen: the machine's facts, which every saved run records.
constexpr UINT kMsgReadMachineFacts = WM_APP + 2;

}  // namespace

MainForm::~MainForm() { Close(); }

bool MainForm::Create() { return CreateDialogWindow(nullptr, L"Quorvath", WS_EX_APPWINDOW); }

void MainForm::OnInitDialog() {
  AttachMenuBar({
      {L"&File", {{mnu_main_stop, L"Stop &Waiting"}, {0, nullptr}, {mnu_main_exit, L"E&xit"}}},
      {L"&Runs",
       {{mnu_runs_history, L"&History..."},
        {mnu_runs_label, L"&Label for New Runs..."},
        {0, nullptr},
        {mnu_runs_once, L"Run Each Test &Once"},
        {mnu_runs_once + 1, L"Run Each Test &3 Times"},
        {mnu_runs_once + 2, L"Run Each Test &5 Times"}}},
      {L"&Help", {{mnu_main_about, L"&About"}}},
  });
  // Only while a test waits for its result.
  EnableMenuItem(GetMenu(hwnd()), mnu_main_stop, MF_BYCOMMAND | MF_GRAYED);
  OnSeriesLength(mnu_runs_once);
  CreateLayout(kLayout);
  banner_ = LoadBitmapResource(IDB_BANNER);
  SetPictureIsLink(GetDlgItem(hwnd(), Picture1), true);
  ShowBanner();
  CenterWindow(hwnd(), nullptr);
  for (ResultForm& form : result_forms_) form.OnRunSaved([this] { history_.Refresh(); });
}

void MainForm::ShowBanner() {
  // The banner drawn at twice its size is needed only above 96 DPI.
  if (dpi() > kDefaultDpi && banner_2x_ == nullptr) banner_2x_ = LoadBitmapResource(IDB_BANNER_2X);
  SetPictureImages(GetDlgItem(hwnd(), Picture1), banner_.get(), banner_2x_.get());
}

void MainForm::Load(int show_command) {
  AppState& app = App();
  // On screen and painted first: starting the location batch file means starting a process,
  // which under Wine holds this thread as long as the whole first paint does; nothing can tell
  // the orders apart, as no message is taken from the queue before all three are done.
  ShowWindow(hwnd(), show_command);
  UpdateWindow(hwnd());
  StartLocate();

  // Tool tips matter only once the window is on screen.
  tooltips_.Create(hwnd());
  tooltips_.Add(GetDlgItem(hwnd(), Picture1), std::wstring(L"Click to go to ") + kMakerHost);
  tooltips_.Add(GetDlgItem(hwnd(), combo_res),
                L"Select the resolution you would like to run the benchmark at");

  app.selected_res = std::wstring(kAllResolutions);
  const HWND combo = GetDlgItem(hwnd(), combo_res);
  for (const std::wstring_view entry : kResolutions) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(entry).c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  OnComboResClick();  // selecting an entry from code raises no notification

  std::wstring text;
  for (const std::wstring_view paragraph : kExplanation) {
    if (!text.empty()) text += L"\r\n\r\n";
    text += paragraph;
  }
  SetDlgItemTextW(hwnd(), Text1, text.c_str());
  PostMessageW(hwnd(), kMsgReadMachineFacts, 0, 0);
}

INT_PTR MainForm::HandleMessage(UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the focus goes to the first control that can take it
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wparam));
      return TRUE;
    case WM_CLOSE:
      CloseAllAndEnd();
      return TRUE;
    case kMsgTellLocationUnknown:
      TellLocationStillUnknown();
      return TRUE;
    case kMsgReadMachineFacts:
      machine_ = ReadMachineFacts();
      return TRUE;
    default:
      return FALSE;
  }
}

void MainForm::OnCommand(int id, int code) {
  for (const TestControls& test : kTestControls) {
    if (id == test.button && code == BN_CLICKED) {
      // One test at a time, and only once the game's folder is known: a click that reaches a
      // disabled button (a queued or synthesised one) starts nothing.
      if (!series_.busy() && IsWindowEnabled(GetDlgItem(hwnd(), id))) OnTestButton(test.test);
      return;
    }
  }
  if (id == mnu_main_stop) OnStopWaiting();
  if (id >= mnu_runs_once && id < mnu_runs_once + static_cast<int>(std::size(kSeriesLengths))) {
    OnSeriesLength(id);
  }
  if (id == mnu_main_exit) CloseAllAndEnd();
  if (id == mnu_main_about) about_.Show(hwnd());
  if (id == mnu_runs_history) history_.Show(hwnd());
  if (id == mnu_runs_label) {
    label_dialog_.Show(hwnd(), run_label_,
                       [this](std::wstring label) { run_label_ = std::move(label); });
  }
  if (id == Picture1 && code == STN_CLICKED) OpenMakerWebSite();
  if (id == combo_res && code == CBN_SELCHANGE) OnComboResClick();
}

void MainForm::OnComboResClick() {
  const HWND combo = GetDlgItem(hwnd(), combo_res);
  const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return;
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
  if (length == CB_ERR) return;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  App().selected_res = text;
}

void MainForm::OnTimer(UINT_PTR timer) {
  if (timer == loc_timer) {
    OnLocTimer();
  } else if (pending_ && timer == ControlsFor(pending_->test).timer) {
    OnTestTimer();
  } else if (timer == series_timer && series_.phase() == Series::Phase::kBetweenRuns) {
    OnSeriesTimer();
  } else {
    KillTimer(hwnd(), timer);
  }
}

void MainForm::OnTestButton(TestKind kind) {
  // The run is what was chosen at the press, whatever is chosen while it runs.
  RunOrigin origin{App().selected_res, {}, GetTickCount64()};
  origin.context = {run_label_,
                    LocalStampNow(L':'),
                    {},
                    machine_.computer,
                    machine_.processor,
                    machine_.memory,
                    machine_.graphics,
                    machine_.driver,
                    machine_.windows,
                    {},
                    {}};
  series_.Begin(series_length_, origin.context.started);
  ++series_number_;
  series_test_ = kind;
  series_origin_ = origin;
  SetTestButtonsEnabled(false);
  StartRun(kind, std::move(origin));
}

void MainForm::StartRun(TestKind kind, RunOrigin origin) {
  const TestRow& test = TestRowFor(kind);
  const AppState& app = App();
  origin.context.series = series_.SeriesColumn();
  origin.context.run = series_.RunColumn();
  if (const std::optional<std::wstring> problem = PrepareTestFolder(test, app)) {
    EndSeries();
    ShowWarning(hwnd(),
                L"The test was not started: its settings could not be put in the game's "
                L"benchmark folder.\r\n\r\n" +
                    *problem);
    return;
  }
  TestStart start = StartTest(test, app);
  if (!start.pending) {
    EndSeries();
    ShowWarning(hwnd(), L"The test could not be started:\r\n" + start.batch_path + L"\r\n\r\n" +
                            SystemErrorText(start.error));
    return;
  }
  pending_ = std::move(start.pending);
  pending_->origin = std::move(origin);
  series_.RunStarted();
  SetTimer(hwnd(), ControlsFor(kind).timer, kPollIntervalMs, nullptr);
  ShowSeriesProgress();
}

void MainForm::OnTestTimer() {
  std::optional<FpsReadResult> read = PollResult(*pending_);
  if (!read) return;
  const TestKind test = pending_->test;
  const std::wstring path = pending_->result_path;
  RunOrigin origin = std::move(pending_->origin);
  origin.context.duration = std::to_wstring((GetTickCount64() - origin.started_ms) / 1000);
  // The next run of a series waits for this batch process to end.
  previous_process_ = std::move(pending_->process);
  // Stopped first: a message shown while the window is made must not let it tick again.
  EndRun();
  const int series_number = series_number_;
  result_forms_[static_cast<std::size_t>(test)].ShowResults(std::move(*read), path, origin);
  // A message of the window may have let the user stop the series, or even begin another.
  if (series_number != series_number_) return;
  // The gap counts from here, whatever the window asked the user meanwhile.
  if (series_.ResultTaken(GetTickCount64())) {
    SetTimer(hwnd(), series_timer, static_cast<UINT>(kSeriesGapMs), nullptr);
  } else if (series_.phase() == Series::Phase::kIdle && !pending_) {
    EndSeries();
  }
}

void MainForm::OnSeriesTimer() {
  const bool running =
      previous_process_ && WaitForSingleObject(previous_process_.get(), 0) == WAIT_TIMEOUT;
  if (!series_.NextRunDue(GetTickCount64(), running)) {
    // The batch process still runs (or the gap is a moment short): look again shortly.
    SetTimer(hwnd(), series_timer, kSeriesLookMs, nullptr);
    return;
  }
  KillTimer(hwnd(), series_timer);
  previous_process_.reset();
  RunOrigin origin = series_origin_;
  origin.started_ms = GetTickCount64();
  origin.context.started = LocalStampNow(L':');
  StartRun(series_test_, std::move(origin));
}

void MainForm::OnStopWaiting() {
  if (!series_.busy()) return;
  EndSeries();
}

void MainForm::EndRun() {
  KillTimer(hwnd(), ControlsFor(pending_->test).timer);
  pending_.reset();
}

void MainForm::EndSeries() {
  if (pending_) EndRun();
  KillTimer(hwnd(), series_timer);
  previous_process_.reset();
  series_.End();
  progress_.SetBusy(hwnd(), false);
  ShowSeriesProgress();
  SetTestButtonsEnabled(true);
}

void MainForm::ShowSeriesProgress() {
  const HMENU menu = GetMenu(hwnd());
  const std::wstring caption = series_.StopWaitingCaption();
  ModifyMenuW(menu, mnu_main_stop, MF_BYCOMMAND | MF_STRING | (series_.busy() ? 0 : MF_GRAYED),
              mnu_main_stop, caption.c_str());
  if (!series_.busy()) return;
  if (series_.repeats()) {
    progress_.SetValue(hwnd(), series_.current(), series_.runs());
  } else {
    progress_.SetBusy(hwnd(), true);
  }
}

void MainForm::OnSeriesLength(int id) {
  series_length_ = kSeriesLengths[static_cast<std::size_t>(id - mnu_runs_once)];
  CheckMenuRadioItem(GetMenu(hwnd()), mnu_runs_once,
                     mnu_runs_once + static_cast<int>(std::size(kSeriesLengths)) - 1, id,
                     MF_BYCOMMAND);
}

void MainForm::StartLocate() {
  const AppState& app = App();
  StartBatchFile(app.app_dir + std::wstring(kLocateBatchFile), SW_HIDE, app.app_dir);
  SetTimer(hwnd(), loc_timer, kPollIntervalMs, nullptr);
  locate_started_ms_ = GetTickCount64();
}

void MainForm::OnLocTimer() {
  AppState& app = App();
  const std::optional<std::wstring> game_folder = ReadLocationFile(app.app_dir);
  if (!game_folder) {
    // Not written yet (or empty): try again at the next tick.
    if (!told_location_unknown_ && GetTickCount64() - locate_started_ms_ >= kLocationPatienceMs) {
      told_location_unknown_ = true;
      PostMessageW(hwnd(), kMsgTellLocationUnknown, 0, 0);
    }
    return;
  }
  app.game_dir = *game_folder;
  SetTestButtonsEnabled(true);
  KillTimer(hwnd(), loc_timer);
  if (const DWORD error = DeleteLocationFile(app.app_dir); error != ERROR_SUCCESS) {
    ShowWarning(hwnd(),
                L"The game's folder is known and the tests can run, but the location file "
                L"could not be deleted:\r\n" +
                    LocationFilePath(app.app_dir) + L"\r\n\r\n" + SystemErrorText(error));
  }
}

void MainForm::TellLocationStillUnknown() {
  if (!App().game_dir.empty()) return;
  ShowWarning(hwnd(),
              L"The game's installation folder has not been found yet.\r\n\r\nThe tests "
              L"stay unavailable until \"" +
                  std::wstring(kLocateBatchFile) + L"\" reports it in the file \"" +
                  LocationFilePath(App().app_dir) + L"\".");
}

void MainForm::SetTestButtonsEnabled(bool enabled) {
  // In this order: "CPU Test", "Low Quality", "High Quality".
  for (const int button : {cmd_cpu, cmd_low, cmd_high}) {
    EnableWindow(GetDlgItem(hwnd(), button), enabled ? TRUE : FALSE);
  }
}

void MainForm::CloseAllAndEnd() {
  label_dialog_.Close();
  history_.Close();
  about_.Close();
  for (auto form = result_forms_.rbegin(); form != result_forms_.rend(); ++form) form->Close();
  DestroyWindow(hwnd());
}

}  // namespace quorvath
