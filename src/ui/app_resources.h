// The program's images and icon, from its resources.
#pragma once

#include <windows.h>

#include "core/win_handles.h"

namespace quorvath {

enum AppImage : int {
  kBannerImage,
  kBanner2xImage,
  kAboutBannerImage,
  kAboutBanner2xImage,
  kProgramPictureImage,
  kProgramPicture2xImage,
};

UniqueBitmap LoadBitmapResource(AppImage image);

// The application icon at `size` pixels square.
UniqueIcon LoadAppIcon(int size);

// Places the window in the middle of the work area of the screen it is on.
void CenterOnWorkArea(HWND window);

}  // namespace quorvath
