// Controls described by tables that read like the window designs: name (the control id),
// kind, geometry in twips from the client area's top-left corner, caption and initial
// state. Positions are converted to pixels with the window's DPI.
#pragma once

#include <windows.h>

#include <span>

namespace quorvath {

enum class ControlKind {
  kPushButton,
  kDefaultPushButton,
  kPicture,        // the program's picture control (see picture_control.h)
  kDropDownList,   // a combo box without an edit field
  kMultiLineText,  // a read-only, word-wrapping text box with a vertical scroll bar
  kLabel,
  kListBox,  // owner-drawn rows with tab-separated columns
};

enum ControlFlags : unsigned {
  kNoFlags = 0,
  kDisabled = 1u << 0,
  kTabStop = 1u << 1,
  kSunkenBorder = 1u << 2,
  kSingleBorder = 1u << 3,
};

struct ControlSpec {
  int id;
  ControlKind kind;
  int left, top, width, height;  // twips
  const wchar_t* caption;
  unsigned flags;
};

// Creates the controls in table order, which is also their Tab order, each at its place for
// `dpi` and with `font`.
void CreateControls(HWND parent, std::span<const ControlSpec> controls, UINT dpi, HFONT font);

// Moves every control of the table to its place at `dpi` and gives it `font`.
void LayoutControls(HWND parent, std::span<const ControlSpec> controls, UINT dpi, HFONT font);

// The client area of a window designed as `width` x `height` twips, in pixels at `dpi`.
SIZE ClientSizeForDpi(int width_twips, int height_twips, UINT dpi);

// Sizes the window so that its client area is exactly `client`, whatever its frame and menu
// bar take at the moment.
void SetClientSize(HWND window, SIZE client, UINT dpi);

}  // namespace quorvath
