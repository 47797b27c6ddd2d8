#include "ui/system_info.h"

#include <optional>
#include <string>

#include "core/file_system.h"
#include "core/registry.h"
#include "core/win_system.h"
#include "ui/desktop.h"

namespace quorvath {

namespace {

// Where the tool registers itself: its full path, or else the folder that holds it.
constexpr wchar_t kMsInfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr wchar_t kMsInfoPathValue[] = L"PATH";
constexpr wchar_t kSharedToolsLocationKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr wchar_t kMsInfoFolderValue[] = L"MSINFO";
constexpr wchar_t kMsInfoFileName[] = L"\\MSINFO32.EXE";

// The tool's path, or nothing when it is not registered where it can be found.
std::optional<std::wstring> FindSysInfoTool() {
  std::wstring value;
  // A registered full path is trusted as it is: if it names nothing, starting it fails and
  // the user hears so. The folder entry is not consulted then.
  if (GetKeyValue(HKEY_LOCAL_MACHINE, kMsInfoKey, kMsInfoPathValue, value)) return value;
  if (!GetKeyValue(HKEY_LOCAL_MACHINE, kSharedToolsLocationKey, kMsInfoFolderValue, value)) {
    return std::nullopt;
  }
  std::wstring path = value + kMsInfoFileName;
  if (!IsNormalFile(path)) return std::nullopt;
  return path;
}

}  // namespace

void StartSysInfo(HWND owner) {
  bool started = false;
  // Whatever goes wrong on the way, the user hears the same thing.
  try {
    const std::optional<std::wstring> tool = FindSysInfoTool();
    started = tool && StartProgram(*tool);
  } catch (...) {
    started = false;
  }
  if (!started) ShowPlainMessage(owner, kSysInfoUnavailable, kAppTitle);
}

}  // namespace quorvath
