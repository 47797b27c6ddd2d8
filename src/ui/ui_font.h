// The fonts of the program's windows, created for a window's DPI.
#pragma once

#include <windows.h>

#include "core/win_handles.h"

namespace quorvath {

inline constexpr wchar_t kDialogFontFace[] = L"MS Sans Serif";

// "MS Sans Serif" at `points`, regular, for `dpi`.
UniqueFont CreateDialogFont(int points, UINT dpi);

}  // namespace quorvath
