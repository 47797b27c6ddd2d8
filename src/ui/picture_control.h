// A picture box: shows a bitmap at its top-left corner, scaled for the window's DPI, can
// take the focus, and tells its parent when it is clicked (WM_COMMAND with STN_CLICKED),
// by the mouse or by the Space key.
#pragma once

#include <windows.h>

#include "core/win_handles.h"

namespace quorvath {

inline constexpr wchar_t kPictureControlClass[] = L"QuorvathPicture";

// Registers the window class once per process.
void RegisterPictureControl();

// The bitmaps to show: `image` is drawn at its own size at 96 DPI; `image_2x`, when given,
// is the same picture drawn at twice the size and is used for higher DPIs. The control does
// not own them.
void SetPictureImages(HWND picture, HBITMAP image, HBITMAP image_2x);

// Shows the hand cursor over the picture, for pictures that open a web page.
void SetPictureIsLink(HWND picture, bool is_link);

// A bitmap of the program's resources (res/resource.h).
UniqueBitmap LoadBitmapResource(int resource_id);

}  // namespace quorvath
