// The Windows version named from the numbers the system reports, and the versions supported.
#include "core/os_name.h"

#include <gtest/gtest.h>

namespace quorvath {

TEST(OsName, FollowsTheDecisionTableRowByRow) {
  const std::tuple<int, int, int, std::wstring_view> cases[] = {
      {0, 3, 10, L"Win32s"},      {1, 4, 0, L"Windows 95"}, {1, 3, 95, L"Windows 95"},
      {1, 4, 1, L"Windows 98"},   {1, 5, 0, L"Windows ME"}, {2, 4, 9, L"Windows NT"},
      {2, 5, 0, L"Windows 2000"}, {2, 5, 1, L"Windows XP"}, {2, 6, 0, L"Windows 2000"},
      {3, 10, 0, L"NONE"},        {-1, 5, 1, L"NONE"}};
  for (const auto& [platform, major, minor, name] : cases) {
    EXPECT_EQ(OsNameFor(platform, major, minor), name) << platform << major << minor;
  }
  for (const auto* name : {L"Windows NT", L"Windows 2000", L"Windows XP"}) {
    EXPECT_TRUE(IsSupportedOs(name));
  }
  for (const auto* name : {L"Win32s", L"Windows 95", L"Windows 98", L"Windows ME", L"NONE",
                           L"windows xp", L"Windows XP "}) {
    EXPECT_FALSE(IsSupportedOs(name));
  }
}

}  // namespace quorvath
