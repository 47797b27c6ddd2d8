// A report-style list view (the shell's details view) kept by the program: its columns made
// from a table and sized for the window's DPI, the rows the user selected, the header's sort
// arrow and a line of text where an empty list has no rows. Its rows may be virtual
// (LVS_OWNERDATA): the program keeps them and gives each cell's text when asked.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace quorvath {

struct ListColumn {
  const wchar_t* title;
  int width;     // device-independent pixels
  bool figures;  // right-aligned
};

// A report-style list view filling nothing yet, with full-row selection, several rows
// selectable and `columns`, as the child `id` of `parent`.
HWND CreateListView(HWND parent, int id, bool virtual_rows, std::span<const ListColumn> columns,
                    UINT dpi);

// The columns' widths, as the user left them, taken from `previous_dpi` to `dpi`.
void ScaleListColumns(HWND list, UINT previous_dpi, UINT dpi);

// The selected rows in list order.
std::vector<int> SelectedListRows(HWND list);

// Sets `state` (LVIS_SELECTED, LVIS_FOCUSED) of the row, or of every row for -1.
void SetListRowState(HWND list, int row, UINT state, UINT mask);

// The selected rows and the focused one by a key that names what each row shows (empty for
// none), so that they can be selected again once the rows have changed.
using RowKey = std::function<std::wstring(int row)>;
struct ListSelection {
  std::vector<std::wstring> keys;
  std::wstring focused;
};
ListSelection SelectionOf(HWND list, const RowKey& key);
// Selects the rows of the `count` now listed whose keys were selected, and focuses the one
// that had the focus, scrolled into view when `show_focused`.
void Reselect(HWND list, int count, const ListSelection& selection, const RowKey& key,
              bool show_focused);

// The header's arrow on `column` (up when `ascending`), none on the others.
void ShowListSortArrow(HWND list, int column, bool ascending);

// A cell's text for LVN_GETDISPINFO, cut to the room the list gives.
void GiveCellText(LVITEMW& item, const std::wstring& text);

// `text` centred below the header, drawn after the list painted itself without rows.
void DrawEmptyListText(HWND list, HDC dc, HFONT font, int gap, const wchar_t* text);

}  // namespace quorvath
