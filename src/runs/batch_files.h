// The files delivered beside the program: what it requires at start-up, the batch files
// it starts and the files it expects them to leave. All names are relative: program-folder
// names follow `app_dir` directly, game-folder names begin with a backslash and follow
// `game_dir`.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quorvath {

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

enum class TestKind { kCpu, kHigh, kLow };

// One benchmark test: where its settings go in the game folder, which batch file runs it
// and which result file that batch file leaves in the program folder.
struct TestRow {
  TestKind kind;
  std::wstring_view benchmark_folder;  // after game_dir, no trailing backslash
  std::wstring_view copy_destination;  // after game_dir, with the trailing backslash
  std::wstring_view settings_file;     // after app_dir
  std::wstring_view batch_file;        // after app_dir; for resolution tests the prefix
  bool runs_at_resolution;             // batch_file + resolution suffix + ".bat"
  std::wstring_view result_file;       // after app_dir
};

inline constexpr std::array<TestRow, 3> kTests = {{
    {TestKind::kCpu, L"\\Benchmark\\CPU_LowDetail", L"\\Benchmark\\CPU_LowDetail\\",
     L"CPU Test\\CPU_LowDetail.ini", L"CPU Test\\cpu-flyby-benchmark.bat", false,
     L"CPU_Test_FPS.txt"},
    {TestKind::kHigh, L"\\Benchmark\\Custom_MaxDetail", L"\\Benchmark\\Custom_MaxDetail\\",
     L"High Quality\\Custom_MaxDetail.ini", L"High Quality\\hq-flyby-benchmark_", true,
     L"HQ_FPS.txt"},
    {TestKind::kLow, L"\\Benchmark\\Custom_MinDetail", L"\\Benchmark\\Custom_MinDetail\\",
     L"Low Quality\\Custom_MinDetail.ini", L"Low Quality\\lq-flyby-benchmark_", true,
     L"LQ_FPS.txt"},
}};

const TestRow& TestRowFor(TestKind kind);

// The resolution entries of the main window, in list order; the first is the default.
inline constexpr std::wstring_view kAllResolutions = L"All Resolutions";
inline constexpr std::array<std::wstring_view, 4> kResolutions = {kAllResolutions, L"1024 x 768",
                                                                  L"1280 x 1024", L"1600 x 1200"};

// The first four characters of the chosen resolution's text ("All " for "All Resolutions"),
// or the whole text when it is shorter.
std::wstring_view ResolutionSuffix(std::wstring_view selected_res);

// The test's batch file, relative to app_dir: "High Quality\hq-flyby-benchmark_1280.bat".
std::wstring BatchFileFor(const TestRow& test, std::wstring_view selected_res);

}  // namespace quorvath
