// The history's files: saved without replacing one, listed, read back, renamed and moved to the
// Recycle Bin, with nothing lost where a step fails.
#include "runs/history.h"

#include <gtest/gtest.h>

#include <cstring>

#include "test_support.h"

namespace quorvath {
namespace {

using namespace testing;

std::vector<std::wstring> Listed(const std::wstring& folder) {
  std::vector<std::wstring> files;
  for (const HistoryEntry& entry : ListHistory(folder)) files.push_back(RunFileName(entry.name));
  return files;
}

TEST(History, SavesUnderANameNoOtherFileHasListsTheRunsOfATestAndReadsThemBack) {
  ScratchFolder root;
  const std::wstring folder = root / L"Documents\\Quorvath\\Results";  // made when missing
  const SavedRun run = {{{L"1280 x 1024", L"Deck, 16", L"1", L"2", L"3"}}};
  const RunName name{L"2026-12-07 14-03-22", TestKind::kHigh, L"1280 x 1024", 1, L""};
  std::vector<std::wstring> paths;
  for (int copy = 1; copy <= 3; ++copy) {
    const SavedFile saved = SaveRun(folder, name, run);
    EXPECT_EQ(saved.error, 0u);
    EXPECT_EQ(saved.name.copy, copy);
    paths.push_back(saved.path);
  }
  EXPECT_EQ(paths[2], folder + L"\\2026-12-07 14-03-22 High Quality 1280 x 1024 (3).csv");
  SaveRun(folder, {L"2026-12-08 09-00-00", TestKind::kHigh, L"1280 x 1024", 1, L""}, run);
  SaveRun(folder, {L"2026-12-09 09-00-00", TestKind::kHigh, L"All Resolutions", 1, L""}, run);
  SaveRun(folder, {L"2026-12-09 09-00-00", TestKind::kLow, L"1280 x 1024", 1, L""}, run);
  WriteFileBytes(folder + L"\\2026-12-10 09-00-00 High Quality 1280 x 1024 notes.csv", "x");
  CreateFolders(folder + L"\\2026-12-11 09-00-00 High Quality 1280 x 1024.csv");
  std::vector<std::wstring> listed;
  for (const RunName& found : ListRuns(folder, TestKind::kHigh, L"1280 x 1024")) {
    listed.push_back(RunFileName(found));
  }
  EXPECT_EQ(listed,
            (std::vector<std::wstring>{L"2026-12-08 09-00-00 High Quality 1280 x 1024.csv",
                                       L"2026-12-07 14-03-22 High Quality 1280 x 1024 (3).csv",
                                       L"2026-12-07 14-03-22 High Quality 1280 x 1024 (2).csv",
                                       L"2026-12-07 14-03-22 High Quality 1280 x 1024.csv"}));
  EXPECT_EQ(ReadRun(paths[0]), run);
  EXPECT_EQ(ReadRun(folder + L"\\2026-12-10 09-00-00 High Quality 1280 x 1024 notes.csv"),
            std::nullopt);
  EXPECT_EQ(GetFileAttributesW(
                (root / L"Documents\\Quorvath\\" + RunFileName(name) + L".partial").c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(WriteFileWhole(paths[0], "replaced"), 0u);
  EXPECT_EQ(ReadFileBytes(paths[0]), "replaced");
}

// A rename writes the whole file anew under the new name before the old one goes: a
// temporary file that cannot be written, or an old file that cannot go, leaves the run as it
// was. A file of the first format gets the new one; a file that is no run is not touched.
TEST(History, RenamesARunOrLeavesItAsItWas) {
  ScratchFolder root;
  const std::wstring folder = root / L"Results";
  const RunName name{L"2026-12-07 14-03-22", TestKind::kHigh, L"1280 x 1024", 1, L"old"};
  const std::string old_run =
      "\xEF\xBB\xBFResolution,Level,Low FPS,Average FPS,High FPS\r\n1280 x 1024,Deck,1,2,3\r\n";
  WriteFileBytes(RunPath(folder, name), old_run);
  const std::wstring taken = L"2026-12-07 14-03-22 High Quality 1280 x 1024 - new.csv";
  WriteFileBytes(folder + L"\\" + taken, "taken");
  WriteFileBytes(folder + L"\\notes.csv", "not listed");
  const std::vector<std::wstring> before = {taken, RunFileName(name)};
  ASSERT_EQ(Listed(folder), before);

  const std::wstring partial = root / (taken + L".partial");
  CreateFolders(partial);  // where the temporary file would go
  RenamedRun renamed = RenameRun(folder, name, L"new");
  EXPECT_EQ(renamed.error, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(renamed.name, name);
  RemoveDirectoryW(partial.c_str());
  const HANDLE held = CreateFileW(RunPath(folder, name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  renamed = RenameRun(folder, name, L"new");
  CloseHandle(held);
  EXPECT_EQ(renamed.error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(renamed.name, name);
  EXPECT_EQ(Listed(folder), before);
  EXPECT_EQ(ReadFileBytes(RunPath(folder, name)), old_run);
  EXPECT_EQ(GetFileAttributesW(partial.c_str()), INVALID_FILE_ATTRIBUTES);

  renamed = RenameRun(folder, name, L"new");
  EXPECT_EQ(renamed.error, 0u);
  EXPECT_EQ(RunFileName(renamed.name),
            L"2026-12-07 14-03-22 High Quality 1280 x 1024 - new (2).csv");
  EXPECT_EQ(Listed(folder), (std::vector<std::wstring>{RunFileName(renamed.name), taken}));
  EXPECT_EQ(ReadFileBytes(RunPath(folder, renamed.name)),
            "\xEF\xBB\xBF" + Utf8(kRunCsvHeader) + "\r\n1280 x 1024,Deck,1,2,3,new,,,,,,,,,,\r\n");
  renamed = RenameRun(folder, *ParseRunFileName(taken), L"other");
  EXPECT_TRUE(renamed.not_a_run);
  EXPECT_EQ(ReadFileBytes(folder + L"\\" + taken), "taken");
}

// Of three runs, the one held open stays, with the reason; the others are in the Recycle Bin.
// Wine keeps that in the Linux folder XDG_DATA_HOME: for this test, one in its scratch folder.
TEST(History, MovesRunsToTheRecycleBinAndKeepsThoseItCannotMove) {
  using UnixNameFn = LPSTR(CDECL*)(LPCWSTR);
  const auto unix_name = reinterpret_cast<UnixNameFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (unix_name == nullptr) GTEST_SKIP() << "the user's own Recycle Bin is left alone";
  ScratchFolder root;
  const std::wstring trash = root / L"data\\Trash\\";
  CreateFolders(trash);
  const LPSTR data = unix_name((root / L"data").c_str());
  SetEnvironmentVariableW(L"XDG_DATA_HOME", (std::wstring(data, data + strlen(data))).c_str());
  HeapFree(GetProcessHeap(), 0, data);
  const std::wstring folder = root / L"Results";
  std::vector<RunName> names;
  for (const TestKind test : {TestKind::kCpu, TestKind::kHigh, TestKind::kLow}) {
    names.push_back({L"2026-12-07 14-03-22", test, test == TestKind::kCpu ? L"" : L"1024 x 768"});
    WriteFileBytes(RunPath(folder, names.back()), "run");
  }
  const HANDLE held = CreateFileW(RunPath(folder, names[1]).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  const std::vector<UnmovedRun> unmoved = RecycleRuns(nullptr, folder, names);
  CloseHandle(held);
  ASSERT_EQ(unmoved.size(), 1u);
  EXPECT_EQ(unmoved[0].name, names[1]);
  EXPECT_EQ(unmoved[0].error, static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(Listed(folder), std::vector<std::wstring>{RunFileName(names[1])});
  for (const RunName& moved : {names[0], names[2]}) {
    EXPECT_EQ(ReadFileBytes(trash + L"files\\" + RunFileName(moved)), "run");
  }
  SetEnvironmentVariableW(L"XDG_DATA_HOME", nullptr);
}

}  // namespace
}  // namespace quorvath
