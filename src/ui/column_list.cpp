#include "ui/column_list.h"

#include <algorithm>

#include "results/result_rows.h"

namespace quorvath {

void SetListRows(HWND list, const std::vector<std::wstring>& rows) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  std::size_t characters = 0;
  for (const std::wstring& row : rows) characters += row.size() + 1;
  SendMessageW(list, LB_INITSTORAGE, rows.size(), characters * sizeof(wchar_t));
  for (const std::wstring& row : rows) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::wstring ListRowsAsText(HWND list) {
  std::wstring text;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  std::wstring row;
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) continue;
    row.assign(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(row.data()));
    row.resize(static_cast<std::size_t>(length));
    text += row;
    text += L"\r\n";
  }
  return text;
}

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  if (void* target = GlobalLock(memory)) {
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
    GlobalUnlock(memory);
  }
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(memory);  // the clipboard took it only on success
  return placed;
}

void DrawColumnRow(const DRAWITEMSTRUCT& item, const ColumnLayout& layout) {
  HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID != static_cast<UINT>(-1)) {
    const HWND list = item.hwndItem;
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, item.itemID, 0);
    std::wstring row(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(row.data()));
    row.resize(static_cast<std::size_t>(length > 0 ? length : 0));

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    for (const RowCell& cell : RowCells(row)) {
      if (cell.column >= layout.starts.size()) break;
      RECT box = item.rcItem;
      box.left = item.rcItem.left + layout.starts[cell.column];
      if (cell.column + 1 < layout.starts.size()) {
        box.right = std::min(box.right, item.rcItem.left + layout.starts[cell.column + 1]);
      }
      DrawTextW(dc, cell.text.data(), static_cast<int>(cell.text.size()), &box,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    DrawFocusRect(dc, &item.rcItem);
  }
}

}  // namespace quorvath
