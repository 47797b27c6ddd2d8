// The demo kit keeps the contract a kit must meet, run as Quorvath runs it: from a program
// folder whose name holds blanks, letters outside ASCII and the command interpreter's special
// characters, with another current folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "results/fps_reader.h"
#include "runs/kit.h"
#include "runs/program_folder.h"
#include "runs/test_run.h"
#include "test_support.h"

namespace quorvath {
namespace {

using namespace testing;

std::wstring BesideThisProgram(std::wstring_view name) {
  wchar_t self[MAX_PATH * 2] = {};
  const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH * 2));
  return path.substr(0, path.find_last_of(L'\\') + 1) + std::wstring(name);
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
  CreateFolders(to);
  WIN32_FIND_DATAW entry{};
  const HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &entry);
  for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &entry)) {
    const std::wstring name = entry.cFileName, source = from + L"\\" + name,
                       target = to + L"\\" + name;
    if (name == L"." || name == L"..") continue;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) CopyTree(source, target);
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      CopyFileW(source.c_str(), target.c_str(), FALSE);
  }
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

// A scratch program folder holding the demo kit.
struct KitFolder {
  ScratchFolder folder{L"Kit \u00e9t\u00e9 & (x), y; z'!^= test"};
  ScratchFolder elsewhere{L"Somewhere else"};
  KitFolder() {
    CopyTree(BesideThisProgram(L"demo-kit"), folder.path().substr(0, folder.path().size() - 1));
  }

  // Runs a batch file as Quorvath does, but in another current folder, to its end.
  DWORD Run(const std::wstring& batch) const {
    const BatchStart start = StartBatchFile(folder / batch, SW_HIDE, elsewhere.path());
    DWORD exit_code = 999;
    if (start.process && WaitForSingleObject(start.process.get(), 120'000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(start.process.get(), &exit_code);
    }
    return exit_code;
  }
};

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end = 0; at < bytes.size(); at = end + 2) {
    end = std::min(bytes.find("\r\n", at), bytes.size());
    lines.push_back(bytes.substr(at, end - at));
  }
  return lines;
}

template <std::size_t Width>
double Figure(const FixedText<Width>& text) {
  const std::u16string_view units = text.units();
  return std::stod(std::string(units.begin(), units.end()));
}

// The rules a result file must meet beyond what the reader copes with: ASCII, CR LF line ends,
// no comma, no quote, figures lines "low / average / high fps" with figures in increasing
// order.
void CheckResultFormat(const std::string& bytes, std::size_t groups) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80 && c != ',' && c != '"') << "byte " << i;
    EXPECT_EQ(c == '\r', i + 1 < bytes.size() && bytes[i + 1] == '\n') << "byte " << i;
  }
  const std::vector<std::string> lines = Lines(bytes);
  EXPECT_EQ(lines.size(), 4 * groups);
  for (std::size_t figures = 1; figures < lines.size(); figures += 4) {
    EXPECT_EQ(lines[figures].substr(lines[figures].size() - 4), " fps") << lines[figures];
  }
  const FpsReadResult read = ReadFpsBytes(bytes);
  EXPECT_FALSE(read.damaged());
  EXPECT_EQ(read.records.size(), groups);
  for (const FpsRecord& record : read.records) {
    EXPECT_LT(0, Figure(record.fps_low));
    EXPECT_LT(Figure(record.fps_low), Figure(record.fps_avg));
    EXPECT_LT(Figure(record.fps_avg), Figure(record.fps_high));
  }
}

TEST(DemoKit, ReportsTheGameFolderInTheLocationFileWithNothingLeftBehind) {
  const KitFolder kit;
  ASSERT_EQ(kit.Run(std::wstring(kLocateBatchFile)), 0u);
  EXPECT_EQ(ReadLocationFile(kit.folder.path()), kit.folder / L"Demo Game");
  EXPECT_EQ(GetFileAttributesW((kit.folder / L"Demo Game").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesW((kit.folder / L"ut.out.partial").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Every test batch file at once, each in a program folder of its own: the earlier result is
// replaced by a complete one.
TEST(DemoKit, EveryTestBatchFileReplacesItsResultWithAWholeOneOfPlausibleFigures) {
  struct Run {
    Run(TestKind t, std::wstring_view r, std::size_t g) : test(t), resolution(r), groups(g) {}
    TestKind test;
    std::wstring_view resolution;
    std::size_t groups;
    std::unique_ptr<KitFolder> kit = std::make_unique<KitFolder>();
    BatchStart start;
  };
  std::vector<Run> runs;
  runs.emplace_back(TestKind::kCpu, L"", 7);
  for (const TestKind test : {TestKind::kHigh, TestKind::kLow}) {
    for (const std::wstring_view resolution : kResolutions) {
      runs.emplace_back(test, resolution, resolution == kAllResolutions ? 21u : 7u);
    }
  }
  for (Run& run : runs) {
    const TestRow& test = TestRowFor(run.test);
    const AppState app{run.kit->folder.path(), run.kit->folder / L"Demo Game",
                       std::wstring(run.resolution)};
    ASSERT_EQ(PrepareTestFolder(test, app), std::nullopt);
    WriteFileBytes(app.app_dir + std::wstring(test.result_file), "old result, no groups\r\n");
    run.start = StartBatchFile(app.app_dir + BatchFileFor(test, app.selected_res), SW_HIDE,
                               run.kit->elsewhere.path());
    ASSERT_TRUE(run.start.process);
  }
  for (Run& run : runs) {
    SCOPED_TRACE(Ansi(BatchFileFor(TestRowFor(run.test), run.resolution)));
    DWORD exit_code = 999;
    ASSERT_EQ(WaitForSingleObject(run.start.process.get(), 120'000), WAIT_OBJECT_0);
    GetExitCodeProcess(run.start.process.get(), &exit_code);
    EXPECT_EQ(exit_code, 0u);
    CheckResultFormat(
        ReadFileBytes(run.kit->folder / std::wstring(TestRowFor(run.test).result_file)),
        run.groups);
    EXPECT_EQ(GetFileAttributesW(
                  (run.kit->folder / (std::wstring(TestRowFor(run.test).result_file) + L".partial"))
                      .c_str()),
              INVALID_FILE_ATTRIBUTES);
  }
}

TEST(DemoKit, ATestWithoutItsSettingsFileFailsAndWritesNoResult) {
  const KitFolder kit;
  ASSERT_EQ(kit.Run(L"CPU Test\\cpu-flyby-benchmark.bat"), 3u);
  EXPECT_EQ(GetFileAttributesW((kit.folder / L"CPU_Test_FPS.txt").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

// The High Quality test at 1280 x 1024 reads DemoSpeed from the settings copy in the game's
// folder (the kit's own file stays at 1.00); no line or an invalid value means 1.00. Each
// average lies within 2.5 % of its fixed value, 5500 hundredths times the level's weight /
// 100 times DemoSpeed: a run moves it by at most 2 % and cuts hundredths, never more.
TEST(DemoKit, EveryAverageLiesNearItsFixedValueTimesTheDemoSpeedOfTheSettingsCopy) {
  // Cinder Keep 100, Frostmere 86, Hollow Spire 112, Sunken Vault 94, Ashen Docks 121,
  // Glasswood 79, Ironreach Gate 105.
  constexpr double kFixed[] = {55.00, 47.30, 61.60, 51.70, 66.55, 43.45, 57.75};
  const std::pair<std::string_view, double> cases[] = {{"DemoSpeed=1.00\r\n", 1.00},
                                                       {"DemoSpeed=1.05\r\n", 1.05},
                                                       {"", 1.00},
                                                       {"DemoSpeed=1,05\r\n", 1.00}};
  const KitFolder kit;
  const TestRow& test = TestRowFor(TestKind::kHigh);
  const AppState app{kit.folder.path(), kit.folder / L"Demo Game", L"1280 x 1024"};
  ASSERT_EQ(PrepareTestFolder(test, app), std::nullopt);
  const std::wstring copy =
      app.game_dir + std::wstring(test.copy_destination) + L"Custom_MaxDetail.ini";
  const std::string settings = ReadFileBytes(copy);
  const std::size_t at = settings.find("DemoSpeed=1.00\r\n", settings.find("\r\n[Demo]\r\n"));
  ASSERT_NE(at, std::string::npos);
  for (const auto& [speed_line, speed] : cases) {
    SCOPED_TRACE(speed_line.empty() ? "no DemoSpeed line" : std::string(speed_line));
    WriteFileBytes(copy, std::string(settings).replace(at, 16, speed_line));
    ASSERT_EQ(kit.Run(L"High Quality\\hq-flyby-benchmark_1280.bat"), 0u);
    const FpsReadResult read = ReadFpsBytes(ReadFileBytes(kit.folder / L"HQ_FPS.txt"));
    ASSERT_EQ(read.records.size(), std::size(kFixed));
    for (std::size_t level = 0; level < std::size(kFixed); ++level) {
      EXPECT_NEAR(Figure(read.records[level].fps_avg), kFixed[level] * speed,
                  kFixed[level] * speed * 0.025)
          << "level " << level;
    }
  }
}

}  // namespace
}  // namespace quorvath
