#include "ui/main_form.h"

#include <commctrl.h>

#include <array>
#include <string_view>

#include "core/app_state.h"
#include "core/location_file.h"
#include "core/message_box.h"
#include "runs/batch_files.h"
#include "runs/test_launch.h"
#include "ui/app_resources.h"
#include "ui/control_table.h"
#include "ui/dpi.h"
#include "ui/menu_table.h"
#include "ui/picture_control.h"
#include "ui/ui_font.h"
#include "ui/web_link.h"

namespace quorvath {

namespace {

constexpr wchar_t kCaption[] = L"Quorvath";
constexpr int kClientWidthTwips = 5415;
constexpr int kClientHeightTwips = 3375;
constexpr int kFontPoints = 8;

// In Tab order, which starts at "CPU Test".
constexpr ControlSpec kControls[] = {
    // name                kind                       left   top  width height caption
    {MainForm::cmd_cpu, ControlKind::kPushButton, 120, 2760, 1215, 495, L"CPU Test", kDisabled},
    {MainForm::cmd_high, ControlKind::kPushButton, 120, 1560, 1215, 495, L"High Quality",
     kDisabled},
    {MainForm::cmd_low, ControlKind::kPushButton, 120, 2160, 1215, 495, L"Low Quality", kDisabled},
    {MainForm::Picture1, ControlKind::kPicture, 120, 120, 5175, 1285, nullptr,
     kTabStop | kSingleBorder},
    {MainForm::combo_res, ControlKind::kDropDownList, 1680, 1560, 3615, 315, nullptr, kNoFlags},
    {MainForm::Text1, ControlKind::kMultiLineText, 1680, 2160, 3615, 1095, nullptr, kNoFlags},
};

constexpr std::array<std::wstring_view, 5> kExplanation = {
    L"The High and Low Quality tests will use the resolution that you select above.",
    L"The CPU Benchmark will only run at 640 x 480.",
    L"Seven tests will be rendered [at each resolution], and the framerates recorded.",
    L"Please wait 10 seconds after the last test for the results to be displayed.",
    L"Tests using a single resolution will take approx. 10 minutes to run.  Tests using All "
    L"Resolutions will take approx. 30 minutes to complete.",
};

constexpr wchar_t kResolutionToolTip[] =
    L"Select the resolution you would like to run the benchmark at";

// How long the location batch file has to report the game's folder before the user is told.
constexpr ULONGLONG kLocationPatienceMs = 30'000;

// Posted by a tick so that the notice shows outside the tick.
constexpr UINT kMsgTellLocationUnknown = WM_APP + 1;

constexpr UINT kPollIntervalMs = 5000;

// Each test's button and polling timer.
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

std::wstring ExplanationText() {
  std::wstring text;
  for (const std::wstring_view paragraph : kExplanation) {
    if (!text.empty()) text += L"\r\n\r\n";
    text += paragraph;
  }
  return text;
}

}  // namespace

MainForm::~MainForm() { Close(); }

bool MainForm::Create() {
  RegisterPictureControl();
  return CreateDialogWindow(nullptr, kCaption, WS_EX_APPWINDOW);
}

void MainForm::OnInitDialog() {
  AttachMenuBar(hwnd(),
                {
                    {mnu_main_file,
                     L"&File",
                     {{mnu_main_stop, L"Stop &Waiting"}, {0, nullptr}, {mnu_main_exit, L"E&xit"}}},
                    {mnu_main_help, L"&Help", {{mnu_main_about, L"&About"}}},
                });
  // Only while a test waits for its result.
  EnableMenuItem(GetMenu(hwnd()), mnu_main_stop, MF_BYCOMMAND | MF_GRAYED);
  CreateLayout(kControls, kFontPoints, SIZE{kClientWidthTwips, kClientHeightTwips});
  banner_ = LoadBitmapResource(kBannerImage);
  SetPictureIsLink(GetDlgItem(hwnd(), Picture1), true);
  ShowBannerFor(dpi());
  TakeOverDialogDpiScaling(hwnd());
  CenterOnWorkArea(hwnd());
}

void MainForm::Load(int show_command) {
  AppState& app = App();
  // On screen first: starting the location batch file means starting a process, which takes
  // as long again as showing the window; nothing can tell the two orders apart, as no
  // message is handled before both are done.
  ShowWindow(hwnd(), show_command);
  StartLocate(hwnd(), loc_timer, app.app_dir);
  locate_started_ms_ = GetTickCount64();
  UpdateWindow(hwnd());

  // Tool tips matter only once the window is on screen.
  tooltips_.Create(hwnd());
  tooltips_.Add(GetDlgItem(hwnd(), Picture1), std::wstring(L"Click to go to ") + kMakerHost);
  tooltips_.Add(GetDlgItem(hwnd(), combo_res), kResolutionToolTip);

  app.selected_res = std::wstring(kAllResolutions);
  const HWND combo = GetDlgItem(hwnd(), combo_res);
  for (const std::wstring_view entry : kResolutions) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(entry).c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  OnComboResClick();  // selecting an entry from code raises no notification

  SetDlgItemTextW(hwnd(), Text1, ExplanationText().c_str());
}

void MainForm::ApplyDpi(UINT dpi) {
  ApplyLayout(kControls, kFontPoints, SIZE{kClientWidthTwips, kClientHeightTwips}, dpi);
  ShowBannerFor(dpi);
}

void MainForm::ShowBannerFor(UINT dpi) {
  // The banner drawn at twice its size is needed only above 96 DPI.
  if (dpi > kDefaultDpi && banner_2x_ == nullptr) banner_2x_ = LoadBitmapResource(kBanner2xImage);
  SetPictureImages(GetDlgItem(hwnd(), Picture1), banner_.get(), banner_2x_.get());
}

INT_PTR MainForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
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
    case WM_DPICHANGED:
      MoveToSuggestedPlace(lparam);
      ApplyDpi(HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      CloseAllAndEnd();
      return TRUE;
    case kMsgTellLocationUnknown:
      TellLocationStillUnknown();
      return TRUE;
    default:
      return FALSE;
  }
}

void MainForm::OnDestroyed() { PostQuitMessage(0); }

void MainForm::OnCommand(int id, int code) {
  for (const TestControls& test : kTestControls) {
    if (id == test.button && code == BN_CLICKED) {
      // One test at a time, and only once the game's folder is known: a click that reaches a
      // disabled button (a queued or synthesised one) starts nothing.
      if (!pending_ && IsWindowEnabled(GetDlgItem(hwnd(), id))) OnTestButton(test.test);
      return;
    }
  }
  switch (id) {
    case mnu_main_stop:
      OnStopWaiting();
      break;
    case mnu_main_exit:
      CloseAllAndEnd();
      break;
    case mnu_main_about:
      about_.Show(hwnd());
      break;
    case Picture1:
      if (code == STN_CLICKED) OpenMakerWebSite();
      break;
    case combo_res:
      if (code == CBN_SELCHANGE) OnComboResClick();
      break;
    default:
      break;
  }
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
    return;
  }
  for (const TestControls& test : kTestControls) {
    if (timer == test.timer) OnTestTimer(test.test);
  }
}

void MainForm::OnTestButton(TestKind kind) {
  const TestRow& test = TestRowFor(kind);
  const AppState& app = App();
  PrepareBenchmarkFolder(test, app);
  SetTestButtonsEnabled(false);
  if (!CopySettingsFile(test, app)) {
    // Run without its settings, the benchmark would measure something else than the test.
    if (const std::optional<std::wstring> problem = SettingsFileProblem(test, app)) {
      SetTestButtonsEnabled(true);
      ShowWarning(hwnd(),
                  L"The test was not started: its settings could not be put in the "
                  L"game's benchmark folder.\r\n\r\n" +
                      *problem);
      return;
    }
  }

  TestStart start = StartTestBatchFile(test, app);
  if (!start.started) {
    SetTestButtonsEnabled(true);
    ShowWarning(hwnd(), L"The test could not be started:\r\n" + start.batch_path + L"\r\n\r\n" +
                            SystemErrorText(start.error));
    return;
  }
  pending_ = std::move(start.pending);
  running_test_ = kind;
  SetTimer(hwnd(), ControlsFor(kind).timer, kPollIntervalMs, nullptr);
  progress_.SetBusy(hwnd(), true);
  EnableMenuItem(GetMenu(hwnd()), mnu_main_stop, MF_BYCOMMAND | MF_ENABLED);
}

void MainForm::OnTestTimer(TestKind test) {
  if (!pending_ || test != running_test_) {
    KillTimer(hwnd(), ControlsFor(test).timer);
    return;
  }
  if (PollResult(*pending_) == PollOutcome::kWaiting) return;
  // Stopped first: a message shown while the window is made must not let it tick again.
  EndRun();
  ResultFormFor(test).ShowResults();
  SetTestButtonsEnabled(true);
}

void MainForm::OnStopWaiting() {
  if (!pending_) return;
  EndRun();
  SetTestButtonsEnabled(true);
}

void MainForm::EndRun() {
  KillTimer(hwnd(), ControlsFor(running_test_).timer);
  pending_.reset();
  progress_.SetBusy(hwnd(), false);
  EnableMenuItem(GetMenu(hwnd()), mnu_main_stop, MF_BYCOMMAND | MF_GRAYED);
}

ResultForm& MainForm::ResultFormFor(TestKind test) {
  switch (test) {
    case TestKind::kCpu:
      return cpu_res_form_;
    case TestKind::kHigh:
      return high_res_form_;
    case TestKind::kLow:
      break;
  }
  return low_res_form_;
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
  DWORD error = ERROR_SUCCESS;
  if (!DeleteLocationFile(app.app_dir, &error)) {
    ShowWarning(hwnd(),
                L"The game's folder is known and the tests can run, but the location "
                L"file could not be deleted:\r\n" +
                    LocationFilePath(app.app_dir) + L"\r\n\r\n" + SystemErrorText(error));
  }
}

void MainForm::TellLocationStillUnknown() {
  if (!App().game_dir.empty()) return;
  ShowWarning(hwnd(),
              L"The game's installation folder has not been found yet.\r\n\r\nThe tests stay "
              L"unavailable until \"" +
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
  about_.Close();
  low_res_form_.Close();
  high_res_form_.Close();
  cpu_res_form_.Close();
  DestroyWindow(hwnd());
}

}  // namespace quorvath
