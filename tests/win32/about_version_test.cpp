// The About dialog's version label.
#include <gtest/gtest.h>

#include "ui/about_form.h"
#include "version.h"

namespace quorvath {
namespace {

TEST(AboutVersionText, IsVersionAndTheThreeNumbersInPlainDecimal) {
  EXPECT_EQ(AboutVersionText(1, 0, 0), L"Version 1.0.0");
  // Two digits stay two digits, without leading zeros or cut-offs.
  EXPECT_EQ(AboutVersionText(1, 10, 0), L"Version 1.10.0");
  EXPECT_EQ(AboutVersionText(2, 5, 107), L"Version 2.5.107");
  EXPECT_EQ(AboutVersionText(12, 0, 9), L"Version 12.0.9");
}

TEST(AboutVersionText, AgreesWithTheVersionResource) {
  // The VERSIONINFO resource spells the version from the same header.
  const std::string resource_version = QUORVATH_VERSION_TEXT;
  EXPECT_EQ(
      AboutVersionText(QUORVATH_VERSION_MAJOR, QUORVATH_VERSION_MINOR, QUORVATH_VERSION_REVISION),
      L"Version " + std::wstring(resource_version.begin(), resource_version.end()));
}

}  // namespace
}  // namespace quorvath
