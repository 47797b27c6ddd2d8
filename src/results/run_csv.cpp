#include "results/run_csv.h"

#include <algorithm>
#include <cstdint>

#include "core/utf8.h"

namespace quorvath {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

template <std::size_t Width>
std::wstring Unpadded(const FixedText<Width>& field) {
  std::u16string_view units = field.units();
  while (!units.empty() && units.back() == u' ') units.remove_suffix(1);
  return std::wstring(units.begin(), units.end());
}

// A field in quotes when it holds a comma, a quote, a line break or a space at either end;
// quotes inside it doubled. Written in UTF-8; most fields are ASCII and are copied as they are.
void AppendField(std::string& line, std::wstring_view field) {
  std::wstring quoted;
  if (field.find_first_of(L",\"\r\n") != std::wstring_view::npos ||
      (!field.empty() && (field.front() == L' ' || field.back() == L' '))) {
    quoted = L'"';
    for (const wchar_t c : field) quoted += c == L'"' ? std::wstring(2, L'"') : std::wstring(1, c);
    field = quoted += L'"';
  }
  if (std::any_of(field.begin(), field.end(),
                  [](wchar_t c) { return static_cast<std::uint32_t>(c) >= 0x80; })) {
    line += EncodeUtf8(field);
    return;
  }
  for (const wchar_t c : field) line += static_cast<char>(c);
}

}  // namespace

std::vector<SavedRecord> SavedRecords(const std::deque<FpsRecord>& records, RowLayout layout,
                                      std::wstring_view resolution) {
  std::vector<SavedRecord> run;
  run.reserve(records.size());
  std::size_t record_number = 0;
  for (const FpsRecord& record : records) {
    ++record_number;
    run.push_back(
        {std::wstring(layout == RowLayout::kResolutionCaptions ? ResolutionCaption(record_number)
                                                               : resolution),
         Unpadded(record.level_name), Unpadded(record.fps_low), Unpadded(record.fps_avg),
         Unpadded(record.fps_high)});
  }
  return run;
}

std::string RunCsv(const SavedRun& run) {
  std::string text(kByteOrderMark);
  // The run's values are the same on every line: quoted and encoded once.
  std::string context;
  const RunContext& c = run.context;
  for (const std::wstring* field :
       {&c.label, &c.started, &c.duration, &c.computer, &c.processor, &c.memory, &c.graphics,
        &c.driver, &c.windows, &c.series, &c.run}) {
    context += ',';
    AppendField(context, *field);
  }
  text.reserve(run.records.size() * (64 + context.size()));
  text += EncodeUtf8(kRunCsvHeader) + "\r\n";
  for (const SavedRecord& record : run.records) {
    for (const std::wstring* field :
         {&record.resolution, &record.level, &record.low, &record.average, &record.high}) {
      if (field != &record.resolution) text += ',';
      AppendField(text, *field);
    }
    text += context;
    text += "\r\n";
  }
  return text;
}

std::optional<SavedRun> ParseRunCsv(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(3);
  const std::optional<std::wstring> decoded = DecodeUtf8(bytes);
  if (!decoded) return std::nullopt;
  const std::wstring_view text = *decoded;
  // Records of fields, as RFC 4180 has them: a quoted field may hold anything.
  std::vector<std::vector<std::wstring>> lines;
  std::vector<std::wstring> fields(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'"' && fields.back().empty()) {
      const std::size_t start = i + 1;
      for (i = start;; ++i) {
        if (i >= text.size()) return std::nullopt;  // a quote left open
        if (text[i] == L'"') {
          if (i + 1 < text.size() && text[i + 1] == L'"') {
            fields.back() += L'"';
            ++i;
            continue;
          }
          break;
        }
        fields.back() += text[i];
      }
    } else if (c == L',') {
      fields.emplace_back();
    } else if (c == L'\r' || c == L'\n') {
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      lines.push_back(std::move(fields));
      fields.assign(1, std::wstring());
      fields.reserve(lines.front().size());  // the next line's fields in one allocation
    } else {
      // The plain characters up to the next that may end the field, at once.
      const std::size_t end = std::min(text.find_first_of(L",\"\r\n", i + 1), text.size());
      fields.back().append(text, i, end - i);
      i = end - 1;
    }
  }
  if (fields.size() > 1 || !fields.back().empty()) lines.push_back(std::move(fields));

  if (lines.empty()) return std::nullopt;
  std::wstring header;
  for (std::size_t i = 0; i < lines[0].size(); ++i) header += (i ? L"," : L"") + lines[0][i];
  if (header != kRunCsvHeader && header != kRunNoSeriesCsvHeader &&
      header != kRecordsOnlyCsvHeader) {
    return std::nullopt;
  }
  const std::size_t columns = lines[0].size();
  SavedRun run;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::wstring>& f = lines[i];
    if (f.size() != columns) return std::nullopt;
    if (i == 1 && columns > 5) {
      run.context = {std::move(f[5]),
                     std::move(f[6]),
                     std::move(f[7]),
                     std::move(f[8]),
                     std::move(f[9]),
                     std::move(f[10]),
                     std::move(f[11]),
                     std::move(f[12]),
                     std::move(f[13]),
                     {},
                     {}};
      if (columns > 14) {
        run.context.series = std::move(f[14]);
        run.context.run = std::move(f[15]);
      }
    }
    run.records.push_back(
        {std::move(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]), std::move(f[4])});
  }
  return run;
}

}  // namespace quorvath
