#include "runs/history.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <utility>

#include "results/chart_model.h"

namespace quorvath {

namespace {

constexpr std::wstring_view kExtension = L".csv";
constexpr std::size_t kStampLength = 19;  // "2026-12-07 14-03-22"

// The shape of a stamp whose time is separated by `separator`.
bool IsStamp(std::wstring_view text, wchar_t separator = L'-') {
  constexpr std::wstring_view kShape = L"dddd-dd-dd dd:dd:dd";
  if (text.size() != kShape.size()) return false;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const bool digit = text[i] >= L'0' && text[i] <= L'9';
    const wchar_t expected = kShape[i] == L':' ? separator : kShape[i];
    if (kShape[i] == L'd' ? !digit : text[i] != expected) return false;
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

// Whether `rest` starts with `piece`, which it then loses.
bool Strip(std::wstring_view& rest, std::wstring_view piece) {
  if (rest.substr(0, piece.size()) != piece) return false;
  rest.remove_prefix(piece.size());
  return true;
}

// Reads what follows the test and resolution, `rest`, into `name`: nothing, " (N)",
// " - label" or " - label (N)". A label that itself ends in " (N)" reads as a copy number; the
// saved file's Label column has it whole.
bool Tail(std::wstring_view rest, RunName& name) {
  name.copy = 1;
  name.label.clear();
  if (!rest.empty() && rest.back() == L')') {
    const std::size_t open = rest.rfind(L" (");
    const std::optional<int> copy = open == std::wstring_view::npos
                                        ? std::nullopt
                                        : CopyNumber(rest.substr(open + 2, rest.size() - open - 3));
    if (copy) {
      name.copy = *copy;
      rest = rest.substr(0, open);
    }
  }
  if (rest.empty()) return true;
  constexpr std::wstring_view kLabelMark = L" - ";
  if (rest.substr(0, kLabelMark.size()) != kLabelMark) return false;
  const std::wstring_view label = rest.substr(kLabelMark.size());
  if (label.empty() || TrimLabel(label) != label) return false;
  name.label = label;
  return true;
}

}  // namespace

std::wstring RunFileName(const RunName& name) {
  std::wstring file = name.stamp + L" " + std::wstring(TestRowFor(name.test).name);
  if (!name.resolution.empty()) file += L" " + name.resolution;
  if (!name.label.empty()) file += L" - " + name.label;
  if (name.copy > 1) file += L" (" + std::to_wstring(name.copy) + L")";
  return file + std::wstring(kExtension);
}

std::optional<RunName> ParseRunFileName(std::wstring_view file) {
  if (file.size() < kExtension.size() ||
      file.substr(file.size() - kExtension.size()) != kExtension) {
    return std::nullopt;
  }
  file.remove_suffix(kExtension.size());
  if (file.size() <= kStampLength || !IsStamp(file.substr(0, kStampLength)) ||
      file[kStampLength] != L' ') {
    return std::nullopt;
  }
  RunName name;
  name.stamp = file.substr(0, kStampLength);
  const std::wstring_view rest = file.substr(kStampLength + 1);
  // Taken apart in place: a history of thousands of names is read this way when listed.
  for (const TestRow& test : kTests) {
    std::wstring_view after_test = rest;
    if (!Strip(after_test, test.name)) continue;
    name.test = test.kind;
    if (!test.runs_at_resolution) {
      if (Tail(after_test, name)) return name;
      continue;
    }
    for (const std::wstring_view resolution : kResolutions) {
      std::wstring_view after = after_test;
      if (Strip(after, L" ") && Strip(after, resolution) && Tail(after, name)) {
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

std::wstring_view TrimLabel(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

std::wstring ForbiddenLabelCharacters(std::wstring_view label) {
  constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|";
  std::wstring found;
  for (const wchar_t c : label) {
    const bool bad = c < L' ' || c == 0x7F || kForbidden.find(c) != std::wstring_view::npos;
    if (bad && found.find(c) == std::wstring::npos) found += c;
  }
  return found;
}

std::wstring LabelProblem(std::wstring_view label) {
  if (label.size() > kMaxLabelLength) {
    return L"A label holds at most " + std::to_wstring(kMaxLabelLength) + L" characters.";
  }
  const std::wstring bad = ForbiddenLabelCharacters(label);
  if (bad.empty()) return {};
  std::wstring shown;
  bool control = false;
  for (const wchar_t c : bad) {
    if (c < L' ' || c == 0x7F) {
      control = true;
    } else {
      shown += (shown.empty() ? L"" : L" ") + std::wstring(1, c);
    }
  }
  if (control)
    shown += shown.empty() ? L"control characters such as tabs" : L" or control characters";
  return L"A label is part of the file name of each run, and a file name cannot hold " + shown +
         L".";
}

std::optional<StampParts> ParseStamp(std::wstring_view stamp) {
  if (!IsStamp(stamp) && !IsStamp(stamp, L':')) return std::nullopt;
  const auto number = [&](std::size_t at, std::size_t digits) {
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) value = value * 10 + (stamp[i] - L'0');
    return value;
  };
  return StampParts{number(0, 4),  number(5, 2),  number(8, 2),
                    number(11, 2), number(14, 2), number(17, 2)};
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

void Summarize(HistoryEntry& entry, const std::optional<SavedRun>& run) {
  entry.content = run ? HistoryEntry::Content::kRun : HistoryEntry::Content::kNotARun;
  entry.levels = 0;
  entry.average.reset();
  if (!run) return;
  entry.label = run->context.label;
  entry.computer = run->context.computer;
  entry.levels = run->records.size();
  double sum = 0;
  std::size_t numbers = 0;
  for (const SavedRecord& record : run->records) {
    if (const std::optional<double> average = PlainNumber(record.average)) {
      sum += *average;
      ++numbers;
    }
  }
  if (numbers > 0) entry.average = sum / static_cast<double>(numbers);
}

bool NeedsContent(HistoryColumn column) {
  // The label too: the file name does not always tell it whole.
  return column == HistoryColumn::kLabel || column == HistoryColumn::kComputer ||
         column == HistoryColumn::kLevels || column == HistoryColumn::kAverage;
}

std::wstring HistoryCellText(const HistoryEntry& entry, HistoryColumn column) {
  const bool run = entry.content == HistoryEntry::Content::kRun;
  switch (column) {
    case HistoryColumn::kDate:
      return entry.name.stamp;
    case HistoryColumn::kTest:
      return std::wstring(TestRowFor(entry.name.test).name);
    case HistoryColumn::kResolution:
      return std::wstring(RecordResolution(entry.name.test, entry.name.resolution));
    case HistoryColumn::kLabel:
      return entry.label;
    case HistoryColumn::kComputer:
      return entry.computer;
    case HistoryColumn::kLevels:
      return run ? std::to_wstring(entry.levels) : std::wstring();
    case HistoryColumn::kAverage: {
      if (!entry.average) return {};
      wchar_t text[64];
      std::swprintf(text, 64, L"%.2f", *entry.average);
      return text;
    }
  }
  return {};
}

namespace {

wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Letters without their case, numbers by value; texts alike that way in their exact order.
int CompareTexts(std::wstring_view a, std::wstring_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      while (i < a.size() && a[i] == L'0') ++i;
      while (j < b.size() && b[j] == L'0') ++j;
      std::size_t a_end = i, b_end = j;
      while (a_end < a.size() && IsDigit(a[a_end])) ++a_end;
      while (b_end < b.size() && IsDigit(b[b_end])) ++b_end;
      // Without leading zeros, the longer number is the larger one.
      if (a_end - i != b_end - j) return a_end - i < b_end - j ? -1 : 1;
      if (const int digits = a.substr(i, a_end - i).compare(b.substr(j, b_end - j))) return digits;
      i = a_end;
      j = b_end;
      continue;
    }
    if (LowerAscii(a[i]) != LowerAscii(b[j])) return LowerAscii(a[i]) < LowerAscii(b[j]) ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  return a.compare(b);
}

template <class Value>
int CompareValues(const Value& a, const Value& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// The order by a column of figures or dates; the other columns compare their texts.
int CompareBy(const HistoryEntry& a, const HistoryEntry& b, HistoryColumn column) {
  if (column == HistoryColumn::kDate) {
    return NewerFirst(a.name, b.name) ? 1 : (NewerFirst(b.name, a.name) ? -1 : 0);
  }
  if (column == HistoryColumn::kAverage) return CompareValues(a.average, b.average);
  // What is not known (no records of no run) comes before a run of no records.
  const auto levels = [](const HistoryEntry& entry) {
    return std::pair(entry.content == HistoryEntry::Content::kRun, entry.levels);
  };
  return CompareValues(levels(a), levels(b));
}

}  // namespace

void SortHistory(std::vector<HistoryEntry>& entries, HistoryColumn column, bool ascending) {
  const bool by_text = column != HistoryColumn::kDate && column != HistoryColumn::kLevels &&
                       column != HistoryColumn::kAverage;
  // Each text made once rather than at every comparison.
  std::vector<std::wstring> texts;
  if (by_text) {
    texts.reserve(entries.size());
    for (const HistoryEntry& entry : entries) texts.push_back(HistoryCellText(entry, column));
  }
  std::vector<std::size_t> order(entries.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int sign =
        by_text ? CompareTexts(texts[a], texts[b]) : CompareBy(entries[a], entries[b], column);
    if (sign != 0) return ascending ? sign < 0 : sign > 0;
    return NewerFirst(entries[a].name, entries[b].name);
  });
  std::vector<HistoryEntry> sorted;
  sorted.reserve(entries.size());
  for (const std::size_t i : order) sorted.push_back(std::move(entries[i]));
  entries = std::move(sorted);
}

std::wstring RunStamp(int year, int month, int day, int hour, int minute, int second,
                      wchar_t time_separator) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%04d-%02d-%02d %02d%lc%02d%lc%02d", year, month, day, hour,
                static_cast<wint_t>(time_separator), minute, static_cast<wint_t>(time_separator),
                second);
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
