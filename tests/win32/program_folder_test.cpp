// The start-up checks, the location file and starting batch files, on real folders.
#include "runs/program_folder.h"

#include <gtest/gtest.h>

#include "runs/kit.h"
#include "test_support.h"

namespace quorvath {
namespace {

using namespace testing;

TEST(FindFirstMissingFile, NamesTheFirstMissingFileInTableOrder) {
  // In folders whose names need more than the ANSI code page, or reach past MAX_PATH.
  ScratchFolder root;
  for (const std::wstring& sub :
       {std::wstring(L"Bench \u03A9 \u4E2D\\"),
        std::wstring(120, L'x') + L"\\" + std::wstring(120, L'y') + L"\\"}) {
    const std::wstring app_dir = root / sub;
    const auto file = [&](std::size_t index) {
      return app_dir + std::wstring(kRequiredFiles[index]);
    };
    for (std::size_t i = 0; i < kRequiredFiles.size(); ++i) WriteFileBytes(file(i), "x");
    EXPECT_EQ(FindFirstMissingFile(app_dir), std::nullopt);
    // Read-only, hidden and system files count.
    ASSERT_TRUE(SetFileAttributesW((L"\\\\?\\" + file(4)).c_str(), FILE_ATTRIBUTE_READONLY |
                                                                       FILE_ATTRIBUTE_HIDDEN |
                                                                       FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(FindFirstMissingFile(app_dir), std::nullopt);
    for (const std::size_t missing : {10u, 9u, 8u}) {
      DeleteFileW((L"\\\\?\\" + file(missing)).c_str());
      EXPECT_EQ(FindFirstMissingFile(app_dir), file(missing));
    }
    // A folder named like the file is not the file.
    CreateFolders(file(8));
    EXPECT_EQ(FindFirstMissingFile(app_dir), app_dir + L"Low Quality\\lq-flyby-benchmark_1024.bat");
  }
  EXPECT_EQ(MissingFileMessage(L"D:\\Bench\\CPU Test\\CPU_LowDetail.ini"),
            L"The file: D:\\Bench\\CPU Test\\CPU_LowDetail.ini is needed to run.");
}

TEST(ReadLocationFile, ReadsTheFolderInTheAnsiCodePageOrWithAByteOrderMark) {
  ScratchFolder folder;
  const std::wstring game = L"C:\\Spiele \u0416 \u65E5\u672C";
  std::string utf16 = "\xFF\xFE";
  for (const wchar_t c : game + L"\r\nnext")
    utf16 += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  const struct {
    std::string bytes;
    std::optional<std::wstring> folder;
  } cases[] = {
      {"C:\\Caf\xe9", L"C:\\Caf\u00e9"},
      {"\xEF\xBB\xBF" + Utf8(game) + "\r\n", game},
      {utf16, game},
      {"   \r\n", std::nullopt},
      {"", std::nullopt},
  };
  EXPECT_EQ(ReadLocationFile(folder.path()), std::nullopt);  // no file yet
  for (const auto& c : cases) {
    WriteFileBytes(folder / L"ut.out", c.bytes);
    EXPECT_EQ(ReadLocationFile(folder.path()), c.folder) << c.bytes;
  }
  EXPECT_EQ(DeleteLocationFile(folder.path()), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(DeleteLocationFile(folder.path()), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(StartBatchFile, RunsTheFileInTheGivenFolderWithTheParameterOneOrSaysWhyNot) {
  ScratchFolder folder(L"Start here");
  WriteFileBytes(folder / L"Sub Folder\\run.bat",
                 "@echo off\r\n>\"%~dp0..\\seen.txt\" echo %1 %CD%\r\n");
  const BatchStart start = StartBatchFile(folder / L"Sub Folder\\run.bat", SW_HIDE, folder.path());
  ASSERT_TRUE(start.process);
  EXPECT_EQ(WaitForSingleObject(start.process.get(), 60'000), WAIT_OBJECT_0);
  EXPECT_EQ(ReadFileBytes(folder / L"seen.txt"),
            "1 " + Ansi(folder.path().substr(0, folder.path().size() - 1)) + "\r\n");

  // A path of MAX_PATH characters or more is refused before the interpreter would cut it.
  const auto longest = folder / (std::wstring(MAX_PATH - folder.path().size() - 4, L'b') + L".bat");
  WriteFileBytes(longest, "@echo off\r\n");
  for (const auto& [path, error] : {std::pair{folder / L"missing.bat", ERROR_FILE_NOT_FOUND},
                                    std::pair{longest, ERROR_FILENAME_EXCED_RANGE}})
    EXPECT_EQ(StartBatchFile(path, SW_HIDE, folder.path()).error, static_cast<DWORD>(error));
}

}  // namespace
}  // namespace quorvath
