#include "ui/app_resources.h"

#include "ui/res/resource.h"

namespace quorvath {

namespace {

int ResourceIdFor(AppImage image) {
  switch (image) {
    case kBannerImage:
      return IDB_BANNER;
    case kBanner2xImage:
      return IDB_BANNER_2X;
    case kAboutBannerImage:
      return IDB_ABOUT_BANNER;
    case kAboutBanner2xImage:
      return IDB_ABOUT_BANNER_2X;
    case kProgramPictureImage:
      return IDB_PROGRAM_PICTURE;
    case kProgramPicture2xImage:
      return IDB_PROGRAM_PICTURE_2X;
  }
  return 0;
}

}  // namespace

UniqueBitmap LoadBitmapResource(AppImage image) {
  return UniqueBitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                      MAKEINTRESOURCEW(ResourceIdFor(image)),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

UniqueIcon LoadAppIcon(int size) {
  return UniqueIcon(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUORVATH),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

void CenterOnWorkArea(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  RECT frame{};
  GetWindowRect(window, &frame);
  const RECT& work = monitor.rcWork;
  const int left = work.left + ((work.right - work.left) - (frame.right - frame.left)) / 2;
  const int top = work.top + ((work.bottom - work.top) - (frame.bottom - frame.top)) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorvath
