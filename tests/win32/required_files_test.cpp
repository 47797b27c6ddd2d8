#include "core/startup.h"

#include <gtest/gtest.h>

#include "runs/batch_files.h"
#include "scratch_folder.h"

namespace quorvath {
namespace {

using testing::ScratchFolder;
using testing::WriteFileBytes;

// A program folder holding every required file.
void LayOutKit(const ScratchFolder& folder) {
  for (const std::wstring_view relative : kRequiredFiles) WriteFileBytes(folder / relative, "x");
}

TEST(FindFirstMissingFile, NothingWhenEveryFileIsThere) {
  ScratchFolder folder;
  LayOutKit(folder);
  EXPECT_EQ(FindFirstMissingFile(folder.path()), std::nullopt);
}

TEST(FindFirstMissingFile, NamesTheFirstMissingFileInTableOrder) {
  ScratchFolder folder(L"Bench kit");
  LayOutKit(folder);
  // Only the three Low Quality batch files missing: the 1024 one is named.
  for (const wchar_t* name :
       {L"Low Quality\\lq-flyby-benchmark_1600.bat", L"Low Quality\\lq-flyby-benchmark_1024.bat",
        L"Low Quality\\lq-flyby-benchmark_1280.bat"}) {
    ASSERT_TRUE(DeleteFileW((folder / name).c_str()));
  }
  EXPECT_EQ(FindFirstMissingFile(folder.path()),
            folder / L"Low Quality\\lq-flyby-benchmark_1024.bat");

  ASSERT_TRUE(DeleteFileW((folder / L"CPU Test\\CPU_LowDetail.ini").c_str()));
  EXPECT_EQ(FindFirstMissingFile(folder.path()), folder / L"CPU Test\\CPU_LowDetail.ini");
}

TEST(FindFirstMissingFile, EachFileIsChecked) {
  for (const std::wstring_view relative : kRequiredFiles) {
    ScratchFolder folder;
    LayOutKit(folder);
    ASSERT_TRUE(DeleteFileW((folder / relative).c_str()));
    EXPECT_EQ(FindFirstMissingFile(folder.path()), folder / relative);
  }
}

TEST(FindFirstMissingFile, ReadOnlyHiddenAndSystemFilesCount) {
  ScratchFolder folder;
  LayOutKit(folder);
  ASSERT_TRUE(SetFileAttributesW((folder / kRequiredFiles[0]).c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(SetFileAttributesW((folder / kRequiredFiles[1]).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW((folder / kRequiredFiles[2]).c_str(),
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(FindFirstMissingFile(folder.path()), std::nullopt);
}

TEST(FindFirstMissingFile, AFolderNamedLikeARequiredFileDoesNotCount) {
  ScratchFolder folder;
  LayOutKit(folder);
  const std::wstring path = folder / L"High Quality\\hq-flyby-benchmark_1280.bat";
  ASSERT_TRUE(DeleteFileW(path.c_str()));
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  EXPECT_EQ(FindFirstMissingFile(folder.path()), path);
}

TEST(FindFirstMissingFile, WorksFromAFolderOutsideTheAnsiCodePage) {
  ScratchFolder folder(L"Prüfung \u03A9\u4E2D");
  LayOutKit(folder);
  EXPECT_EQ(FindFirstMissingFile(folder.path()), std::nullopt);
  ASSERT_TRUE(DeleteFileW((folder / kRequiredFiles[3]).c_str()));
  EXPECT_EQ(FindFirstMissingFile(folder.path()), folder / kRequiredFiles[3]);
}

TEST(MissingFileMessage, NamesTheFullPath) {
  EXPECT_EQ(MissingFileMessage(L"D:\\Bench\\CPU Test\\CPU_LowDetail.ini"),
            L"The file: D:\\Bench\\CPU Test\\CPU_LowDetail.ini is needed to run.");
}

}  // namespace
}  // namespace quorvath
