// Result files for scripted test runs, and the rows a user should then see.
#pragma once

#include <string>
#include <vector>

namespace quorvath::testing {

struct Level {
  std::string name, low, average, high;
};

// `count` levels with distinct names and figures.
std::vector<Level> MakeLevels(int count);

// The file a benchmark leaves: per level its name, "low / average / high fps", and two
// further lines, each ending in CR LF.
std::string ResultFileText(const std::vector<Level>& levels);

// "name" padded to 14, each figure padded to 10, joined by single tabs.
std::wstring ExpectedDataRow(const Level& level);

// The rows of a High or Low Quality list run at "All Resolutions".
std::vector<std::wstring> ExpectedAllResolutionRows(const std::vector<Level>& levels);

std::vector<std::wstring> ExpectedDataRows(const std::vector<Level>& levels);

}  // namespace quorvath::testing
