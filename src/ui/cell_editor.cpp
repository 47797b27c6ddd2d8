#include "ui/cell_editor.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "ui/dialog_window.h"

namespace quorvath {

CellEditor::~CellEditor() {
  ended_ = nullptr;  // the caller is going
  End(false);
}

bool CellEditor::Begin(HWND list, int row, int column, const std::wstring& text,
                       std::size_t max_length, HFONT font, int min_width, Ended ended) {
  if (edit_ != nullptr) return false;
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RECT cell{};
  cell.top = column;
  cell.left = LVIR_BOUNDS;
  if (!SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row),
                    reinterpret_cast<LPARAM>(&cell))) {
    return false;
  }
  // A child of the list, so that it is clipped by it and never covers the column header.
  const HWND edit = CreateWindowExW(
      0, WC_EDITW, text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, cell.left,
      cell.top, std::max<int>(cell.right - cell.left, min_width), cell.bottom - cell.top + 2, list,
      nullptr, GetModuleHandleW(nullptr), nullptr);
  if (edit == nullptr) return false;
  edit_ = edit;
  list_ = list;
  ended_ = std::move(ended);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(edit, EM_LIMITTEXT, max_length, 0);
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  edit_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CellEditor::EditProc)));
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  return true;
}

void CellEditor::End(bool commit) {
  if (edit_ == nullptr) return;
  const HWND edit = edit_;
  edit_ = nullptr;  // first: the edit box losing the focus must not end the edit a second time
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  if (GetFocus() == edit) SetFocus(list_);
  DestroyWindow(edit);
  // The caller may begin another edit from here.
  const Ended ended = std::move(ended_);
  if (ended) ended(commit ? std::optional<std::wstring>(std::move(text)) : std::nullopt);
}

LRESULT CALLBACK CellEditor::EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* const self = reinterpret_cast<CellEditor*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  const WNDPROC original = self->edit_proc_;
  const auto pass_on = [&] { return CallWindowProcW(original, edit, message, wparam, lparam); };
  const auto end = [&](bool commit) {
    if (self->edit_ == edit) self->End(commit);
  };
  return RunGuarded(
      [&]() -> LRESULT {
        switch (message) {
          case WM_GETDLGCODE:  // Enter, Esc and Tab end the edit instead of acting in the dialog
            return pass_on() | DLGC_WANTALLKEYS;
          case WM_KEYDOWN:
            if (wparam != VK_RETURN && wparam != VK_ESCAPE && wparam != VK_TAB) break;
            end(wparam != VK_ESCAPE);
            return 0;
          case WM_CHAR:
            if (wparam == L'\r' || wparam == 0x1B || wparam == L'\t') return 0;  // no beep
            break;
          case WM_MOUSEWHEEL:
            end(true);
            return 0;
          case WM_KILLFOCUS: {
            const LRESULT result = pass_on();
            end(true);
            return result;
          }
          default:
            break;
        }
        return pass_on();
      },
      pass_on);
}

}  // namespace quorvath
