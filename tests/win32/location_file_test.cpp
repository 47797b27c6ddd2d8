#include "core/location_file.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

namespace quorvath {
namespace {

using testing::ScratchFolder;
using testing::WriteFileBytes;

TEST(ReadLocationFile, ReadsTheFirstFieldOfTheFirstLine) {
  ScratchFolder folder;
  WriteFileBytes(folder / L"ut.out", "  C:\\Games\\Alpha  \r\nD:\\Other\r\n");
  EXPECT_EQ(ReadLocationFile(folder.path()), L"C:\\Games\\Alpha");
  WriteFileBytes(folder / L"ut.out", "\"C:\\Games\\Alpha,Beta\"\r\n");
  EXPECT_EQ(ReadLocationFile(folder.path()), L"C:\\Games\\Alpha,Beta");
  WriteFileBytes(folder / L"ut.out", "C:\\Games\\Alpha,Beta");
  EXPECT_EQ(ReadLocationFile(folder.path()), L"C:\\Games\\Alpha");
}

TEST(ReadLocationFile, NothingYetForAMissingEmptyOrBlankFile) {
  ScratchFolder folder;
  EXPECT_EQ(ReadLocationFile(folder.path()), std::nullopt);
  WriteFileBytes(folder / L"ut.out", "");
  EXPECT_EQ(ReadLocationFile(folder.path()), std::nullopt);
  WriteFileBytes(folder / L"ut.out", "    \r\nC:\\Games\r\n");
  EXPECT_EQ(ReadLocationFile(folder.path()), std::nullopt);
}

TEST(ReadLocationFile, DecodesTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "written for the Western code page";
  ScratchFolder folder;
  // "C:\Spiele\Größe" in Windows-1252.
  WriteFileBytes(folder / L"ut.out", "C:\\Spiele\\Gr\xF6\xDF" "e\r\n");
  EXPECT_EQ(ReadLocationFile(folder.path()), L"C:\\Spiele\\Gr\u00F6\u00DFe");
}

TEST(ReadLocationFile, ReadsAFileThatTheBatchFileStillHoldsOpen) {
  ScratchFolder folder;
  WriteFileBytes(folder / L"ut.out", "E:\\Game\r\n");
  HANDLE writer =
      CreateFileW((folder / L"ut.out").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadLocationFile(folder.path()), L"E:\\Game");
  CloseHandle(writer);
}

TEST(DeleteLocationFile, DeletesOnlyTheLocationFile) {
  ScratchFolder folder;
  WriteFileBytes(folder / L"ut.out", "C:\\G\r\n");
  WriteFileBytes(folder / L"HQ_FPS.txt", "kept");
  EXPECT_TRUE(DeleteLocationFile(folder.path()));
  EXPECT_EQ(GetFileAttributesW((folder / L"ut.out").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW((folder / L"HQ_FPS.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  DWORD error = 0;
  EXPECT_FALSE(DeleteLocationFile(folder.path(), &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace quorvath
