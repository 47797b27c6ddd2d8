#include "runs/benchmark_folder.h"

#include <gtest/gtest.h>

#include "core/file_system.h"
#include "scratch_folder.h"

namespace quorvath {
namespace {

using testing::ReadFileBytes;
using testing::ScratchFolder;
using testing::WriteFileBytes;

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

TEST(MakeFolderPath, CreatesTheMissingChainBelowAnExistingFolder) {
  ScratchFolder root;
  ASSERT_TRUE(CreateDirectoryW((root / L"Games").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((root / L"Games\\Alpha").c_str(), nullptr));
  MakeFolderPath(root / L"Games\\Alpha\\Benchmark\\CPU_LowDetail");
  EXPECT_TRUE(IsFolder(root / L"Games\\Alpha\\Benchmark"));
  EXPECT_TRUE(IsFolder(root / L"Games\\Alpha\\Benchmark\\CPU_LowDetail"));
}

TEST(MakeFolderPath, CreatesTheGameFolderItselfWhenItsParentExists) {
  ScratchFolder root;
  CreateDirectoryW((root / L"Games").c_str(), nullptr);
  MakeFolderPath(root / L"Games\\Alpha\\Benchmark\\Custom_MaxDetail");
  EXPECT_TRUE(IsFolder(root / L"Games\\Alpha\\Benchmark\\Custom_MaxDetail"));
}

TEST(MakeFolderPath, ChangesNothingWhenEveryLevelExists) {
  ScratchFolder root;
  MakeFolderPath(root / L"A\\B");
  WriteFileBytes(root / L"A\\B\\keep.txt", "kept");
  FILETIME before{};
  {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW((root / L"A\\B").c_str(), GetFileExInfoStandard, &data));
    before = data.ftCreationTime;
  }
  MakeFolderPath(root / L"A\\B");
  WIN32_FILE_ATTRIBUTE_DATA after{};
  ASSERT_TRUE(GetFileAttributesExW((root / L"A\\B").c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(CompareFileTime(&before, &after.ftCreationTime), 0);
  EXPECT_EQ(ReadFileBytes(root / L"A\\B\\keep.txt"), "kept");
}

TEST(MakeFolderPath, IgnoresDriveRootsAndCreatesOneLevelBelowOne) {
  MakeFolderPath(L"C:\\");  // three characters: nothing to do, nothing to fail
  MakeFolderPath(L"C:");
  const std::wstring top = L"C:\\quorvath-makefolder-" + std::to_wstring(GetCurrentProcessId());
  MakeFolderPath(top);
  EXPECT_TRUE(IsFolder(top));
  RemoveDirectoryW(top.c_str());
}

TEST(MakeFolderPath, SkipsEveryLevelBelowOneThatCannotBeMade) {
  ScratchFolder root;
  // A file stands where the "Benchmark" folder should be.
  WriteFileBytes(root / L"Game\\Benchmark", "not a folder");
  MakeFolderPath(root / L"Game\\Benchmark\\CPU_LowDetail");
  EXPECT_FALSE(IsFolder(root / L"Game\\Benchmark"));
  EXPECT_FALSE(EntryExists(root / L"Game\\Benchmark\\CPU_LowDetail"));
}

TEST(MakeFolder, CreatesNothingWhenTheParentIsMissing) {
  ScratchFolder root;
  MakeFolder(root / L"Missing\\Child\\");
  EXPECT_FALSE(EntryExists(root / L"Missing"));
  MakeFolder(root / L"Present\\");
  EXPECT_TRUE(IsFolder(root / L"Present"));
}

TEST(CopyIfExists, AMissingSourceCopiesNothing) {
  ScratchFolder root;
  WriteFileBytes(root / L"dest\\settings.ini", "old");
  EXPECT_FALSE(CopyIfExists(root / L"settings.ini", root / L"dest\\", true));
  EXPECT_EQ(ReadFileBytes(root / L"dest\\settings.ini"), "old");
}

TEST(CopyIfExists, ASourceFolderIsNotAFile) {
  ScratchFolder root;
  CreateDirectoryW((root / L"settings.ini").c_str(), nullptr);
  CreateDirectoryW((root / L"dest").c_str(), nullptr);
  EXPECT_FALSE(CopyIfExists(root / L"settings.ini", root / L"dest\\", true));
  EXPECT_FALSE(EntryExists(root / L"dest\\settings.ini"));
}

TEST(CopyIfExists, IntoAFolderUnderTheFilesOwnName) {
  ScratchFolder root;
  WriteFileBytes(root / L"CPU Test\\CPU_LowDetail.ini", "new");
  WriteFileBytes(root / L"Bench\\CPU_LowDetail.ini", "old");
  EXPECT_TRUE(CopyIfExists(root / L"CPU Test\\CPU_LowDetail.ini", root / L"Bench\\", true));
  EXPECT_EQ(ReadFileBytes(root / L"Bench\\CPU_LowDetail.ini"), "new");
}

TEST(CopyIfExists, WithoutTheFlagAnExistingFileIsKept) {
  ScratchFolder root;
  WriteFileBytes(root / L"a.ini", "new");
  WriteFileBytes(root / L"Bench\\a.ini", "old");
  EXPECT_FALSE(CopyIfExists(root / L"a.ini", root / L"Bench\\"));
  EXPECT_EQ(ReadFileBytes(root / L"Bench\\a.ini"), "old");
  EXPECT_TRUE(CopyIfExists(root / L"a.ini", root / L"Bench\\b.ini"));
  EXPECT_EQ(ReadFileBytes(root / L"Bench\\b.ini"), "new");
}

TEST(CopyIfExists, AMissingDestinationFolderFails) {
  ScratchFolder root;
  WriteFileBytes(root / L"a.ini", "new");
  EXPECT_FALSE(CopyIfExists(root / L"a.ini", root / L"Nowhere\\", true));
  EXPECT_FALSE(EntryExists(root / L"Nowhere"));
}

TEST(CopyIfExists, AReadOnlyDestinationIsAFalseResultNotAnError) {
  ScratchFolder root;
  WriteFileBytes(root / L"a.ini", "new");
  WriteFileBytes(root / L"Bench\\a.ini", "old");
  ASSERT_TRUE(SetFileAttributesW((root / L"Bench\\a.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(CopyIfExists(root / L"a.ini", root / L"Bench\\", true));
  EXPECT_EQ(ReadFileBytes(root / L"Bench\\a.ini"), "old");
}

}  // namespace
}  // namespace quorvath
