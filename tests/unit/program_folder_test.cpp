#include "core/program_folder.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

std::wstring AppDirFor(std::wstring_view executable) {
  return WithTrailingBackslash(FolderOfPath(executable));
}

TEST(AppDir, AFolderGetsOneBackslash) {
  EXPECT_EQ(AppDirFor(L"D:\\Bench\\quorvath.exe"), L"D:\\Bench\\");
  EXPECT_EQ(AppDirFor(L"C:\\Program Files\\Quorvath\\quorvath.exe"),
            L"C:\\Program Files\\Quorvath\\");
}

TEST(AppDir, ADriveRootIsNotDoubled) {
  EXPECT_EQ(FolderOfPath(L"C:\\quorvath.exe"), L"C:\\");
  EXPECT_EQ(AppDirFor(L"C:\\quorvath.exe"), L"C:\\");
}

TEST(AppDir, NetworkFoldersAreKeptAsTheyAre) {
  EXPECT_EQ(AppDirFor(L"\\\\server\\share\\quorvath.exe"), L"\\\\server\\share\\");
}

TEST(WithTrailingBackslash, AddsOnlyWhatIsMissing) {
  EXPECT_EQ(WithTrailingBackslash(L"D:\\Bench"), L"D:\\Bench\\");
  EXPECT_EQ(WithTrailingBackslash(L"D:\\Bench\\"), L"D:\\Bench\\");
  EXPECT_EQ(WithTrailingBackslash(L"C:\\"), L"C:\\");
}

}  // namespace
}  // namespace quorvath
