// The history's files: saved without replacing one, listed by test and resolution, read back.
#include "runs/history.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quorvath {
namespace {

using namespace testing;

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

}  // namespace
}  // namespace quorvath
