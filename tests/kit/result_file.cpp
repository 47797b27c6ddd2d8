#include "result_file.h"

namespace quorvath::kit_test {
namespace {

constexpr std::string_view kSeparator = " / ";

std::string LineFault(std::size_t line_index, std::string_view reason) {
  return "line " + std::to_string(line_index + 1) + ": " + std::string(reason);
}

// Quorvath reads a line as one field only if it holds no comma and does not begin with a
// double quote; leading spaces would be dropped.
std::string_view FieldFault(std::string_view line) {
  if (line.find(',') != std::string_view::npos) return "holds a comma";
  if (!line.empty() && line.front() == '"') return "begins with a double quote";
  if (!line.empty() && line.front() == ' ') return "begins with a space";
  return {};
}

std::string_view FiguresFault(std::string_view line, FpsGroup& group) {
  const std::size_t first = line.find(kSeparator);
  if (first == std::string_view::npos) return "has no \" / \"";
  const std::size_t second = line.find(kSeparator, first + kSeparator.size());
  if (second == std::string_view::npos) return "has only one \" / \"";
  const std::string_view rest = line.substr(second + kSeparator.size());
  if (rest.find(kSeparator) != std::string_view::npos) return "has a third \" / \"";
  if (rest.size() <= kFiguresTailLength) return "has no high figure before its last four";
  group.low = line.substr(0, first);
  group.average = line.substr(first + kSeparator.size(), second - first - kSeparator.size());
  group.high = rest.substr(0, rest.size() - kFiguresTailLength);
  group.tail = rest.substr(rest.size() - kFiguresTailLength);
  for (const std::string* figure : {&group.low, &group.average, &group.high}) {
    if (!FigureHundredths(*figure)) return "has a figure that is not digits.dd";
  }
  return {};
}

}  // namespace

std::optional<std::vector<std::string>> SplitCrLfLines(std::string_view bytes, std::string& fault) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      fault = LineFault(lines.size(), "has no line break");
      return std::nullopt;
    }
    if (bytes[end] != '\r' || end + 1 >= bytes.size() || bytes[end + 1] != '\n') {
      fault = LineFault(lines.size(), "does not end in CR LF");
      return std::nullopt;
    }
    lines.emplace_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

ParsedResultFile ParseResultFile(std::string_view bytes) {
  ParsedResultFile parsed;
  const auto lines = SplitCrLfLines(bytes, parsed.fault);
  if (!lines) return parsed;
  if (lines->size() % 4 != 0) {
    parsed.fault = "the file ends inside a group: " + std::to_string(lines->size()) + " lines";
    return parsed;
  }
  for (std::size_t first = 0; first < lines->size(); first += 4) {
    FpsGroup group;
    group.level = (*lines)[first];
    group.line3 = (*lines)[first + 2];
    group.line4 = (*lines)[first + 3];
    for (std::size_t offset = 0; offset < 4; ++offset) {
      const std::string_view fault = FieldFault((*lines)[first + offset]);
      if (!fault.empty()) {
        parsed.fault = LineFault(first + offset, fault);
        return parsed;
      }
    }
    if (group.level.empty() || group.level.size() > kLevelNameWidth) {
      parsed.fault = LineFault(first, "level name is not 1 to 14 characters long");
      return parsed;
    }
    const std::string_view figures_fault = FiguresFault((*lines)[first + 1], group);
    if (!figures_fault.empty()) {
      parsed.fault = LineFault(first + 1, figures_fault);
      return parsed;
    }
    parsed.groups.push_back(std::move(group));
  }
  return parsed;
}

std::optional<long> FigureHundredths(std::string_view figure) {
  // Nine digits stay far below any overflow and far above any frame rate.
  if (figure.size() > 10) return std::nullopt;
  const std::size_t point = figure.find('.');
  if (point == std::string_view::npos || point == 0 || figure.size() - point != 3) {
    return std::nullopt;
  }
  long hundredths = 0;
  for (std::size_t i = 0; i < figure.size(); ++i) {
    if (i == point) continue;
    if (figure[i] < '0' || figure[i] > '9') return std::nullopt;
    hundredths = hundredths * 10 + (figure[i] - '0');
  }
  return hundredths;
}

}  // namespace quorvath::kit_test
