#include "core/os_name.h"

#include <gtest/gtest.h>

#include <climits>

namespace quorvath {
namespace {

struct VersionCase {
  std::int32_t platform, major, minor;
  std::wstring_view expected;
};

TEST(OsNameFor, FollowsTheDecisionTableRowByRow) {
  const VersionCase cases[] = {
      // platform 0: whatever the version
      {0, 0, 0, kOsWin32s},
      {0, 3, 10, kOsWin32s},
      {0, 6, 1, kOsWin32s},
      {0, -1, -1, kOsWin32s},
      // platform 1: the major version decides "ME" before the minor decides "98"
      {1, 5, 0, kOsWindowsMe},
      {1, 6, 0, kOsWindowsMe},
      {1, 5, -3, kOsWindowsMe},
      {1, 4, 10, kOsWindows98},
      {1, 4, 90, kOsWindows98},
      {1, 4, 1, kOsWindows98},
      {1, 4, 0, kOsWindows95},
      {1, 4, -1, kOsWindows95},
      {1, 3, 95, kOsWindows95},
      {1, -2, 0, kOsWindows95},
      // platform 2: major below 5 is NT; from 5 on only "minor is zero" matters
      {2, 4, 0, kOsWindowsNt},
      {2, 3, 51, kOsWindowsNt},
      {2, -1, 0, kOsWindowsNt},
      {2, 5, 0, kOsWindows2000},
      {2, 5, 1, kOsWindowsXp},
      {2, 5, 2, kOsWindowsXp},
      {2, 6, 0, kOsWindows2000},
      {2, 6, 1, kOsWindowsXp},
      {2, 6, 2, kOsWindowsXp},
      {2, 10, 0, kOsWindows2000},
      {2, 5, -1, kOsWindowsXp},
      // anything else
      {3, 5, 0, kOsNone},
      {-1, 5, 1, kOsNone},
      {INT_MAX, 4, 0, kOsNone}};
  for (const VersionCase& c : cases) {
    EXPECT_EQ(OsNameFor(c.platform, c.major, c.minor), c.expected)
        << "platform " << c.platform << ", version " << c.major << "." << c.minor;
  }
}

TEST(IsSupportedOs, AcceptsExactlyTheThreeNtNames) {
  EXPECT_TRUE(IsSupportedOs(L"Windows NT"));
  EXPECT_TRUE(IsSupportedOs(L"Windows 2000"));
  EXPECT_TRUE(IsSupportedOs(L"Windows XP"));
  for (const std::wstring_view refused :
       {kOsWin32s, kOsWindows95, kOsWindows98, kOsWindowsMe, kOsNone}) {
    EXPECT_FALSE(IsSupportedOs(refused));
  }
  EXPECT_FALSE(IsSupportedOs(L"windows xp"));  // letter case counts
  EXPECT_FALSE(IsSupportedOs(L"Windows XP "));
  EXPECT_FALSE(IsSupportedOs(L""));
}

}  // namespace
}  // namespace quorvath
