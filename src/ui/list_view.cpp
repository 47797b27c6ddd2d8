#include "ui/list_view.h"

#include <cwchar>
#include <unordered_set>

#include "core/win_handles.h"
#include "ui/dialog_window.h"

namespace quorvath {

HWND CreateListView(HWND parent, int id, bool virtual_rows, std::span<const ListColumn> columns,
                    UINT dpi) {
  const HWND list =
      CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS |
                          (virtual_rows ? LVS_OWNERDATA : 0),
                      0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_HEADERDRAGDROP);
  int index = 0;
  for (const ListColumn& wanted : columns) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = wanted.figures ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = ScaleForDpi(wanted.width, dpi);
    column.pszText = const_cast<wchar_t*>(wanted.title);
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++),
                 reinterpret_cast<LPARAM>(&column));
  }
  return list;
}

void ScaleListColumns(HWND list, UINT previous_dpi, UINT dpi) {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const auto count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count && previous_dpi != dpi && previous_dpi != 0; ++i) {
    const auto width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
    SendMessageW(list, LVM_SETCOLUMNWIDTH, i,
                 MulDiv(width, static_cast<int>(dpi), static_cast<int>(previous_dpi)));
  }
}

std::vector<int> SelectedListRows(HWND list) {
  std::vector<int> rows;
  for (auto row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
       row >= 0; row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) {
    rows.push_back(row);
  }
  return rows;
}

void SetListRowState(HWND list, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

ListSelection SelectionOf(HWND list, const RowKey& key) {
  ListSelection selection;
  for (const int row : SelectedListRows(list)) selection.keys.push_back(key(row));
  const auto focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
  if (focused >= 0) selection.focused = key(focused);
  return selection;
}

void Reselect(HWND list, int count, const ListSelection& selection, const RowKey& key,
              bool show_focused) {
  // Clearing every row's state visits every row: not for a list with none selected.
  if (SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) > 0 ||
      SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED) >= 0) {
    SetListRowState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  }
  const std::unordered_set<std::wstring> selected(selection.keys.begin(), selection.keys.end());
  // Every row at once rather than one by one.
  const bool all = count > 0 && selected.size() == static_cast<std::size_t>(count);
  if (all) SetListRowState(list, -1, LVIS_SELECTED, LVIS_SELECTED);
  for (int row = 0; row < count && (!selected.empty() || !selection.focused.empty()); ++row) {
    const std::wstring row_key = key(row);
    const UINT state = (!all && selected.count(row_key) != 0 ? LVIS_SELECTED : 0) |
                       (row_key == selection.focused ? LVIS_FOCUSED : 0);
    if (state != 0) SetListRowState(list, row, state, state);
    if ((state & LVIS_FOCUSED) != 0 && show_focused) {
      SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    }
  }
}

void ShowListSortArrow(HWND list, int column, bool ascending) {
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const auto count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item))) continue;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (i == column) item.fmt |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
    SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

void GiveCellText(LVITEMW& item, const std::wstring& text) {
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  wcsncpy_s(item.pszText, static_cast<std::size_t>(item.cchTextMax), text.c_str(), _TRUNCATE);
}

void DrawEmptyListText(HWND list, HDC dc, HFONT font, int gap, const wchar_t* text) {
  RECT area{}, header{};
  GetClientRect(list, &area);
  GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
  area.top += (header.bottom - header.top) + gap;
  const ScopedSelectObject select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawTextW(dc, text, -1, &area, DT_CENTER | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace quorvath
