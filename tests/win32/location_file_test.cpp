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
  WriteFileBytes(folder / L"ut.out",
                 "C:\\Spiele\\Gr\xF6\xDF"
                 "e\r\n");
  EXPECT_EQ(ReadLocationFile(folder.path()), L"C:\\Spiele\\Gr\u00F6\u00DFe");
}

TEST(ReadLocationFile, AByteOrderMarkNamesAFolderOutsideTheAnsiCodePage) {
  ScratchFolder folder;
  // "D:\Игры Ω" in UTF-8, then in UTF-16.
  WriteFileBytes(folder / L"ut.out",
                 "\xEF\xBB\xBF  D:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B \xCE\xA9  \r\nnext\r\n");
  EXPECT_EQ(ReadLocationFile(folder.path()), L"D:\\\u0418\u0433\u0440\u044B \u03A9");
  const std::wstring text = L"\"E:\\\u4E2D\u6587,1\"\r\n";
  std::string utf16 = "\xFF\xFE";
  for (const wchar_t c : text) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>((c >> 8) & 0xFF);
  }
  WriteFileBytes(folder / L"ut.out", utf16);
  EXPECT_EQ(ReadLocationFile(folder.path()), L"E:\\\u4E2D\u6587,1");
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
