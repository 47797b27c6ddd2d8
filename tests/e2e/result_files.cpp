#include "result_files.h"

namespace quorvath::testing {

namespace {

std::wstring Padded(const std::string& text, std::size_t width) {
  std::wstring wide(text.begin(), text.end());
  wide.resize(width, L' ');
  return wide;
}

}  // namespace

std::vector<Level> MakeLevels(int count) {
  std::vector<Level> levels;
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    levels.push_back({"Level-" + n + "-Bay", std::to_string(20 + i) + ".1" + n,
                      std::to_string(60 + i) + ".5" + n, std::to_string(140 + i) + ".9" + n});
  }
  return levels;
}

std::string ResultFileText(const std::vector<Level>& levels) {
  std::string text;
  for (const Level& level : levels) {
    text += level.name + "\r\n";
    text += level.low + " / " + level.average + " / " + level.high + " fps\r\n";
    text += "Frames 4821\r\n";
    text += "Seconds 61.2\r\n";
  }
  return text;
}

std::wstring ExpectedDataRow(const Level& level) {
  return Padded(level.name, 14) + L"\t" + Padded(level.low, 10) + L"\t" +
         Padded(level.average, 10) + L"\t" + Padded(level.high, 10);
}

std::vector<std::wstring> ExpectedDataRows(const std::vector<Level>& levels) {
  std::vector<std::wstring> rows;
  for (const Level& level : levels) rows.push_back(ExpectedDataRow(level));
  return rows;
}

std::vector<std::wstring> ExpectedAllResolutionRows(const std::vector<Level>& levels) {
  const wchar_t* captions[] = {L"1600 x 1200", L"1280 x 1024", L"1024 x 768"};
  std::vector<std::wstring> rows;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    rows.push_back(captions[i % 3]);
    rows.push_back(ExpectedDataRow(levels[i]));
    rows.push_back(L" ");
  }
  return rows;
}

}  // namespace quorvath::testing
