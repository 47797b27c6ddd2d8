#include "runs/machine.h"

#include <windows.h>

#include <cwchar>
#include <string_view>

#include "core/field_reader.h"
#include "core/registry.h"
#include "core/win_system.h"

namespace quorvath {

namespace {

std::wstring ValueOf(const std::wstring& key_path, const wchar_t* name) {
  std::wstring value;
  GetKeyValue(HKEY_LOCAL_MACHINE, key_path, name, value);
  return value;
}

std::wstring ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &length) ? std::wstring(name, length) : std::wstring();
}

std::wstring InstalledMemory() {
  // Looked up, as it came with Vista SP1 and not every MinGW declares it. GlobalMemoryStatusEx
  // would tell what Windows may use instead, which is less than what is installed.
  using InstalledMemoryFn = BOOL(WINAPI*)(PULONGLONG);
  const auto installed =
      SystemFunctionAs<InstalledMemoryFn>(L"kernel32.dll", "GetPhysicallyInstalledSystemMemory");
  ULONGLONG kilobytes = 0;
  if (installed == nullptr || !installed(&kilobytes)) return {};
  return std::to_wstring(kilobytes / 1024);
}

// The primary display adapter's name and driver version. Its device key is where the system
// keeps the driver's installed version: on Windows with WDDM drivers the key carries the
// driver key's values, and Wine links it to the driver key. Older drivers keep no version
// there, and the driver is left empty.
void ReadGraphics(MachineFacts& facts) {
  DISPLAY_DEVICEW device{};
  device.cb = sizeof device;
  for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &device, 0); ++i) {
    if ((device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) == 0) continue;
    facts.graphics = device.DeviceString;
    constexpr std::wstring_view kMachineRoot = L"\\Registry\\Machine\\";
    const std::wstring key = device.DeviceKey;
    // Registry names ignore case, and so does this root.
    if (key.size() > kMachineRoot.size() &&
        _wcsnicmp(key.c_str(), kMachineRoot.data(), kMachineRoot.size()) == 0) {
      facts.driver = ValueOf(key.substr(kMachineRoot.size()), L"DriverVersion");
    }
    return;
  }
}

std::wstring WindowsVersion() {
  const std::wstring key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  std::wstring version = ValueOf(key, L"DisplayVersion");  // "22H2", from Windows 10 20H2 on
  if (version.empty()) version = ValueOf(key, L"ReleaseId");
  std::wstring build = ValueOf(key, L"CurrentBuildNumber");
  if (const std::wstring update = ValueOf(key, L"UBR"); !build.empty() && !update.empty()) {
    build += L"." + update;
  }
  std::wstring text;
  for (const std::wstring& part :
       {ValueOf(key, L"ProductName"), version, build.empty() ? build : L"build " + build}) {
    if (part.empty()) continue;
    if (!text.empty()) text += L' ';
    text += part;
  }
  return text;
}

}  // namespace

MachineFacts ReadMachineFacts() {
  MachineFacts facts;
  facts.computer = ComputerName();
  // Some processors pad their brand string with spaces in front.
  facts.processor = std::wstring(TrimSpaces(
      ValueOf(L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"ProcessorNameString")));
  facts.memory = InstalledMemory();
  ReadGraphics(facts);
  facts.windows = WindowsVersion();
  return facts;
}

}  // namespace quorvath
