#include "ui/result_form.h"

#include "core/app_state.h"
#include "core/message_box.h"
#include "results/result_rows.h"
#include "ui/app_resources.h"
#include "ui/dpi.h"
#include "ui/menu_table.h"
#include "ui/result_loading.h"
#include "ui/ui_font.h"

namespace quorvath {

namespace {

constexpr int kFontPoints = 12;
constexpr int kListLeftTwips = 120;

// The list is made before the label that overlaps its top edge, so that it lies above the
// label and the label never paints over it.
constexpr ControlSpec kCpuControls[] = {
    // name              kind                  left  top  width height caption
    {ResultForm::List1, ControlKind::kListBox, 120, 120, 8295, 3060, nullptr, kNoFlags},
};
constexpr ControlSpec kHighControls[] = {
    {ResultForm::List1, ControlKind::kListBox, 120, 480, 8295, 3060, nullptr, kNoFlags},
    {ResultForm::Label1, ControlKind::kLabel, 120, 120, 8295, 495, L"Label1", kNoFlags},
};
constexpr ControlSpec kLowControls[] = {
    {ResultForm::List1, ControlKind::kListBox, 120, 480, 8295, 3060, nullptr, kNoFlags},
    {ResultForm::Label1, ControlKind::kLabel, 120, 120, 8295, 375, L"Label1", kNoFlags},
};

constexpr ResultWindowDesign kDesigns[] = {
    {TestKind::kCpu, L"CPU Test Results", false, 8535, 3285, kCpuControls, ResultForm::mnu_File,
     ResultForm::mnu_cpu_close},
    {TestKind::kHigh, L"High Quality Test Results:", true, 8505, 3645, kHighControls,
     ResultForm::mnu_highres_file, ResultForm::mnu_highres_close},
    {TestKind::kLow, L"Low Quality Test Results:", true, 8505, 3645, kLowControls,
     ResultForm::mnu_lowres_file, ResultForm::mnu_lowres_close},
};

// Result windows open a little apart, so that one never hides another exactly.
constexpr int kCascadePixels = 28;

}  // namespace

const ResultWindowDesign& ResultForm::DesignFor(TestKind test) {
  return kDesigns[static_cast<std::size_t>(test)];
}

ResultForm::~ResultForm() { Close(); }

void ResultForm::ShowResults() {
  if (!IsOpen()) {
    if (!CreateDialogWindow(nullptr, design_.caption, WS_EX_APPWINDOW)) return;
    CenterOnWorkArea(hwnd());
    const int step = ScaleForDpi(kCascadePixels, dpi()) * (static_cast<int>(design_.test) + 1);
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    SetWindowPos(hwnd(), nullptr, frame.left + step, frame.top + step, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // On screen before the file is read.
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
  } else {
    if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
    SetForegroundWindow(hwnd());
  }
  FillFromFile();
}

void ResultForm::FillFromFile() {
  if (design_.caption_shows_resolution) {
    SetWindowTextW(hwnd(), (std::wstring(design_.caption) + L" " + App().selected_res).c_str());
  }
  const FpsReadResult read = LoadResults(design_.test, list());
  if (design_.caption_shows_resolution) {
    SetDlgItemTextW(hwnd(), Label1, std::wstring(kColumnHeader).c_str());
  }
  if (read.damaged()) {
    ShowWarning(hwnd(), DamagedResultMessage(ResultFilePath(design_.test), read));
  }
}

void ResultForm::OnInitDialog() {
  AttachMenuBar(hwnd(), {{design_.file_menu, L"&File", {{design_.close_item, L"&Close"}}}});
  CreateLayout(design_.controls, kFontPoints, SIZE{design_.client_width, design_.client_height});
  if (const HWND label = GetDlgItem(hwnd(), Label1)) {
    // One line, clipped rather than wrapped.
    SetWindowLongPtrW(label, GWL_STYLE,
                      GetWindowLongPtrW(label, GWL_STYLE) | SS_LEFTNOWORDWRAP | WS_CLIPSIBLINGS);
  }
  UpdateColumns();
  TakeOverDialogDpiScaling(hwnd());
}

void ResultForm::ApplyDpi(UINT dpi) {
  ApplyLayout(design_.controls, kFontPoints, SIZE{design_.client_width, design_.client_height},
              dpi);
  UpdateColumns();
}

void ResultForm::UpdateColumns() {
  const HWND rows = list();
  ScopedWindowDc dc(rows);
  ScopedSelectObject select(dc.get(), font());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  columns_.row_height = metrics.tmHeight + ScaleForDpi(2, dpi());
  SendMessageW(rows, LB_SETITEMHEIGHT, 0, columns_.row_height);

  // The header's text starts at the list's left edge; the rows start inside its border.
  POINT client_origin{0, 0};
  MapWindowPoints(rows, hwnd(), &client_origin, 1);
  const int header_left = TwipsToPixels(kListLeftTwips, dpi());
  const int margin = ScaleForDpi(2, dpi());
  columns_.starts.clear();
  for (const std::size_t word : ColumnHeaderWordStarts()) {
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), kColumnHeader.data(), static_cast<int>(word), &extent);
    const int start = header_left + extent.cx - client_origin.x;
    columns_.starts.push_back(start < margin ? margin : start);
  }
  InvalidateRect(rows, nullptr, TRUE);
}

void ResultForm::CopyRows() { CopyTextToClipboard(hwnd(), ListRowsAsText(list())); }

void ResultForm::ShowContextMenu(LPARAM at) {
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {  // from the keyboard: at the list's corner
    point = {0, 0};
    ClientToScreen(list(), &point);
  }
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, mnu_copy, L"&Copy");
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd(), nullptr));
  DestroyMenu(menu);
  if (chosen == mnu_copy) CopyRows();
}

INT_PTR ResultForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
          static_cast<UINT>(columns_.row_height > 0 ? columns_.row_height : 20);
      return TRUE;
    case WM_DRAWITEM:
      DrawColumnRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), columns_);
      return TRUE;
    case WM_VKEYTOITEM:
      if (LOWORD(wparam) == 'C' && GetKeyState(VK_CONTROL) < 0) {
        CopyRows();
        return -2;  // handled
      }
      return -1;  // the list's own handling
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) == list()) {
        ShowContextMenu(lparam);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wparam) == design_.close_item || LOWORD(wparam) == IDCANCEL) {
        DestroyWindow(hwnd());
      }
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(hwnd());
      return TRUE;
    case WM_DPICHANGED:
      MoveToSuggestedPlace(lparam);
      ApplyDpi(HIWORD(wparam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace quorvath
