#include <gtest/gtest.h>

#include "core/file_system.h"
#include "runs/benchmark_folder.h"
#include "scratch_folder.h"

namespace quorvath {
namespace {

using testing::ScratchFolder;

// A folder path of about `length` characters below the scratch folder.
std::wstring DeepFolder(const ScratchFolder& root, std::size_t length) {
  std::wstring path = root.path();
  for (int level = 0; path.size() < length; ++level) {
    path += L"level " + std::to_wstring(level) + L" of a long path\\";
  }
  path.pop_back();
  return path;
}

TEST(ExtendedLengthPath, LeavesShortPathsAlone) {
  EXPECT_EQ(ExtendedLengthPath(L"C:\\Games\\Alpha"), L"C:\\Games\\Alpha");
}

TEST(ExtendedLengthPath, PrefixesLongPathsAndResolvesDots) {
  const std::wstring tail(260, L'x');
  EXPECT_EQ(ExtendedLengthPath(L"C:\\Games\\..\\Bench\\" + tail), L"\\\\?\\C:\\Bench\\" + tail);
  EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share\\" + tail),
            L"\\\\?\\UNC\\server\\share\\" + tail);
  const std::wstring already = L"\\\\?\\C:\\" + tail;
  EXPECT_EQ(ExtendedLengthPath(already), already);
}

TEST(LongPaths, FoldersBeyondMaxPathAreMadeAndFilesThereFound) {
  ScratchFolder root;
  const std::wstring folder = DeepFolder(root, 300);
  ASSERT_GT(folder.size(), static_cast<std::size_t>(MAX_PATH));
  MakeFolderPath(folder + L"\\Benchmark\\CPU_LowDetail");
  EXPECT_TRUE(EntryExists(folder + L"\\Benchmark\\CPU_LowDetail\\"));

  testing::WriteFileBytes(root / L"settings.ini", "[x]\r\n");
  EXPECT_TRUE(CopyIfExists(root / L"settings.ini", folder + L"\\Benchmark\\CPU_LowDetail\\", true));
  const std::wstring copy = folder + L"\\Benchmark\\CPU_LowDetail\\settings.ini";
  EXPECT_TRUE(IsFile(copy));
  EXPECT_TRUE(StampOf(copy).is_file);
  EXPECT_EQ(ReadSmallFile(copy), "[x]\r\n");
  DeleteFileW(ExtendedLengthPath(copy).c_str());
  // The scratch folder's own clean-up cannot reach that deep; remove the levels here.
  for (std::wstring level = folder + L"\\Benchmark\\CPU_LowDetail";
       level.size() > root.path().size(); level = level.substr(0, level.find_last_of(L'\\'))) {
    RemoveDirectoryW(ExtendedLengthPath(level).c_str());
  }
}

}  // namespace
}  // namespace quorvath
