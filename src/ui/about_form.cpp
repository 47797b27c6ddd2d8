#include "ui/about_form.h"

#include <algorithm>

#include "ui/app_resources.h"
#include "ui/control_table.h"
#include "ui/dpi.h"
#include "ui/picture_control.h"
#include "ui/system_info.h"
#include "ui/ui_font.h"
#include "ui/web_link.h"
#include "version.h"

namespace quorvath {

namespace {

constexpr wchar_t kTitle[] = L"" QUORVATH_TITLE;

// The credits: who wrote the benchmarking scripts, who wrote this program and where to
// reach them.
constexpr wchar_t kScriptAuthor[] = L"Ilse Marrow";
constexpr wchar_t kProgramAuthor[] = L"Teodor Vask";
constexpr wchar_t kProgramAuthorEmail[] = L"teodor.vask@torvane.example";

constexpr int kClientWidthTwips = 5730;
constexpr int kClientHeightTwips = 4110;
constexpr int kFontPoints = 8;

enum ControlId : int {
  cmdOK = IDOK,  // so that Enter reaches it as the default button
  picIcon = 1201,
  cmdSysInfo,
  Picture1,
  lblTitle,
  lblVersion,
  lblDescription,
  Label1,
  lblDisclaimer,
};

// The slogan is a little wider than the 1230 twips first planned for it: the label reaches to
// the OK button, so that the slogan shows whole on one line.
constexpr int kDisclaimerWidthTwips = 1320;

// In Tab order: OK, the program picture, System Info, the banner; the labels take no focus.
constexpr ControlSpec kControls[] = {
    // name             kind                          left   top  width height caption
    {cmdOK, ControlKind::kDefaultPushButton, 2400, 3600, 1260, 345, L"OK", kNoFlags},
    {picIcon, ControlKind::kPicture, 240, 1920, 540, 540, nullptr, kTabStop | kSunkenBorder},
    {cmdSysInfo, ControlKind::kPushButton, 3840, 3600, 1245, 345, L"&System Info...", kNoFlags},
    {Picture1, ControlKind::kPicture, 240, 120, 5250, 1425, nullptr, kTabStop | kSunkenBorder},
    {lblTitle, ControlKind::kLabel, 1050, 1920, 3885, 480, nullptr, kNoFlags},
    {lblVersion, ControlKind::kLabel, 1050, 2460, 3885, 225, nullptr, kNoFlags},
    {lblDescription, ControlKind::kLabel, 1050, 2805, 3885, 210, nullptr, kNoFlags},
    {Label1, ControlKind::kLabel, 1080, 3120, 3855, 255, nullptr, kNoFlags},
    {lblDisclaimer, ControlKind::kLabel, 1080, 3660, kDisclaimerWidthTwips, 225,
     L"Are you Torvane?", kNoFlags},
};

// Line1, the separator under the banner: a grey line with a white one just below reads as a
// groove etched into the dialog's face. Drawn in this order, the white one over the grey.
struct SeparatorLine {
  int left, top, right;  // twips; the line's thickness grows downwards from `top`
  COLORREF colour;
  int thickness_at_96;  // pixels
};
constexpr SeparatorLine kLine1[] = {
    {90, 1605, 5654, RGB(128, 128, 128), 1},   // member 1
    {105, 1620, 5654, RGB(255, 255, 255), 2},  // member 0
};

void DrawSeparator(HDC dc, UINT dpi) {
  for (const SeparatorLine& line : kLine1) {
    const int top = TwipsToPixels(line.top, dpi);
    const int thickness = std::max(1, ScaleForDpi(line.thickness_at_96, dpi));
    // As a line drawn with a pen, the band stops just before its end point.
    const RECT band{TwipsToPixels(line.left, dpi), top, TwipsToPixels(line.right, dpi),
                    top + thickness};
    const UniqueBrush brush(CreateSolidBrush(line.colour));
    if (brush) FillRect(dc, &band, brush.get());
  }
}

// Centres `window` over `owner`, kept inside the work area of the owner's screen.
void CenterOverOwner(HWND window, HWND owner) {
  RECT around{};
  if (owner == nullptr || !GetWindowRect(owner, &around)) {
    CenterOnWorkArea(window);
    return;
  }
  RECT frame{};
  GetWindowRect(window, &frame);
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  LONG left = around.left + ((around.right - around.left) - width) / 2;
  LONG top = around.top + ((around.bottom - around.top) - height) / 2;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    left = std::clamp(left, work.left, std::max(work.left, work.right - width));
    top = std::clamp(top, work.top, std::max(work.top, work.bottom - height));
  }
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

std::wstring AboutVersionText(int major, int minor, int revision) {
  return L"Version " + std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." +
         std::to_wstring(revision);
}

AboutForm::~AboutForm() { Close(); }

void AboutForm::Show(HWND owner) {
  if (IsOpen()) {
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    SetForegroundWindow(hwnd());
    return;
  }
  RegisterPictureControl();
  if (!CreateDialogWindow(owner, std::wstring(L"About ") + kTitle)) return;
  CenterOverOwner(hwnd(), owner);
  ShowWindow(hwnd(), SW_SHOWNORMAL);
}

void AboutForm::OnInitDialog() {
  CreateLayout(kControls, kFontPoints, SIZE{kClientWidthTwips, kClientHeightTwips});
  SetDlgItemTextW(hwnd(), lblTitle, kTitle);
  SetDlgItemTextW(
      hwnd(), lblVersion,
      AboutVersionText(QUORVATH_VERSION_MAJOR, QUORVATH_VERSION_MINOR, QUORVATH_VERSION_REVISION)
          .c_str());
  SetDlgItemTextW(
      hwnd(), lblDescription,
      (std::wstring(L"Benchmarking Scripts written by ") + kScriptAuthor + L".").c_str());
  SetDlgItemTextW(hwnd(), Label1, (std::wstring(L"Program written by ") + kProgramAuthor).c_str());

  // A plain label lets the mouse through to the dialog; its tool tip needs it to stop.
  const HWND author = GetDlgItem(hwnd(), Label1);
  SetWindowLongPtrW(author, GWL_STYLE, GetWindowLongPtrW(author, GWL_STYLE) | SS_NOTIFY);

  banner_ = LoadBitmapResource(kAboutBannerImage);
  banner_2x_ = LoadBitmapResource(kAboutBanner2xImage);
  const HWND banner = GetDlgItem(hwnd(), Picture1);
  SetPictureImages(banner, banner_.get(), banner_2x_.get());
  SetPictureIsLink(banner, true);
  program_picture_ = LoadBitmapResource(kProgramPictureImage);
  program_picture_2x_ = LoadBitmapResource(kProgramPicture2xImage);
  SetPictureImages(GetDlgItem(hwnd(), picIcon), program_picture_.get(), program_picture_2x_.get());

  tooltips_.emplace();
  tooltips_->Create(hwnd());
  tooltips_->Add(banner, std::wstring(L"Click to go to ") + kMakerHost);
  tooltips_->Add(author, std::wstring(L"Contact me at ") + kProgramAuthorEmail);
  TakeOverDialogDpiScaling(hwnd());
}

void AboutForm::ApplyDpi(UINT dpi) {
  ApplyLayout(kControls, kFontPoints, SIZE{kClientWidthTwips, kClientHeightTwips}, dpi);
}

INT_PTR AboutForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the focus goes to OK, the first control in Tab order
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_DPICHANGED:
      MoveToSuggestedPlace(lparam);
      ApplyDpi(HIWORD(wparam));
      return TRUE;
    case WM_CLOSE:
      Close();
      return TRUE;
    default:
      return FALSE;
  }
}

void AboutForm::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:      // OK, or Enter while no other button has the focus
    case IDCANCEL:  // Esc
      if (code == BN_CLICKED) Close();
      break;
    case cmdSysInfo:
      if (code == BN_CLICKED) StartSysInfo(hwnd());
      break;
    case Picture1:
      if (code == STN_CLICKED) OpenMakerWebSite();
      break;
    default:
      break;
  }
}

void AboutForm::OnPaint() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(hwnd(), &paint);
  if (dc != nullptr) DrawSeparator(dc, dpi());
  EndPaint(hwnd(), &paint);
}

void AboutForm::OnDestroyed() {
  // The controls that used these are gone; the next showing loads everything afresh.
  tooltips_.reset();
  banner_.reset();
  banner_2x_.reset();
  program_picture_.reset();
  program_picture_2x_.reset();
}

}  // namespace quorvath
