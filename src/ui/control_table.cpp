#include "ui/control_table.h"

#include <commctrl.h>

#include "ui/dpi.h"
#include "ui/picture_control.h"

namespace quorvath {

namespace {

struct ClassAndStyle {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

ClassAndStyle ClassFor(const ControlSpec& spec) {
  switch (spec.kind) {
    case ControlKind::kPushButton:
      return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kDefaultPushButton:
      return {WC_BUTTONW, BS_DEFPUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::kPicture:
      return {kPictureControlClass, 0, 0};
    case ControlKind::kDropDownList:
      return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::kMultiLineText:
      return {WC_EDITW, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::kLabel:
      return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kListBox:
      return {WC_LISTBOXW,
              LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                  LBS_WANTKEYBOARDINPUT | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
  }
  return {WC_STATICW, 0, 0};
}

// A drop-down list is created with the height of its open list; the closed box takes its
// height from the font.
constexpr int kDropDownListRows = 8;

// Where a control goes at `dpi`, in pixels; a drop-down list's height includes its open list.
RECT PlaceFor(const ControlSpec& spec, UINT dpi) {
  const int left = TwipsToPixels(spec.left, dpi);
  const int top = TwipsToPixels(spec.top, dpi);
  int height = TwipsToPixels(spec.height, dpi);
  if (spec.kind == ControlKind::kDropDownList) height *= kDropDownListRows;
  return RECT{left, top, left + TwipsToPixels(spec.width, dpi), top + height};
}

// The closed drop-down list keeps the designed height: its selection field is that height less
// the box's frame.
void FitDropDownList(HWND control, const ControlSpec& spec, UINT dpi) {
  const int frame = 2 * SystemMetricForDpi(SM_CYEDGE, dpi) + 2;
  SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
               TwipsToPixels(spec.height, dpi) - frame);
}

}  // namespace

void CreateControls(HWND parent, std::span<const ControlSpec> controls, UINT dpi, HFONT font) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlSpec& spec : controls) {
    const ClassAndStyle kind = ClassFor(spec);
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    if ((spec.flags & kDisabled) != 0) style |= WS_DISABLED;
    if ((spec.flags & kTabStop) != 0) style |= WS_TABSTOP;
    if ((spec.flags & kSingleBorder) != 0) style |= WS_BORDER;
    DWORD ex_style = kind.ex_style;
    if ((spec.flags & kSunkenBorder) != 0) ex_style |= WS_EX_CLIENTEDGE;
    const RECT place = PlaceFor(spec, dpi);
    const HWND control = CreateWindowExW(
        ex_style, kind.window_class, spec.caption != nullptr ? spec.caption : L"", style,
        place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
    if (control == nullptr) continue;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (spec.kind == ControlKind::kDropDownList) FitDropDownList(control, spec, dpi);
  }
}

void LayoutControls(HWND parent, std::span<const ControlSpec> controls, UINT dpi, HFONT font) {
  HDWP positions = BeginDeferWindowPos(static_cast<int>(controls.size()));
  for (const ControlSpec& spec : controls) {
    const HWND control = GetDlgItem(parent, spec.id);
    if (control == nullptr) continue;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (spec.kind == ControlKind::kDropDownList) FitDropDownList(control, spec, dpi);
    const RECT place = PlaceFor(spec, dpi);
    if (positions != nullptr) {
      positions = DeferWindowPos(positions, control, nullptr, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (positions != nullptr) EndDeferWindowPos(positions);
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
}

SIZE ClientSizeForDpi(int width_twips, int height_twips, UINT dpi) {
  return SIZE{TwipsToPixels(width_twips, dpi), TwipsToPixels(height_twips, dpi)};
}

void SetClientSize(HWND window, SIZE client, UINT dpi) {
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const RECT frame = WindowRectForClient(client, style, ex_style, GetMenu(window) != nullptr, dpi);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps, or a frame drawn differently than computed, is corrected here.
  RECT actual{};
  GetClientRect(window, &actual);
  const int missing_width = client.cx - (actual.right - actual.left);
  const int missing_height = client.cy - (actual.bottom - actual.top);
  if (missing_width != 0 || missing_height != 0) {
    width += missing_width;
    height += missing_height;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace quorvath
