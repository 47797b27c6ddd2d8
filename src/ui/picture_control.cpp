#include "ui/picture_control.h"

#include "core/win_handles.h"
#include "ui/dialog_window.h"

namespace quorvath {

namespace {

struct PictureState {
  HBITMAP image = nullptr;
  HBITMAP image_2x = nullptr;
  bool is_link = false;
};

PictureState* StateOf(HWND picture) {
  return reinterpret_cast<PictureState*>(GetWindowLongPtrW(picture, 0));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

void NotifyClicked(HWND picture) {
  const int id = GetDlgCtrlID(picture);
  SendMessageW(GetParent(picture), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
               reinterpret_cast<LPARAM>(picture));
}

void DrawImage(HWND picture, HDC dc, const PictureState& state) {
  const SIZE base = BitmapSize(state.image);
  if (base.cx == 0) return;
  const UINT dpi = DpiForWindow(picture);
  const SIZE target{ScaleForDpi(base.cx, dpi), ScaleForDpi(base.cy, dpi)};
  HBITMAP source = state.image;
  SIZE source_size = base;
  if (dpi > kDefaultDpi && state.image_2x != nullptr) {
    source = state.image_2x;
    source_size = BitmapSize(state.image_2x);
  }

  const UniqueDc memory(CreateCompatibleDC(dc));
  if (memory == nullptr) return;
  {
    ScopedSelectObject select(memory.get(), source);
    if (source_size.cx == target.cx && source_size.cy == target.cy) {
      BitBlt(dc, 0, 0, target.cx, target.cy, memory.get(), 0, 0, SRCCOPY);
    } else {
      const int old_mode = SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, 0, 0, target.cx, target.cy, memory.get(), 0, 0, source_size.cx, source_size.cy,
                 SRCCOPY);
      SetStretchBltMode(dc, old_mode);
    }
  }
}

void Paint(HWND picture) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(picture, &paint);
  RECT client{};
  GetClientRect(picture, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (const PictureState* state = StateOf(picture)) DrawImage(picture, dc, *state);
  const LRESULT ui_state = SendMessageW(picture, WM_QUERYUISTATE, 0, 0);
  if (GetFocus() == picture && (ui_state & UISF_HIDEFOCUS) == 0) {
    RECT focus = client;
    InflateRect(&focus, -1, -1);
    DrawFocusRect(dc, &focus);
  }
  EndPaint(picture, &paint);
}

LRESULT CALLBACK PictureProc(HWND picture, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(picture, 0, reinterpret_cast<LONG_PTR>(new PictureState));
      break;
    case WM_NCDESTROY:
      delete StateOf(picture);
      SetWindowLongPtrW(picture, 0, 0);
      break;
    case WM_PAINT:
      Paint(picture);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole box
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case WM_SIZE:
      InvalidateRect(picture, nullptr, FALSE);
      break;
    case WM_LBUTTONDOWN:
      if ((GetWindowLongPtrW(picture, GWL_STYLE) & WS_TABSTOP) != 0) SetFocus(picture);
      SetCapture(picture);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == picture) {
        ReleaseCapture();
        RECT client{};
        GetClientRect(picture, &client);
        const POINT at{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        if (PtInRect(&client, at)) NotifyClicked(picture);
      }
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_SPACE) {
        NotifyClicked(picture);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (const PictureState* state = StateOf(picture); state != nullptr && state->is_link) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(picture, message, wparam, lparam);
}

}  // namespace

void RegisterPictureControl() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kPictureControlClass, &window_class)) return;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = &PictureProc;
  window_class.cbWndExtra = sizeof(LONG_PTR);
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = kPictureControlClass;
  RegisterClassExW(&window_class);
}

void SetPictureImages(HWND picture, HBITMAP image, HBITMAP image_2x) {
  if (PictureState* state = StateOf(picture)) {
    state->image = image;
    state->image_2x = image_2x;
    InvalidateRect(picture, nullptr, FALSE);
  }
}

void SetPictureIsLink(HWND picture, bool is_link) {
  if (PictureState* state = StateOf(picture)) state->is_link = is_link;
}

UniqueBitmap LoadBitmapResource(int resource_id) {
  return UniqueBitmap(
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource_id),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace quorvath
