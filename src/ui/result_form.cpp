#include "ui/result_form.h"

#include <shlobj.h>

#include <algorithm>

#include "core/win_handles.h"
#include "core/win_system.h"
#include "results/result_rows.h"
#include "runs/test_run.h"
#include "ui/desktop.h"

namespace quorvath {

struct ResultWindowDesign {
  TestKind test;
  const wchar_t* caption;         // the caption the window is made with
  bool caption_shows_resolution;  // the caption gets " " + the resolution choice
  WindowLayout layout;
  int close_item;
};

namespace {

// The list is made before the label that overlaps its top edge, so that it lies above the
// label and the label never paints over it.
// clang-format off
constexpr ControlSpec kCpuControls[] = {
    // name              kind                   left  top  width height caption
    {ResultForm::List1,  ControlKind::kListBox,  120, 120, 8295, 3060, nullptr,   kNoFlags},
};
constexpr ControlSpec kHighControls[] = {
    {ResultForm::List1,  ControlKind::kListBox,  120, 480, 8295, 3060, nullptr,   kNoFlags},
    {ResultForm::Label1, ControlKind::kLabel,    120, 120, 8295,  495, L"Label1", kNoFlags},
};
constexpr ControlSpec kLowControls[] = {
    {ResultForm::List1,  ControlKind::kListBox,  120, 480, 8295, 3060, nullptr,   kNoFlags},
    {ResultForm::Label1, ControlKind::kLabel,    120, 120, 8295,  375, L"Label1", kNoFlags},
};

// List1 and Label1 in MS Sans Serif 12 point; client areas in twips.
constexpr ResultWindowDesign kDesigns[] = {
    {TestKind::kCpu,  L"CPU Test Results",           false, {kCpuControls,  12, {8535, 3285}}, ResultForm::mnu_cpu_close},
    {TestKind::kHigh, L"High Quality Test Results:", true,  {kHighControls, 12, {8505, 3645}}, ResultForm::mnu_highres_close},
    {TestKind::kLow,  L"Low Quality Test Results:",  true,  {kLowControls,  12, {8505, 3645}}, ResultForm::mnu_lowres_close},
};
// clang-format on

// Where the column header and the list start, in twips.
constexpr int kListLeftTwips = 120;

// Posted once a run is listed: its saving in the history.
constexpr UINT kMsgSaveToHistory = WM_APP + 1;

// Result windows open a little apart, so that one never hides another exactly.
constexpr int kCascadePixels = 28;

std::wstring ItemText(HWND list, WPARAM index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

std::wstring DamagedResultMessage(const std::wstring& path, const FpsReadResult& read) {
  if (read.faults.empty()) return {};
  const FpsFault& first = read.faults.front();
  std::wstring message;
  if (first.problem == FpsProblem::kCannotOpen) {
    message = L"The result file could not be read:\r\n" + path;
  } else {
    message = L"The result file is damaged:\r\n" + path + L"\r\n\r\nAt " + DescribeFpsFault(first);
    if (read.fault_count > 1) {
      message += L"\r\n(" + std::to_wstring(read.fault_count - 1) +
                 (read.fault_count == 2 ? L" further problem" : L" further problems") +
                 L" after that.)";
    }
    message += L"\r\n\r\nThe list shows the " + std::to_wstring(read.records.size()) +
               (read.records.size() == 1 ? L" level" : L" levels") + L" that could be read.";
  }
  if (first.system_error != 0) message += L"\r\n\r\n" + SystemErrorText(first.system_error);
  return message;
}

ResultForm::ResultForm(TestKind test) : design_(kDesigns[static_cast<std::size_t>(test)]) {}

ResultForm::~ResultForm() { Close(); }

void ResultForm::ShowResults(FpsReadResult read, const std::wstring& path,
                             const RunOrigin& origin) {
  const std::wstring& selected_res = origin.selected_res;
  if (!IsOpen()) {
    if (!CreateDialogWindow(nullptr, design_.caption, WS_EX_APPWINDOW)) return;
    CenterWindow(hwnd(), nullptr);
    const int step = ScaleForDpi(kCascadePixels, dpi()) * (static_cast<int>(design_.test) + 1);
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    SetWindowPos(hwnd(), nullptr, frame.left + step, frame.top + step, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // On screen before the rows are listed.
  ShowOrBringForward();
  const RowLayout layout = LayoutFor(design_.test, selected_res);
  if (design_.caption_shows_resolution) {
    SetWindowTextW(hwnd(), (std::wstring(design_.caption) + L" " + selected_res).c_str());
  }
  SetRows(ResultRows(read.records, layout));
  if (design_.caption_shows_resolution) {
    SetDlgItemTextW(hwnd(), Label1, std::wstring(kColumnHeader).c_str());
  }
  saved_ = SavedFile{};
  saved_.name = {LocalStampNow(), design_.test, HistoryResolution(design_.test, selected_res), 1,
                 origin.context.label};
  context_ = origin.context;
  records_ = std::move(read.records);
  layout_ = layout;
  record_resolution_ = RecordResolution(design_.test, selected_res);
  PostMessageW(hwnd(), kMsgSaveToHistory, 0, 0);
  if (read.damaged()) ShowWarning(hwnd(), DamagedResultMessage(path, read));
}

void ResultForm::SaveToHistory() {
  saved_ = SaveRun(HistoryFolder(), saved_.name, Run());
  if (chart_.IsOpen()) chart_.Show(Subject(), hwnd());
  if (saved_.error == ERROR_SUCCESS && run_saved_) run_saved_();
  if (saved_.error != ERROR_SUCCESS) {
    ShowWarning(hwnd(), L"The results are shown but could not be saved in the history folder:\r\n" +
                            HistoryFolder() + L"\r\n\r\n" + SystemErrorText(saved_.error));
  }
}

ChartSubject ResultForm::Subject() const {
  ChartSubject subject;
  subject.caption = std::wstring(TestRowFor(design_.test).name) + L" Results Chart";
  if (!saved_.name.resolution.empty()) subject.caption += L": " + saved_.name.resolution;
  subject.sets.push_back({{saved_.name, Run(), {}}});
  subject.has_compare_menu = true;
  subject.history_folder = HistoryFolder();
  subject.test = design_.test;
  subject.resolution = saved_.name.resolution;
  if (!saved_.path.empty()) subject.saved_as = saved_.name;
  subject.series = context_.series;
  return subject;
}

void ResultForm::SaveAs() {
  // A copy for elsewhere: the history keeps its own.
  const std::wstring folder = KnownFolderPath(FOLDERID_Documents);
  const std::optional<std::wstring> path =
      AskSavePath(hwnd(), L"CSV files (*.csv)", L"*.csv",
                  (folder.empty() ? std::wstring() : folder + L"\\") + RunFileName(saved_.name));
  if (!path) return;
  if (const unsigned long error = WriteFileWhole(*path, RunCsv(Run())); error != ERROR_SUCCESS) {
    ShowWarning(hwnd(), L"The results could not be saved as:\r\n" + *path + L"\r\n\r\n" +
                            SystemErrorText(error));
  }
}

void ResultForm::SetRows(const std::vector<std::wstring>& rows) {
  const HWND rows_list = list();
  SendMessageW(rows_list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(rows_list, LB_RESETCONTENT, 0, 0);
  std::size_t characters = 0;
  for (const std::wstring& row : rows) characters += row.size() + 1;
  SendMessageW(rows_list, LB_INITSTORAGE, rows.size(), characters * sizeof(wchar_t));
  for (const std::wstring& row : rows) {
    SendMessageW(rows_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  SendMessageW(rows_list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(rows_list, nullptr, TRUE);
}

void ResultForm::OnInitDialog() {
  AttachMenuBar({{L"&File",
                  {{mnu_save_as, L"Save &As..."},
                   {mnu_open_folder, L"Open Results &Folder"},
                   {0, nullptr},
                   {design_.close_item, L"&Close"}}},
                 {L"&View", {{mnu_chart, L"&Chart"}}}});
  CreateLayout(design_.layout);
  if (const HWND label = GetDlgItem(hwnd(), Label1)) {
    // One line, clipped rather than wrapped.
    SetWindowLongPtrW(label, GWL_STYLE,
                      GetWindowLongPtrW(label, GWL_STYLE) | SS_LEFTNOWORDWRAP | WS_CLIPSIBLINGS);
  }
  UpdateColumns();
}

void ResultForm::UpdateColumns() {
  const HWND rows = list();
  const ScopedWindowDc dc(rows);
  const ScopedSelectObject select(dc.get(), font());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  row_height_ = metrics.tmHeight + ScaleForDpi(2, dpi());
  SendMessageW(rows, LB_SETITEMHEIGHT, 0, row_height_);

  // The columns start where the header's words do. The header's text starts at the list's
  // left edge; the rows start inside its border.
  POINT client_origin{0, 0};
  MapWindowPoints(rows, hwnd(), &client_origin, 1);
  const int header_left = TwipsToPixels(kListLeftTwips, dpi());
  const int margin = ScaleForDpi(2, dpi());
  column_starts_.clear();
  for (const std::size_t word : ColumnHeaderWordStarts()) {
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), kColumnHeader.data(), static_cast<int>(word), &extent);
    column_starts_.push_back(
        std::max(margin, header_left + static_cast<int>(extent.cx - client_origin.x)));
  }
  InvalidateRect(rows, nullptr, TRUE);
}

void ResultForm::DrawRow(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1)) {
    const std::wstring row = ItemText(item.hwndItem, item.itemID);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    for (const RowCell& cell : RowCells(row)) {
      if (cell.column >= column_starts_.size()) break;
      RECT box = item.rcItem;
      box.left = item.rcItem.left + column_starts_[cell.column];
      if (cell.column + 1 < column_starts_.size()) {
        box.right = std::min(box.right, item.rcItem.left + column_starts_[cell.column + 1]);
      }
      // A field's padding shows nothing, and must not push the figure it pads out of its column
      // where a space is wider than in the designed font.
      const std::wstring_view text = cell.text.substr(0, cell.text.find_last_not_of(L' ') + 1);
      DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    DrawFocusRect(dc, &item.rcItem);
  }
}

void ResultForm::CopyRows() const {
  // Every row as the list holds it, tabs included, each ended by CR LF.
  std::wstring text;
  const LRESULT count = SendMessageW(list(), LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    text += ItemText(list(), static_cast<WPARAM>(index)) + L"\r\n";
  }
  CopyTextToClipboard(hwnd(), text);
}

void ResultForm::ShowContextMenu(LPARAM at) {
  POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  if (at == -1) {  // from the keyboard: at the list's corner
    point = {0, 0};
    ClientToScreen(list(), &point);
  }
  const UniqueMenu menu(CreatePopupMenu());
  AppendMenuW(menu.get(), MF_STRING, mnu_copy, L"&Copy");
  const auto chosen = static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                      point.x, point.y, 0, hwnd(), nullptr));
  if (chosen == mnu_copy) CopyRows();
}

INT_PTR ResultForm::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight =
          static_cast<UINT>(row_height_ > 0 ? row_height_ : 20);
      return TRUE;
    case WM_DRAWITEM:
      DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_VKEYTOITEM:
      if (LOWORD(wparam) == 'C' && GetKeyState(VK_CONTROL) < 0) {
        CopyRows();
        return -2;  // handled
      }
      return -1;  // the list's own handling
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) != list()) return FALSE;
      ShowContextMenu(lparam);
      return TRUE;
    case kMsgSaveToHistory:
      SaveToHistory();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == design_.close_item || LOWORD(wparam) == IDCANCEL) Close();
      if (LOWORD(wparam) == mnu_save_as) SaveAs();
      if (LOWORD(wparam) == mnu_open_folder) OpenResultsFolder();
      if (LOWORD(wparam) == mnu_chart) chart_.Show(Subject(), hwnd());
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace quorvath
