// Fuzzes the reading of the program's text files: the FPS result reader, whole and in pieces,
// the field reader under it, and the location file's text. Any broken invariant aborts, which
// libFuzzer reports as a crash.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/ansi_text.h"
#include "core/field_reader.h"
#include "core/location_text.h"
#include "results/fps_reader.h"
#include "results/fps_stream.h"

namespace quorvath {
namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool HasLineBreak(std::wstring_view text) { return text.find_first_of(L"\r\n") != text.npos; }

// Line breaks in the text, a CR LF counting once.
std::size_t CountLineBreaks(std::wstring_view text) {
  std::size_t breaks = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\n') {
      ++breaks;
    } else if (text[i] == L'\r') {
      ++breaks;
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    }
  }
  return breaks;
}

std::size_t CountLines(std::wstring_view text) {
  const std::size_t breaks = CountLineBreaks(text);
  const bool unterminated_last = !text.empty() && text.back() != L'\n' && text.back() != L'\r';
  return breaks + (unterminated_last ? 1 : 0);
}

template <std::size_t Width>
void CheckField(const FixedText<Width>& field) {
  const std::u16string_view units = field.units();
  Require(units.size() == Width);
  Require(units.find_first_of(u"\r\n") == units.npos);
  Require(field.text().size() == Width);
}

void CheckRead(const FpsReadResult& result, std::wstring_view text) {
  const std::size_t line_count = CountLines(text);
  Require(result.record_count == result.records.size() + 1);
  Require(result.fault_count >= result.faults.size());
  Require(result.faults.size() == std::min(result.fault_count, FpsReadResult::kMaxKeptFaults));
  Require(result.damaged() == (result.fault_count != 0));
  // Every field but one at the very end takes at least a character: its own, a comma or a
  // line break.
  Require(4 * result.records.size() <= text.size() + 1);
  for (const FpsRecord& record : result.records) {
    CheckField(record.level_name);
    CheckField(record.fps_low);
    CheckField(record.fps_avg);
    CheckField(record.fps_high);
  }
  std::size_t previous_line = 0;
  for (std::size_t i = 0; i < result.faults.size(); ++i) {
    const FpsFault& fault = result.faults[i];
    Require(fault.problem != FpsProblem::kCannotOpen && fault.problem != FpsProblem::kReadFailed);
    Require(fault.line >= 1 && fault.line <= line_count);
    Require(fault.system_error == 0);
    // In file order; only the group left unfinished at the end is told last, at its start.
    if (fault.problem == FpsProblem::kEndsInsideGroup) {
      Require(i + 1 == result.fault_count);
    } else {
      Require(fault.line >= previous_line);
      previous_line = fault.line;
    }
  }
}

void RequireSameRead(const FpsReadResult& a, const FpsReadResult& b) {
  Require(a.records.size() == b.records.size());
  for (std::size_t i = 0; i < a.records.size(); ++i) Require(a.records[i] == b.records[i]);
  Require(a.record_count == b.record_count);
  Require(a.faults == b.faults);
  Require(a.fault_count == b.fault_count);
}

// Hands the bytes out `step` at a time, as a file read in short reads.
class SteppedSource final : public FpsByteSource {
 public:
  SteppedSource(std::string_view bytes, std::size_t step) : bytes_(bytes), step_(step) {}
  FpsSourceRead Read(std::span<char> into) override {
    const std::size_t count = std::min({into.size(), step_, bytes_.size()});
    std::copy_n(bytes_.data(), count, into.data());
    bytes_.remove_prefix(count);
    return {count, false, 0};
  }

 private:
  std::string_view bytes_;
  std::size_t step_;
};

void FuzzFieldReader(std::wstring_view text) {
  FieldReader reader(text);
  const wchar_t* const begin = text.data();
  const wchar_t* const end = text.data() + text.size();
  std::size_t reads = 0;
  std::size_t last_line = 0;
  while (!reader.AtEnd()) {
    const std::wstring_view field = reader.ReadField();
    // Every read moves on by at least one character.
    Require(++reads <= text.size());
    Require(field.empty() || (field.data() >= begin && field.data() + field.size() <= end));
    Require(!HasLineBreak(field));
    Require(reader.field_line() >= last_line && reader.next_line() >= reader.field_line());
    last_line = reader.field_line();
  }
  Require(reader.next_line() == CountLineBreaks(text) + 1);
  Require(reader.ReadField().empty() && reader.AtEnd());
}

// The bytes split into the same fields, at the same places and on the same lines, as the
// text decoded from them; the decoder of the native build gives one character per byte.
void FuzzByteFieldReader(std::string_view bytes, std::wstring_view text) {
  Require(bytes.size() == text.size());
  ByteFieldReader byte_reader(bytes);
  FieldReader text_reader(text);
  while (!text_reader.AtEnd()) {
    Require(!byte_reader.AtEnd());
    const std::string_view byte_field = byte_reader.ReadField();
    const std::wstring_view text_field = text_reader.ReadField();
    Require(byte_field.data() - bytes.data() == text_field.data() - text.data());
    Require(byte_field.size() == text_field.size());
    Require(byte_reader.field_line() == text_reader.field_line());
    Require(byte_reader.next_line() == text_reader.next_line());
  }
  Require(byte_reader.AtEnd());
}

void FuzzLocationText(std::wstring_view text) {
  const std::optional<std::wstring> folder = GameFolderFromLocationText(text);
  if (!folder) return;
  Require(!folder->empty());
  Require(folder->front() != L' ' && folder->back() != L' ');
  Require(!HasLineBreak(*folder));
}

}  // namespace
}  // namespace quorvath

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvath;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::wstring text = DecodeAnsi(bytes);

  // Decoding the whole text first, then reading it, is the plain way; reading the bytes and
  // decoding only the kept fields must give the same.
  const FpsReadResult whole = ReadFpsText(text);
  CheckRead(whole, text);
  RequireSameRead(ReadFpsBytes(bytes), whole);
  // Small pieces, their size taken from the input, so that the cuts land everywhere.
  const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 64;
  RequireSameRead(ReadFpsBytesInPieces(bytes, piece), whole);
  SteppedSource source(bytes, size < 2 ? 1 : 1 + data[1] % 32);
  RequireSameRead(ReadFpsStream(source, piece), whole);

  FuzzFieldReader(text);
  FuzzByteFieldReader(bytes, text);
  FuzzLocationText(text);
  return 0;
}
