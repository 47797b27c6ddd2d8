// The machine facts saved with each run, from values set in Wine's registry.
#include "runs/machine.h"

#include <gtest/gtest.h>

#include <deque>
#include <tuple>

#include "test_support.h"

namespace quorvath {
namespace {

TEST(ReadMachineFacts, DropsTheProcessorsPaddingAndLeavesOutWhatIsMissing) {
  DISPLAY_DEVICEW device{};  // Wine's first adapter is the primary one
  device.cb = sizeof device;
  ASSERT_TRUE(EnumDisplayDevicesW(nullptr, 0, &device, 0) &&
              (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0);
  const std::wstring nt = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  std::deque<testing::ScopedRegistryValue> values;  // as the cases' first seven columns
  values.emplace_back(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                      L"ProcessorNameString");
  for (const wchar_t* name :
       {L"ProductName", L"DisplayVersion", L"ReleaseId", L"CurrentBuildNumber", L"UBR"})
    values.emplace_back(HKEY_LOCAL_MACHINE, nt, name);
  const std::wstring adapter = std::wstring(device.DeviceKey).substr(18);  // "\Registry\Machine\"
  values.emplace_back(HKEY_LOCAL_MACHINE, adapter, L"DriverVersion");
  const struct {
    const char *cpu, *product, *display, *release, *build, *ubr, *driver;  // null: removed
    std::wstring processor, windows, driver_version;
  } cases[] = {
      {"  Intel(R) Core(TM) i7", "Windows 10 Pro", "22H2", "2009", "19045", "\xDB\x0E\0",
       "31.0.1.5", L"Intel(R) Core(TM) i7", L"Windows 10 Pro 22H2 build 19045.3803", L"31.0.1.5"},
      {"AMD Ryzen 7 5800X   ", "Windows 10 Home", nullptr, "1909", "18363", nullptr, nullptr,
       L"AMD Ryzen 7 5800X", L"Windows 10 Home 1909 build 18363", L""},
      {"   ", nullptr, nullptr, nullptr, nullptr, "\x11\0\0", "8.17.1.2", L"", L"", L"8.17.1.2"},
  };
  for (const auto& c : cases) {
    const char* set[] = {c.cpu, c.product, c.display, c.release, c.build, c.ubr, c.driver};
    for (std::size_t i = 0; i < values.size(); ++i)
      ASSERT_TRUE(!set[i]  ? values[i].Remove()
                  : i == 5 ? values[i].Set(REG_DWORD, {set[i], 4})  // UBR, low byte first
                           : values[i].SetString(set[i]));
    const MachineFacts facts = ReadMachineFacts();
    EXPECT_EQ(std::tie(facts.processor, facts.windows, facts.driver, facts.graphics),
              std::make_tuple(c.processor, c.windows, c.driver_version, device.DeviceString));
    EXPECT_TRUE(!facts.computer.empty() && _wtoi64(facts.memory.c_str()) > 0) << facts.memory;
  }
}

}  // namespace
}  // namespace quorvath
