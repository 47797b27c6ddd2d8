// The result windows' list: an owner-drawn list box whose rows are texts with tab-separated
// columns. A run of tabs moves to the next column, so a header row written with two tabs
// between words and a data row with one tab between fields line up under the same columns.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

struct ColumnLayout {
  std::vector<int> starts;  // left edge of each column, in the list's client coordinates
  int row_height = 0;
};

// Replaces the list's rows, with drawing suspended while they are added.
void SetListRows(HWND list, const std::vector<std::wstring>& rows);

// Every row, joined by CR LF, as the list holds them (tabs included).
std::wstring ListRowsAsText(HWND list);

// Puts `text` on the clipboard as Unicode text; false when the clipboard is busy.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);

// Draws one row for WM_DRAWITEM.
void DrawColumnRow(const DRAWITEMSTRUCT& item, const ColumnLayout& layout);

}  // namespace quorvath
