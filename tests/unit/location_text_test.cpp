#include "core/location_text.h"

#include <gtest/gtest.h>

namespace quorvath {
namespace {

TEST(GameFolderFromLocationText, TakesTheFirstFieldOfTheFirstLineWithoutSurroundingSpaces) {
  EXPECT_EQ(GameFolderFromLocationText(L"   C:\\Games\\Alpha   \r\n"), L"C:\\Games\\Alpha");
  EXPECT_EQ(GameFolderFromLocationText(L"C:\\Games\\Alpha,Beta\r\n"), L"C:\\Games\\Alpha");
  EXPECT_EQ(GameFolderFromLocationText(L"\"C:\\Games\\Alpha,Beta\"\r\n"), L"C:\\Games\\Alpha,Beta");
  EXPECT_EQ(GameFolderFromLocationText(L"\" C:\\Spaced Out \""), L"C:\\Spaced Out");
}

TEST(GameFolderFromLocationText, OnlyTheFirstLineCounts) {
  EXPECT_EQ(GameFolderFromLocationText(L"D:\\Game\r\nE:\\Other\r\nF:\\Third"), L"D:\\Game");
  EXPECT_EQ(GameFolderFromLocationText(L"D:\\Game"), L"D:\\Game");
}

TEST(GameFolderFromLocationText, AnEmptyOrBlankFirstLineNamesNoFolder) {
  EXPECT_EQ(GameFolderFromLocationText(L""), std::nullopt);
  EXPECT_EQ(GameFolderFromLocationText(L"\r\nC:\\Games"), std::nullopt);
  EXPECT_EQ(GameFolderFromLocationText(L"     \r\n"), std::nullopt);
  EXPECT_EQ(GameFolderFromLocationText(L"  ,C:\\Games"), std::nullopt);
  EXPECT_EQ(GameFolderFromLocationText(L"\"  \""), std::nullopt);
}

}  // namespace
}  // namespace quorvath
