// The kit's tables as the program uses them, the OS names, folder paths and field reading.
#include <gtest/gtest.h>

#include "core/os_name.h"
#include "core/paths.h"
#include "runs/kit.h"

namespace quorvath {
namespace {

TEST(OsName, FollowsTheDecisionTableRowByRow) {
  struct Case {
    std::int32_t platform, major, minor;
    std::wstring_view name;
  };
  const Case cases[] = {
      {0, 3, 10, L"Win32s"},     {0, 6, 1, L"Win32s"},       {1, 4, 0, L"Windows 95"},
      {1, 3, 95, L"Windows 95"}, {1, 4, -1, L"Windows 95"},  {1, 4, 10, L"Windows 98"},
      {1, 4, 90, L"Windows 98"}, {1, 5, 0, L"Windows ME"},   {1, 7, 3, L"Windows ME"},
      {2, 3, 51, L"Windows NT"}, {2, 4, 0, L"Windows NT"},   {2, 5, 0, L"Windows 2000"},
      {2, 5, 1, L"Windows XP"},  {2, 5, 2, L"Windows XP"},   {2, 6, 0, L"Windows 2000"},
      {2, 6, 1, L"Windows XP"},  {2, 10, -1, L"Windows XP"}, {3, 10, 0, L"NONE"},
      {-1, 5, 1, L"NONE"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OsNameFor(c.platform, c.major, c.minor), c.name)
        << c.platform << " " << c.major << "." << c.minor;
  }
  for (const std::wstring_view name : {L"Windows NT", L"Windows 2000", L"Windows XP"}) {
    EXPECT_TRUE(IsSupportedOs(name));
  }
  for (const std::wstring_view name :
       {L"Win32s", L"Windows 95", L"Windows 98", L"Windows ME", L"NONE", L"windows xp"}) {
    EXPECT_FALSE(IsSupportedOs(name));
  }
}

TEST(BatchFileFor, TakesTheFirstFourCharactersOfTheResolutionForQualityTestsOnly) {
  const struct {
    TestKind test;
    std::wstring_view resolution;
    std::wstring_view file;
  } cases[] = {
      {TestKind::kHigh, L"All Resolutions", L"High Quality\\hq-flyby-benchmark_All .bat"},
      {TestKind::kLow, L"All Resolutions", L"Low Quality\\lq-flyby-benchmark_All .bat"},
      {TestKind::kHigh, L"1024 x 768", L"High Quality\\hq-flyby-benchmark_1024.bat"},
      {TestKind::kHigh, L"1280 x 1024", L"High Quality\\hq-flyby-benchmark_1280.bat"},
      {TestKind::kLow, L"1600 x 1200", L"Low Quality\\lq-flyby-benchmark_1600.bat"},
      {TestKind::kHigh, L"80", L"High Quality\\hq-flyby-benchmark_80.bat"},
      {TestKind::kCpu, L"1600 x 1200", L"CPU Test\\cpu-flyby-benchmark.bat"},
      {TestKind::kCpu, L"All Resolutions", L"CPU Test\\cpu-flyby-benchmark.bat"},
  };
  for (const auto& c : cases) EXPECT_EQ(BatchFileFor(TestRowFor(c.test), c.resolution), c.file);
}

TEST(GameFolderFromLocationText, IsTheFirstFieldOfTheFirstLineWithoutSurroundingSpaces) {
  const struct {
    std::wstring_view text;
    std::optional<std::wstring> folder;
  } cases[] = {
      {L"C:\\Games\\Alpha\r\n", L"C:\\Games\\Alpha"},
      {L"   C:\\Games\\Alpha   \r\n", L"C:\\Games\\Alpha"},
      {L"C:\\Games\\Alpha,Beta\r\n", L"C:\\Games\\Alpha"},
      {L"\"C:\\Games\\Alpha, Beta\"\r\n", L"C:\\Games\\Alpha, Beta"},
      {L"C:\\First\r\nC:\\Second\r\n", L"C:\\First"},
      {L"\tC:\\Tab\t", L"\tC:\\Tab\t"},
      {L"C:\\No line end", L"C:\\No line end"},
      {L"", std::nullopt},
      {L"    \r\nC:\\Second\r\n", std::nullopt},
      {L"\"\"\r\n", std::nullopt},
      {L"\"C:\\Open quote\r\nnext", L"C:\\Open quote"},
  };
  for (const auto& c : cases) EXPECT_EQ(GameFolderFromLocationText(c.text), c.folder);
}

TEST(Paths, FormTheProgramFolderAndTheLevelsOfAFolderPath) {
  EXPECT_EQ(WithTrailingBackslash(FolderOfPath(L"D:\\Bench\\quorvath.exe")), L"D:\\Bench\\");
  EXPECT_EQ(WithTrailingBackslash(FolderOfPath(L"C:\\quorvath.exe")), L"C:\\");
  EXPECT_EQ(WithTrailingBackslash(FolderOfPath(L"\\\\server\\share\\q.exe")),
            L"\\\\server\\share\\");
  EXPECT_EQ(FolderLevels(L"C:\\Games\\Alpha\\Benchmark\\CPU_LowDetail"),
            (std::vector<std::wstring>{L"C:\\", L"C:\\Games\\", L"C:\\Games\\Alpha\\",
                                       L"C:\\Games\\Alpha\\Benchmark\\",
                                       L"C:\\Games\\Alpha\\Benchmark\\CPU_LowDetail\\"}));
  EXPECT_EQ(FolderLevels(L"C:\\A"), (std::vector<std::wstring>{L"C:\\", L"C:\\A\\"}));
  EXPECT_EQ(FolderLevels(L"C:\\A\\"),
            (std::vector<std::wstring>{L"C:\\", L"C:\\A\\", L"C:\\A\\\\"}));
  EXPECT_TRUE(FolderLevels(L"C:\\").empty());
  EXPECT_TRUE(FolderLevels(L"C:").empty());
  EXPECT_EQ(ParentFolder(L"C:\\Games\\Alpha\\"), L"C:\\Games");
  EXPECT_EQ(ParentFolder(L"C:\\A\\"), L"C:");
  EXPECT_EQ(ParentFolder(L"C:\\"), std::nullopt);
  EXPECT_EQ(ParentFolder(L""), std::nullopt);
}

}  // namespace
}  // namespace quorvath
