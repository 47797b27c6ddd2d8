#include "runs/history.h"

#include <cstdio>
#include <tuple>
#include <utility>

namespace quorvath {

namespace {

constexpr std::wstring_view kExtension = L".csv";
constexpr std::size_t kStampLength = 19;  // "2026-12-07 14-03-22"

bool IsStamp(std::wstring_view text) {
  constexpr std::wstring_view kShape = L"dddd-dd-dd dd-dd-dd";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const bool digit = text[i] >= L'0' && text[i] <= L'9';
    if (kShape[i] == L'd' ? !digit : text[i] != kShape[i]) return false;
  }
  return true;
}

// The copy number of " (N)", from 2 on, written without leading zeros.
std::optional<int> CopyNumber(std::wstring_view digits) {
  if (digits.empty() || digits.size() > 6 || digits[0] == L'0') return std::nullopt;
  int number = 0;
  for (const wchar_t c : digits) {
    if (c < L'0' || c > L'9') return std::nullopt;
    number = number * 10 + (c - L'0');
  }
  return number >= 2 ? std::optional<int>(number) : std::nullopt;
}

}  // namespace

std::wstring RunFileName(const RunName& name) {
  std::wstring file = name.stamp + L" " + std::wstring(TestRowFor(name.test).name);
  if (!name.resolution.empty()) file += L" " + name.resolution;
  if (name.copy > 1) file += L" (" + std::to_wstring(name.copy) + L")";
  return file + std::wstring(kExtension);
}

std::optional<RunName> ParseRunFileName(std::wstring_view file) {
  if (file.size() < kExtension.size() ||
      file.substr(file.size() - kExtension.size()) != kExtension) {
    return std::nullopt;
  }
  file.remove_suffix(kExtension.size());
  RunName name;
  if (!file.empty() && file.back() == L')') {
    const std::size_t open = file.rfind(L" (");
    if (open == std::wstring_view::npos) return std::nullopt;
    const std::optional<int> copy = CopyNumber(file.substr(open + 2, file.size() - open - 3));
    if (!copy) return std::nullopt;
    name.copy = *copy;
    file = file.substr(0, open);
  }
  if (file.size() <= kStampLength || !IsStamp(file.substr(0, kStampLength)) ||
      file[kStampLength] != L' ') {
    return std::nullopt;
  }
  name.stamp = file.substr(0, kStampLength);
  const std::wstring_view rest = file.substr(kStampLength + 1);
  for (const TestRow& test : kTests) {
    name.test = test.kind;
    if (!test.runs_at_resolution && rest == test.name) return name;
    if (!test.runs_at_resolution) continue;
    for (const std::wstring_view resolution : kResolutions) {
      if (rest == std::wstring(test.name) + L" " + std::wstring(resolution)) {
        name.resolution = resolution;
        return name;
      }
    }
  }
  return std::nullopt;
}

bool NewerFirst(const RunName& a, const RunName& b) {
  return std::tie(a.stamp, a.copy) > std::tie(b.stamp, b.copy);
}

std::wstring RunLabel(const RunName& name) {
  return name.copy > 1 ? name.stamp + L" (" + std::to_wstring(name.copy) + L")" : name.stamp;
}

std::wstring RunPath(const std::wstring& folder, const RunName& name) {
  return folder + L"\\" + RunFileName(name);
}

std::vector<RunName> EarlierRuns(std::vector<RunName> listed,
                                 const std::optional<RunName>& saved_as, std::size_t limit) {
  std::vector<RunName> earlier;
  for (RunName& name : listed) {
    if (earlier.size() == limit) break;
    // Runs saved after this one are no earlier runs.
    if (saved_as && !NewerFirst(*saved_as, name)) continue;
    earlier.push_back(std::move(name));
  }
  return earlier;
}

std::wstring RunStamp(int year, int month, int day, int hour, int minute, int second) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%04d-%02d-%02d %02d-%02d-%02d", year, month, day, hour, minute, second);
  return text;
}

std::wstring HistoryResolution(TestKind test, std::wstring_view selected_res) {
  return TestRowFor(test).runs_at_resolution ? std::wstring(selected_res) : std::wstring();
}

RowLayout LayoutFor(TestKind test, std::wstring_view selected_res) {
  if (!TestRowFor(test).runs_at_resolution) return RowLayout::kCpu;
  // Exactly that text, letter case included: any other choice is one resolution.
  return selected_res == kAllResolutions ? RowLayout::kResolutionCaptions
                                         : RowLayout::kOneResolution;
}

std::wstring_view RecordResolution(TestKind test, std::wstring_view selected_res) {
  return TestRowFor(test).runs_at_resolution ? selected_res : kCpuResolution;
}

}  // namespace quorvath
