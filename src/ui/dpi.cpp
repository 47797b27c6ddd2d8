#include "ui/dpi.h"

namespace quorvath {

namespace {

template <typename Function>
Function LookUp(const char* module, const char* name) {
  HMODULE handle = GetModuleHandleA(module);
  if (handle == nullptr) return nullptr;
  // GetProcAddress returns a generic function pointer; the cast names its real type.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);

constexpr int kDialogDpiChangeDisableAll = 1;  // DDC_DISABLE_ALL

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

}  // namespace

UINT DpiForWindow(HWND window) {
  static const auto get_dpi_for_window = LookUp<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
  if (get_dpi_for_window != nullptr && window != nullptr) {
    const UINT dpi = get_dpi_for_window(window);
    if (dpi != 0) return dpi;
  }
  return ScreenDpi();
}

RECT WindowRectForClient(SIZE client, DWORD style, DWORD ex_style, bool has_menu, UINT dpi) {
  static const auto adjust_for_dpi =
      LookUp<AdjustWindowRectExForDpiFn>("user32.dll", "AdjustWindowRectExForDpi");
  RECT rect{0, 0, client.cx, client.cy};
  if (adjust_for_dpi == nullptr || !adjust_for_dpi(&rect, style, has_menu, ex_style, dpi)) {
    AdjustWindowRectEx(&rect, style, has_menu, ex_style);
  }
  return rect;
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const auto metrics_for_dpi =
      LookUp<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
  if (metrics_for_dpi != nullptr) return metrics_for_dpi(index, dpi);
  return GetSystemMetrics(index);
}

void TakeOverDialogDpiScaling(HWND dialog) {
  static const auto set_behavior =
      LookUp<SetDialogDpiChangeBehaviorFn>("user32.dll", "SetDialogDpiChangeBehavior");
  if (set_behavior != nullptr) {
    set_behavior(dialog, kDialogDpiChangeDisableAll, kDialogDpiChangeDisableAll);
  }
}

}  // namespace quorvath
