#include "ui/history_window.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>

#include "core/win_system.h"
#include "results/run_sets.h"
#include "ui/desktop.h"
#include "ui/list_view.h"

namespace quorvath {

namespace {

// In the order of HistoryColumn.
constexpr ListColumn kColumns[kHistoryColumnCount] = {
    {L"Date", 150, false},      {L"Test", 90, false},      {L"Resolution", 95, false},
    {L"Label", 140, false},     {L"Computer", 110, false}, {L"Levels", 50, true},
    {L"Average FPS", 90, true},
};

// The window opens 760 by 420 device-independent pixels (15 twips each), its text in the
// dialog font at 8 points; it can be made as small as 320 by 160.
constexpr int kOpeningClientWidth = 760;
constexpr int kOpeningClientHeight = 420;
constexpr WindowLayout kLayout = {{}, 8, {kOpeningClientWidth * 15, kOpeningClientHeight * 15}};
constexpr int kMinClientWidth = 320;
constexpr int kMinClientHeight = 160;
constexpr int kMinEditWidth = 120;

constexpr UINT_PTR kReadTimer = 1;
// Files are read in slices of this long at most, so that the window answers between them; the
// timer's messages come only when no other message waits.
constexpr std::chrono::milliseconds kReadSlice{25};

constexpr std::size_t kMaxNamedRuns = 10;  // in a message about runs that could not be moved

constexpr wchar_t kNoRuns[] = L"No runs have been saved yet.";
constexpr wchar_t kNotARun[] =
    L"The label cannot be changed: this file could not be read as a saved run:\r\n";

std::wstring CountOfRuns(std::size_t count) {
  return std::to_wstring(count) + (count == 1 ? L" run" : L" runs");
}

std::wstring CellText(const HistoryEntry& entry, std::size_t column) {
  const auto kind = static_cast<HistoryColumn>(column);
  if (kind != HistoryColumn::kDate) return HistoryCellText(entry, kind);
  std::wstring date = UserDateTime(entry.name.stamp);
  if (entry.name.copy > 1) date += L" (" + std::to_wstring(entry.name.copy) + L")";
  return date;
}

// A notification's answer goes back through the dialog's message result.
INT_PTR Answer(HWND dialog, LRESULT result) {
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace

HistoryWindow::~HistoryWindow() { Close(); }

void HistoryWindow::Show(HWND over) {
  if (!IsOpen()) {
    if (!CreateDialogWindow(nullptr, L"Quorvath History", WS_EX_APPWINDOW,
                            WindowFrame::kResizable)) {
      return;
    }
    CenterWindow(hwnd(), over);
    Refresh();  // listed before it is first drawn
  }
  ShowOrBringForward();
}

void HistoryWindow::OnInitDialog() {
  AttachMenuBar({{L"&File",
                  {{kChartRuns, L"&Chart\tEnter"},
                   {kOpenResultsFolder, L"Open Results &Folder"},
                   {0, nullptr},
                   {kCloseHistory, L"&Close\tEsc"}}},
                 {L"&Edit",
                  {{kRenameLabel, L"&Rename Label\tF2"},
                   {kDeleteRuns, L"&Delete\tDel"},
                   {0, nullptr},
                   {kSelectAllRuns, L"Select &All\tCtrl+A"},
                   {kCopyRuns, L"&Copy\tCtrl+C"}}},
                 {L"&View", {{kRefreshRuns, L"&Refresh\tF5"}}}});
  CreateLayout(kLayout);
  // Made first, so that the dialog gives it the focus.
  CreateListView(hwnd(), kRunList, true, kColumns, dpi());
  CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                  hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBar)),
                  GetModuleHandleW(nullptr), nullptr);
  OnDpiChanged(dpi());
  ShowListSortArrow(list(), static_cast<int>(rows_.order().column), rows_.order().ascending);
}

void HistoryWindow::OnDpiChanged(UINT previous_dpi) {
  label_editor_.End(true);
  for (const int id : {kRunList, kStatusBar}) {
    SendMessageW(GetDlgItem(hwnd(), id), WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
  }
  ScaleListColumns(list(), previous_dpi, dpi());
  OnSize();
}

void HistoryWindow::OnSize() {
  const HWND status = GetDlgItem(hwnd(), kStatusBar);
  SendMessageW(status, WM_SIZE, 0, 0);  // the status bar places itself along the bottom
  RECT client{}, bar{};
  GetClientRect(hwnd(), &client);
  GetWindowRect(status, &bar);
  MoveWindow(list(), 0, 0, client.right, std::max(0L, client.bottom - (bar.bottom - bar.top)),
             TRUE);
}

void HistoryWindow::OnDestroyed() {
  chart_.Close();
  rows_.Relist({});
}

void HistoryWindow::Refresh() {
  if (!IsOpen()) return;
  if (label_editor_.IsEditing()) {  // the rows stay where they are while a label is edited
    refresh_after_edit_ = true;
    return;
  }
  const ListSelection selection = Selection();
  folder_ = HistoryFolder();
  rows_.Relist(ListHistory(folder_));
  SendMessageW(list(), LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOSCROLL);
  SelectAgain(selection, false);
  InvalidateRect(list(), nullptr, TRUE);
  if (rows_.unread() > 0) SetTimer(hwnd(), kReadTimer, USER_TIMER_MINIMUM, nullptr);
  UpdateStatus();
}

void HistoryWindow::OnReadTimer() {
  const auto until = std::chrono::steady_clock::now() + kReadSlice;
  // The rows in view first.
  const auto top = static_cast<std::size_t>(SendMessageW(list(), LVM_GETTOPINDEX, 0, 0));
  const std::size_t bottom =
      top + static_cast<std::size_t>(SendMessageW(list(), LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
  if (rows_.ReadWhile(top, bottom, [&] { return std::chrono::steady_clock::now() < until; })) {
    SendMessageW(list(), LVM_REDRAWITEMS, top, std::min(bottom, rows_.size()) - 1);
  }
  // An order waits while a label is edited over its row.
  if (rows_.unread() > 0 || label_editor_.IsEditing()) {
    if (rows_.waiting()) UpdateStatus();
    return;
  }
  KillTimer(hwnd(), kReadTimer);
  if (rows_.waiting()) ShowInOrder([&] { return rows_.ApplyWaitingOrder(); });
  UpdateStatus();
}

void HistoryWindow::ShowInOrder(const std::function<bool()>& order) {
  const ListSelection selection = Selection();
  if (!order()) return;
  SelectAgain(selection, true);
  ShowListSortArrow(list(), static_cast<int>(rows_.order().column), rows_.order().ascending);
  InvalidateRect(list(), nullptr, FALSE);
}

void HistoryWindow::SortBy(HistoryColumn column) {
  label_editor_.End(true);
  ShowInOrder([&] { return rows_.SortBy(column); });
  UpdateStatus();
}

ListSelection HistoryWindow::Selection() const {
  return SelectionOf(list(), [this](int row) {
    return row < static_cast<int>(rows_.size()) ? RunFileName(rows_[row].name) : L"";
  });
}

void HistoryWindow::SelectAgain(const ListSelection& selection, bool show_focused) {
  reselecting_ = true;
  Reselect(
      list(), static_cast<int>(rows_.size()), selection,
      [this](int row) { return RunFileName(rows_[row].name); }, show_focused);
  reselecting_ = false;
}

void HistoryWindow::UpdateStatus() {
  std::wstring text = CountOfRuns(rows_.size());
  const auto selected = static_cast<std::size_t>(SendMessageW(list(), LVM_GETSELECTEDCOUNT, 0, 0));
  if (rows_.size() == 0) {
    text = kNoRuns;
  } else if (const std::optional<HistoryOrder>& waiting = rows_.waiting()) {
    text = L"Reading the runs to sort them by " +
           std::wstring(kColumns[static_cast<std::size_t>(waiting->column)].title) + L": " +
           std::to_wstring(rows_.size() - rows_.unread()) + L" of " + text + L" read...";
  } else if (selected > 0) {
    text = std::to_wstring(selected) + L" of " + text + L" selected";
  }
  SetDlgItemTextW(hwnd(), kStatusBar, text.c_str());
}

void HistoryWindow::ChartSelected() {
  const std::vector<int> rows = SelectedListRows(list());
  if (rows.empty()) return;
  // Runs of the same test, resolution, label and computer, as the list shows them, are a set.
  std::vector<SetKey> keys;
  for (const int row : rows) {
    const HistoryEntry& entry = rows_.Read(static_cast<std::size_t>(row));
    keys.push_back({HistoryCellText(entry, HistoryColumn::kTest),
                    HistoryCellText(entry, HistoryColumn::kResolution),
                    HistoryCellText(entry, HistoryColumn::kLabel),
                    HistoryCellText(entry, HistoryColumn::kComputer)});
  }
  const std::vector<std::vector<std::size_t>> sets = GroupIntoSets(keys);
  if (sets.size() > kMaxChartRuns) {
    ShowWarning(hwnd(), std::to_wstring(sets.size()) +
                            L" sets of runs are selected; a chart can show at most " +
                            std::to_wstring(kMaxChartRuns) +
                            L". Runs of the same test, resolution, label and computer are a set.");
    return;
  }
  std::vector<std::vector<RunName>> names;
  for (const std::vector<std::size_t>& set : sets) {
    names.emplace_back();
    for (const std::size_t i : set) names.back().push_back(rows_[rows[i]].name);
  }
  chart_.Show(SavedRunsChart(folder_, std::move(names)), hwnd());
}

void HistoryWindow::CopySelected() {
  const std::vector<int> rows = SelectedListRows(list());
  if (rows.empty()) return;
  std::wstring text;
  for (std::size_t column = 0; column < kHistoryColumnCount; ++column) {
    text += (column > 0 ? L"\t" : L"") + std::wstring(kColumns[column].title);
  }
  for (const int row : rows) {
    const HistoryEntry& entry = rows_.Read(static_cast<std::size_t>(row));
    text += L"\r\n";
    for (std::size_t column = 0; column < kHistoryColumnCount; ++column) {
      text += (column > 0 ? L"\t" : L"") + CellText(entry, column);
    }
  }
  CopyTextToClipboard(hwnd(), text + L"\r\n");
}

void HistoryWindow::DeleteSelected() {
  // Named before asking: the list may change while the question is open.
  const std::vector<int> rows = SelectedListRows(list());
  std::vector<RunName> names;
  for (const int row : rows) names.push_back(rows_[row].name);
  if (names.empty()) return;
  const std::wstring question =
      names.size() == 1 ? L"Move this run to the Recycle Bin?\r\n\r\n" + RunFileName(names.front())
                        : L"Move " + std::to_wstring(names.size()) + L" runs to the Recycle Bin?";
  if (!AskYesNo(hwnd(), question)) return;
  const std::vector<UnmovedRun> unmoved = RecycleRuns(hwnd(), folder_, names);
  Refresh();
  // The keyboard goes on from the run that took the place of the first one moved.
  if (rows_.size() > 0 && SendMessageW(list(), LVM_GETSELECTEDCOUNT, 0, 0) == 0) {
    const int next = std::min(rows.front(), static_cast<int>(rows_.size()) - 1);
    SetListRowState(list(), next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  if (unmoved.empty()) return;
  std::wstring text =
      unmoved.size() == 1
          ? L"This run could not be moved to the Recycle Bin and is still there:"
          : L"These runs could not be moved to the Recycle Bin and are still there:";
  for (std::size_t i = 0; i < unmoved.size() && i < kMaxNamedRuns; ++i) {
    text += L"\r\n\r\n" + RunPath(folder_, unmoved[i].name) + L"\r\n" +
            SystemErrorText(unmoved[i].error);
  }
  if (unmoved.size() > kMaxNamedRuns) {
    text += L"\r\n\r\nand " + CountOfRuns(unmoved.size() - kMaxNamedRuns) + L" more.";
  }
  ShowWarning(hwnd(), text);
}

void HistoryWindow::BeginRename(int row, const std::optional<std::wstring>& text) {
  if (label_editor_.IsEditing() || row < 0 || row >= static_cast<int>(rows_.size())) return;
  // Its label as written, and whether it is a run at all.
  const HistoryEntry& entry = rows_.Read(static_cast<std::size_t>(row));
  if (entry.content == HistoryEntry::Content::kNotARun) {
    ShowWarning(hwnd(), kNotARun + RunPath(folder_, entry.name));
    return;
  }
  const RunName run = entry.name;
  label_editor_.Begin(list(), row, static_cast<int>(HistoryColumn::kLabel),
                      text.value_or(entry.label), kMaxLabelLength, font(), Px(kMinEditWidth),
                      [this, run](const std::optional<std::wstring>& typed) {
                        if (typed) CommitLabel(run, *typed);
                        if (refresh_after_edit_ && !label_editor_.IsEditing()) {
                          refresh_after_edit_ = false;
                          Refresh();
                        }
                      });
}

void HistoryWindow::CommitLabel(const RunName& run, const std::wstring& text) {
  const auto row_of = [&] {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
      if (rows_[row].name == run) return static_cast<int>(row);
    }
    return -1;
  };
  const int row = row_of();
  const std::wstring label(TrimLabel(text));
  if (row < 0 || label == rows_[row].label) return;
  if (const std::wstring problem = LabelProblem(label); !problem.empty()) {
    ShowWarning(hwnd(), problem);
    BeginRename(row_of(), text);  // what was typed, to be put right
    return;
  }
  const std::wstring path = RunPath(folder_, run);
  const RenamedRun renamed = RenameRun(folder_, run, label);
  if (renamed.error == ERROR_SUCCESS) {
    rows_.Renamed(static_cast<std::size_t>(row), renamed.name, label);
    SendMessageW(list(), LVM_REDRAWITEMS, row, row);
  } else if (renamed.not_a_run) {
    ShowWarning(hwnd(), kNotARun + path);
  } else {
    ShowWarning(hwnd(), L"The label could not be changed, and the run is kept as it was:\r\n" +
                            path + L"\r\n\r\n" + SystemErrorText(renamed.error));
  }
}

void HistoryWindow::OnKeyDown(WORD key) {
  // The list's keys, as the shell's file lists have them.
  struct KeyCommand {
    WORD key;
    bool control;
    int command;
  };
  constexpr KeyCommand kKeys[] = {{VK_F2, false, kRenameLabel},
                                  {VK_DELETE, false, kDeleteRuns},
                                  {VK_F5, false, kRefreshRuns},
                                  {'A', true, kSelectAllRuns},
                                  {'C', true, kCopyRuns}};
  const bool control = GetKeyState(VK_CONTROL) < 0;
  for (const KeyCommand& entry : kKeys) {
    if (entry.key == key && entry.control == control) OnCommand(entry.command);
  }
}

void HistoryWindow::OnCommand(int id) {
  switch (id) {
    case IDOK:  // Enter
    case kChartRuns:
      return ChartSelected();
    case kOpenResultsFolder:
      return OpenResultsFolder();
    case IDCANCEL:  // Esc
    case kCloseHistory:
      return Close();
    case kRenameLabel: {
      const auto focused =
          static_cast<int>(SendMessageW(list(), LVM_GETNEXTITEM, -1, LVNI_FOCUSED | LVNI_SELECTED));
      const std::vector<int> rows = SelectedListRows(list());
      return BeginRename(focused >= 0 ? focused : (rows.empty() ? -1 : rows.front()), {});
    }
    case kDeleteRuns:
      return DeleteSelected();
    case kSelectAllRuns:
      return SetListRowState(list(), -1, LVIS_SELECTED, LVIS_SELECTED);
    case kCopyRuns:
      return CopySelected();
    case kRefreshRuns:
      return Refresh();
    default:
      return;
  }
}

INT_PTR HistoryWindow::OnNotify(NMHDR& header) {
  if (header.idFrom != kRunList) return FALSE;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      if (LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
          item.iItem >= 0 && item.iItem < static_cast<int>(rows_.size()) && item.iSubItem >= 0 &&
          item.iSubItem < static_cast<int>(kHistoryColumnCount)) {
        GiveCellText(item, CellText(rows_[item.iItem], static_cast<std::size_t>(item.iSubItem)));
      }
      return TRUE;
    case LVN_ODFINDITEMW:  // typing to find a row: the dates do not start with letters
      return Answer(hwnd(), -1);
    case LVN_COLUMNCLICK:
      SortBy(static_cast<HistoryColumn>(reinterpret_cast<NMLISTVIEW&>(header).iSubItem));
      return TRUE;
    case LVN_KEYDOWN:
      OnKeyDown(reinterpret_cast<NMLVKEYDOWN&>(header).wVKey);
      return TRUE;
    case NM_DBLCLK:
      ChartSelected();
      return TRUE;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
      if (!reselecting_ && !rows_.waiting()) UpdateStatus();
      return TRUE;
    case LVN_BEGINSCROLL:
      label_editor_.End(true);
      return TRUE;
    case NM_CUSTOMDRAW: {
      const NMCUSTOMDRAW& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header).nmcd;
      if (rows_.size() > 0) return Answer(hwnd(), CDRF_DODEFAULT);
      if (draw.dwDrawStage == CDDS_PREPAINT) return Answer(hwnd(), CDRF_NOTIFYPOSTPAINT);
      if (draw.dwDrawStage == CDDS_POSTPAINT)
        DrawEmptyListText(list(), draw.hdc, font(), Px(12), kNoRuns);
      return Answer(hwnd(), CDRF_DODEFAULT);
    }
    default:
      return FALSE;
  }
}

std::optional<SIZE> HistoryWindow::MinClientSize() const {
  return SIZE{Px(kMinClientWidth), Px(kMinClientHeight)};
}

INT_PTR HistoryWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the focus goes to the list
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lparam));
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return TRUE;
    case WM_TIMER:
      if (wparam == kReadTimer) OnReadTimer();
      return TRUE;
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) OnSize();
      return TRUE;
    case WM_DESTROY:
      // Nothing is asked or written while the window goes.
      refresh_after_edit_ = false;
      label_editor_.End(false);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace quorvath
