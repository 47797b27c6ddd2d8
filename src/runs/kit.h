// The benchmark kit delivered beside the program, as the program sees it: the files it
// requires at start-up, the batch files it starts, the files it expects them to leave, and
// the few values the program shares between its parts. All names are relative: program-
// folder names follow `app_dir` directly, game-folder names begin with a backslash and follow
// `game_dir`.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvath {

struct AppState {
  // The program folder, always ending in one backslash; set once at start-up.
  std::wstring app_dir;
  // The game's installation folder as the location file gave it, without surrounding spaces;
  // empty until it is known.
  std::wstring game_dir;
  // The text of the resolution chosen in the main window.
  std::wstring selected_res;
};

// The one instance of the running program.
AppState& App();

// Checked in this order at start-up; the first one missing is named to the user.
inline constexpr std::array<std::wstring_view, 11> kRequiredFiles = {
    L"CPU Test\\CPU_LowDetail.ini",
    L"CPU Test\\get-loc.bat",
    L"CPU Test\\cpu-flyby-benchmark.bat",
    L"High Quality\\Custom_MaxDetail.ini",
    L"High Quality\\hq-flyby-benchmark_1024.bat",
    L"High Quality\\hq-flyby-benchmark_1280.bat",
    L"High Quality\\hq-flyby-benchmark_1600.bat",
    L"Low Quality\\Custom_MinDetail.ini",
    L"Low Quality\\lq-flyby-benchmark_1024.bat",
    L"Low Quality\\lq-flyby-benchmark_1280.bat",
    L"Low Quality\\lq-flyby-benchmark_1600.bat",
};

// Reports the game's installation folder as the first line of kLocationFile.
inline constexpr std::wstring_view kLocateBatchFile = L"CPU Test\\get-loc.bat";
inline constexpr std::wstring_view kLocationFile = L"ut.out";

// Every batch file receives this one-character text as its parameters.
inline constexpr std::wstring_view kBatchParameters = L"1";

// How often the program looks for the files the batch files leave.
inline constexpr unsigned kPollIntervalMs = 5000;

enum class TestKind { kCpu, kHigh, kLow };

// One benchmark test: where its settings go in the game folder, which batch file runs it
// and which result file that batch file leaves in the program folder.
struct TestRow {
  TestKind kind;
  std::wstring_view name;              // as the user knows it, in the history's file names
  std::wstring_view benchmark_folder;  // after game_dir, no trailing backslash
  std::wstring_view copy_destination;  // after game_dir, with the trailing backslash
  std::wstring_view settings_file;     // after app_dir
  std::wstring_view batch_file;        // after app_dir; for resolution tests the prefix
  bool runs_at_resolution;             // batch_file + resolution suffix + ".bat"
  std::wstring_view result_file;       // after app_dir
};

// clang-format off
inline constexpr std::array<TestRow, 3> kTests = {{
    // test, name     benchmark folder                copy destination
    //                settings file                          batch file                             at res.  result file
    {TestKind::kCpu,  L"CPU Test",     L"\\Benchmark\\CPU_LowDetail",     L"\\Benchmark\\CPU_LowDetail\\",
                      L"CPU Test\\CPU_LowDetail.ini",     L"CPU Test\\cpu-flyby-benchmark.bat",   false, L"CPU_Test_FPS.txt"},
    {TestKind::kHigh, L"High Quality", L"\\Benchmark\\Custom_MaxDetail",  L"\\Benchmark\\Custom_MaxDetail\\",
                      L"High Quality\\Custom_MaxDetail.ini", L"High Quality\\hq-flyby-benchmark_", true,  L"HQ_FPS.txt"},
    {TestKind::kLow,  L"Low Quality",  L"\\Benchmark\\Custom_MinDetail",  L"\\Benchmark\\Custom_MinDetail\\",
                      L"Low Quality\\Custom_MinDetail.ini",  L"Low Quality\\lq-flyby-benchmark_",  true,  L"LQ_FPS.txt"},
}};
// clang-format on

const TestRow& TestRowFor(TestKind kind);

// The resolution entries of the main window, in list order; the first is the default.
inline constexpr std::wstring_view kAllResolutions = L"All Resolutions";
inline constexpr std::array<std::wstring_view, 4> kResolutions = {kAllResolutions, L"1024 x 768",
                                                                  L"1280 x 1024", L"1600 x 1200"};

// The CPU test runs at this resolution, whatever is chosen.
inline constexpr std::wstring_view kCpuResolution = L"640 x 480";

// The first four characters of the chosen resolution's text ("All " for "All Resolutions"),
// or the whole text when it is shorter.
std::wstring_view ResolutionSuffix(std::wstring_view selected_res);

// The test's batch file, relative to app_dir: "High Quality\hq-flyby-benchmark_1280.bat".
std::wstring BatchFileFor(const TestRow& test, std::wstring_view selected_res);

// The game folder from the location file's decoded text: the first field of the first line
// without leading and trailing spaces. Nothing when that is empty.
std::optional<std::wstring> GameFolderFromLocationText(std::wstring_view text);

}  // namespace quorvath
