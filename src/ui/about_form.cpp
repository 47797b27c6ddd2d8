#include "ui/about_form.h"

#include <algorithm>

#include "res/resource.h"
#include "ui/desktop.h"
#include "ui/picture_control.h"
#include "ui/system_info.h"
#include "version.h"

namespace quorvath {

namespace {

constexpr wchar_t kTitle[] = L"" QUORVATH_TITLE;

// The credits: who wrote the benchmarking scripts, who wrote this program and where to
// reach them.
constexpr wchar_t kScriptAuthor[] = L"Ilse Marrow";
constexpr wchar_t kProgramAuthor[] = L"Teodor Vask";
constexpr wchar_t kProgramAuthorEmail[] = L"teodor.vask@torvane.example";

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

// The slogan's label reaches to the OK button (1320 twips rather than 1230), so that
// "Are you Torvane?" shows whole on one line in the dialog font.
// clang-format off
constexpr ControlSpec kControls[] = {
    // name            kind                              left   top  width height caption              state
    {cmdOK,          ControlKind::kDefaultPushButton,  2400, 3600, 1260,  345, L"OK",               kNoFlags},
    {picIcon,        ControlKind::kPicture,             240, 1920,  540,  540, nullptr,             kTabStop | kSunkenBorder},
    {cmdSysInfo,     ControlKind::kPushButton,         3840, 3600, 1245,  345, L"&System Info...",  kNoFlags},
    {Picture1,       ControlKind::kPicture,             240,  120, 5250, 1425, nullptr,             kTabStop | kSunkenBorder},
    {lblTitle,       ControlKind::kLabel,              1050, 1920, 3885,  480, nullptr,             kNoFlags},
    {lblVersion,     ControlKind::kLabel,              1050, 2460, 3885,  225, nullptr,             kNoFlags},
    {lblDescription, ControlKind::kLabel,              1050, 2805, 3885,  210, nullptr,             kNoFlags},
    {Label1,         ControlKind::kLabel,              1080, 3120, 3855,  255, nullptr,             kNoFlags},
    {lblDisclaimer,  ControlKind::kLabel,              1080, 3660, 1320,  225, L"Are you Torvane?", kNoFlags},
};
// clang-format on
constexpr WindowLayout kLayout = {kControls, 8, {5730, 4110}};

// Line1, the separator under the banner: a grey line with a white one just below reads as a
// groove etched into the dialog's face. Drawn in this order, the white one over the grey.
struct SeparatorLine {
  int left, top, right;  // twips; the line's thickness grows downwards from `top`
  COLORREF colour;
  int thickness_at_96;  // pixels
};
constexpr SeparatorLine kLine1[] = {
    {90, 1605, 5654, RGB(128, 128, 128), 1},   // the groove's shadow
    {105, 1620, 5654, RGB(255, 255, 255), 2},  // its light edge, below it
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

}  // namespace

std::wstring AboutVersionText(int major, int minor, int revision) {
  return L"Version " + std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." +
         std::to_wstring(revision);
}

AboutForm::~AboutForm() { Close(); }

void AboutForm::Show(HWND over) {
  if (!IsOpen()) {
    if (!owner_) owner_ = CreateHiddenOwner();
    if (!CreateDialogWindow(owner_.get(), std::wstring(L"About ") + kTitle)) return;
    CenterWindow(hwnd(), over);
  }
  ShowOrBringForward();
}

void AboutForm::OnInitDialog() {
  CreateLayout(kLayout);
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

  banner_ = LoadBitmapResource(IDB_ABOUT_BANNER);
  banner_2x_ = LoadBitmapResource(IDB_ABOUT_BANNER_2X);
  const HWND banner = GetDlgItem(hwnd(), Picture1);
  SetPictureImages(banner, banner_.get(), banner_2x_.get());
  SetPictureIsLink(banner, true);
  program_picture_ = LoadBitmapResource(IDB_PROGRAM_PICTURE);
  program_picture_2x_ = LoadBitmapResource(IDB_PROGRAM_PICTURE_2X);
  SetPictureImages(GetDlgItem(hwnd(), picIcon), program_picture_.get(), program_picture_2x_.get());

  tooltips_.emplace();
  tooltips_->Create(hwnd());
  tooltips_->Add(banner, std::wstring(L"Click to go to ") + kMakerHost);
  tooltips_->Add(author, std::wstring(L"Contact me at ") + kProgramAuthorEmail);
}

INT_PTR AboutForm::HandleMessage(UINT message, WPARAM wparam, LPARAM) {
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
