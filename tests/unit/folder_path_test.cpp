#include "runs/folder_path.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

using Levels = std::vector<std::wstring>;

TEST(FolderLevels, WalksFromTheDriveDownwards) {
  EXPECT_EQ(
      FolderLevels(L"C:\\Games\\Alpha\\Benchmark\\CPU_LowDetail"),
      (Levels{L"C:\\", L"C:\\Games\\", L"C:\\Games\\Alpha\\", L"C:\\Games\\Alpha\\Benchmark\\",
              L"C:\\Games\\Alpha\\Benchmark\\CPU_LowDetail\\"}));
}

TEST(FolderLevels, IgnoresPathsOfThreeCharactersOrFewer) {
  EXPECT_TRUE(FolderLevels(L"C:\\").empty());
  EXPECT_TRUE(FolderLevels(L"C:").empty());
  EXPECT_TRUE(FolderLevels(L"").empty());
  EXPECT_EQ(FolderLevels(L"C:\\A"), (Levels{L"C:\\", L"C:\\A\\"}));
}

TEST(FolderLevels, KeepsEmptyParts) {
  EXPECT_EQ(FolderLevels(L"C:\\A\\"), (Levels{L"C:\\", L"C:\\A\\", L"C:\\A\\\\"}));
  EXPECT_EQ(FolderLevels(L"C:\\A\\\\B"),
            (Levels{L"C:\\", L"C:\\A\\", L"C:\\A\\\\", L"C:\\A\\\\B\\"}));
}

TEST(ParentFolder, IsTheTextBeforeTheLastBackslash) {
  EXPECT_EQ(ParentFolder(L"C:\\Games\\Alpha\\"), L"C:\\Games");
  EXPECT_EQ(ParentFolder(L"C:\\Games\\Alpha"), L"C:\\Games");
  EXPECT_EQ(ParentFolder(L"C:\\Games\\"), L"C:");
  EXPECT_EQ(ParentFolder(L"C:\\"), std::nullopt);
  EXPECT_EQ(ParentFolder(L""), std::nullopt);
  EXPECT_EQ(ParentFolder(L"Games"), std::nullopt);
}

}  // namespace
}  // namespace quorvath
