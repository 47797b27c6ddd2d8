// Dots per inch of a window, and the conversions from the twips that the layouts are
// written in. The newer per-monitor functions are looked up at run time, so the program
// still starts where they are missing.
#pragma once

#include <windows.h>

namespace quorvath {

inline constexpr UINT kDefaultDpi = 96;
inline constexpr int kTwipsPerInch = 1440;

// 15 twips make one pixel at 96 DPI.
inline int TwipsToPixels(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

// Pixels designed at 96 DPI, for `dpi`.
inline int ScaleForDpi(int pixels_at_96, UINT dpi) {
  return MulDiv(pixels_at_96, static_cast<int>(dpi), static_cast<int>(kDefaultDpi));
}

// The DPI the window is shown at: GetDpiForWindow where the system has it, otherwise the
// screen's logical DPI.
UINT DpiForWindow(HWND window);

// The window rectangle that gives `client` for the style, at `dpi`.
RECT WindowRectForClient(SIZE client, DWORD style, DWORD ex_style, bool has_menu, UINT dpi);

// A system metric at `dpi` (GetSystemMetricsForDpi where available).
int SystemMetricForDpi(int index, UINT dpi);

// Leaves layout and fonts of a dialog to the program when its DPI changes: the program
// re-lays out every control itself on WM_DPICHANGED.
void TakeOverDialogDpiScaling(HWND dialog);

}  // namespace quorvath
