// Editing one cell of a report-style list view in place, as the shell's file lists rename a
// file: an edit box over the cell, its text selected. Enter or Tab, a click elsewhere or any
// other loss of the focus ends it with its text; Esc ends it without. The mouse wheel, which
// would scroll the rows away under it, ends it with its text too.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace quorvath {

class CellEditor {
 public:
  // Called once the edit box is gone: with its text, or nothing when the edit was cancelled.
  using Ended = std::function<void(const std::optional<std::wstring>& text)>;

  CellEditor() = default;
  ~CellEditor();
  CellEditor(const CellEditor&) = delete;
  CellEditor& operator=(const CellEditor&) = delete;

  bool IsEditing() const { return edit_ != nullptr; }

  // Opens the edit box over the cell of `row` and `column` of `list`, scrolled into view, at
  // least `min_width` pixels wide, in `font`, holding `text` and taking at most `max_length`
  // characters. False when it could not be made.
  bool Begin(HWND list, int row, int column, const std::wstring& text, std::size_t max_length,
             HFONT font, int min_width, Ended ended);

  // Ends the edit, if there is one: `commit` hands its text to the caller.
  void End(bool commit);

 private:
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wparam, LPARAM lparam);

  HWND edit_ = nullptr;
  HWND list_ = nullptr;
  WNDPROC edit_proc_ = nullptr;
  Ended ended_;
};

}  // namespace quorvath
