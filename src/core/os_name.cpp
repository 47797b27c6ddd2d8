#include "core/os_name.h"

namespace quorvath {

std::wstring_view OsNameFor(std::int32_t platform_id, std::int32_t major, std::int32_t minor) {
  switch (platform_id) {
    case 0:
      return kOsWin32s;
    case 1:
      if (major >= 5) return kOsWindowsMe;
      if (major == 4 && minor > 0) return kOsWindows98;
      return kOsWindows95;
    case 2:
      if (major < 5) return kOsWindowsNt;
      if (minor == 0) return kOsWindows2000;
      return kOsWindowsXp;
    default:
      return kOsNone;
  }
}

bool IsSupportedOs(std::wstring_view os_name) {
  return os_name == kOsWindowsNt || os_name == kOsWindows2000 || os_name == kOsWindowsXp;
}

}  // namespace quorvath
