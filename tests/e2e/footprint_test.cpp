// Over a series of runs the program writes only into the game's "\Benchmark\<test>" folders
// and deletes nothing but the location file it has read: a full listing of the program, game
// and current folders (names, sizes, times, attributes) before and after tells.
#include <gtest/gtest.h>

#include <map>

#include "program_driver.h"
#include "result_files.h"

namespace quorvath::testing {
namespace {

struct Entry {
  std::uint64_t size = 0;
  std::uint64_t write_time = 0;
  DWORD attributes = 0;
  friend bool operator==(const Entry&, const Entry&) = default;
};
using Listing = std::map<std::wstring, Entry>;

void List(const std::wstring& folder, const std::wstring& relative, Listing& listing) {
  WIN32_FIND_DATAW found{};
  HANDLE find = FindFirstFileW((folder + relative + L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool is_folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    Entry entry;
    entry.attributes = found.dwFileAttributes;
    if (!is_folder) {
      entry.size = (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
      entry.write_time = (std::uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) |
                         found.ftLastWriteTime.dwLowDateTime;
    }
    listing[relative + name + (is_folder ? L"\\" : L"")] = entry;
    if (is_folder) List(folder, relative + name + L"\\", listing);
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

Listing ListTree(const std::wstring& folder) {
  Listing listing;
  List(folder.back() == L'\\' ? folder : folder + L"\\", L"", listing);
  return listing;
}

// The listing without `sub_folder` (relative, ending in a backslash) and what is in it.
Listing Without(Listing listing, const std::wstring& sub_folder) {
  std::erase_if(listing, [&](const auto& entry) { return entry.first.rfind(sub_folder, 0) == 0; });
  return listing;
}

TEST(Footprint, WritesOnlyTheBenchmarkFoldersAndDeletesOnlyTheLocationFile) {
  ProgramFolder folder;
  folder.ReportGameFolder();
  ScratchFolder current(L"Quorvath current");
  const std::wstring game = folder.game_dir() + L"\\";
  WriteFileBytes(game + L"game.exe", "the game");
  WriteFileBytes(game + L"Benchmark\\Custom_MaxDetail\\old-score.txt", "kept");
  WriteFileBytes(game + L"Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini", "[older]\r\n");
  folder.WriteResultBatch(L"CPU Test\\cpu-flyby-benchmark.bat", L"CPU_Test_FPS.txt",
                          ResultFileText(MakeLevels(3)));
  folder.WriteResultBatch(L"High Quality\\hq-flyby-benchmark_1280.bat", L"HQ_FPS.txt",
                          ResultFileText(MakeLevels(2)));
  folder.WriteResultBatch(L"Low Quality\\lq-flyby-benchmark_All .bat", L"LQ_FPS.txt",
                          ResultFileText(MakeLevels(6)));
  folder.WriteBatch(L"High Quality\\hq-flyby-benchmark_1024.bat", "rem leaves nothing\n");

  // The scratch game folder lies inside the program folder; each is compared on its own.
  const std::wstring game_inside = game.substr(folder.path().size());
  const Listing program_before = Without(ListTree(folder.path()), game_inside);
  const Listing game_before = ListTree(game);
  {
    RunningProgram program(folder.exe(), current.path());
    const MainWindow main = FindMainWindow(program);
    ASSERT_NE(main.window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));
    Click(main.cpu);
    ASSERT_NE(program.WaitForWindow(L"CPU Test Results", 15s), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 3s));
    Click(main.low);
    ASSERT_NE(program.WaitForWindow(L"Low Quality Test Results: All Resolutions", 15s), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 3s));
    main.ChooseResolution(L"1280 x 1024");
    Click(main.high);
    ASSERT_NE(program.WaitForWindow(L"High Quality Test Results: 1280 x 1024", 15s), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 3s));
    // A run that leaves nothing: the program is closed while it waits.
    main.ChooseResolution(L"1024 x 768");
    Click(main.high);
    ASSERT_TRUE(WaitUntil([&] { return main.TestsDisabled(); }, 30s));
    PostMessageW(main.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(program.WaitForExit(5s));
  }
  const Listing program_after = Without(ListTree(folder.path()), game_inside);
  const Listing game_after = ListTree(game);

  // The program folder: all as it was; new only what the batch files wrote.
  for (const auto& [name, entry] : program_before) {
    const auto now = program_after.find(name);
    ASSERT_NE(now, program_after.end()) << "deleted: " << Ansi(name);
    EXPECT_EQ(now->second, entry) << "changed: " << Ansi(name);
  }
  for (const auto& [name, entry] : program_after) {
    if (program_before.count(name) != 0) continue;
    EXPECT_TRUE(name == L"starts.log" || name == L"CPU_Test_FPS.txt" || name == L"HQ_FPS.txt" ||
                name == L"LQ_FPS.txt")
        << "new in the program folder: " << Ansi(name);
  }
  EXPECT_EQ(program_after.count(L"ut.out"), 0u);

  // The game folder: all as it was but the settings copy it replaced; new only the test
  // folders and their settings files.
  for (const auto& [name, entry] : game_before) {
    const auto now = game_after.find(name);
    ASSERT_NE(now, game_after.end()) << "deleted: " << Ansi(name);
    if (name == L"Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini") continue;
    EXPECT_EQ(now->second, entry) << "changed: " << Ansi(name);
  }
  for (const auto& [name, entry] : game_after) {
    if (game_before.count(name) != 0) continue;
    EXPECT_TRUE(name == L"Benchmark\\Custom_MaxDetail\\Custom_MaxDetail.ini" ||
                name == L"Benchmark\\Custom_MinDetail\\" ||
                name == L"Benchmark\\Custom_MinDetail\\Custom_MinDetail.ini")
        << "new in the game folder: " << Ansi(name);
  }
  EXPECT_EQ(ReadFileBytes(game + L"Benchmark\\CPU_LowDetail\\CPU_LowDetail.ini"),
            ReadFileBytes(folder / L"CPU Test\\CPU_LowDetail.ini"));
  EXPECT_TRUE(ListTree(current.path()).empty()) << "the program wrote into its current folder";
}

}  // namespace
}  // namespace quorvath::testing
