// The reading of an FPS result file's bytes, group by group, and the words for what is wrong.
#include <cstring>
#include <vector>

#include "core/ansi_text.h"
#include "core/field_reader.h"
#include "results/fps_reader.h"

namespace quorvath {

namespace {

// Large enough that the work per piece (a read call, the search for the last line break)
// vanishes, small enough that the piece stays in the cache while it is parsed.
constexpr std::size_t kPieceBytes = 64 * 1024;

// How many characters end a figures line without belonging to any figure.
constexpr std::size_t kFiguresTail = 4;

// The separator " / ": exactly space, slash, space.
constexpr std::string_view kSeparator = " / ";

// Below 0x80 a byte is the same character in every Windows ANSI code page and in UTF-8:
// only a byte from 0x81 up begins a character of two or more bytes. So bytes below 0x80 are
// one character each and widen without the decoder.
bool IsAscii(std::string_view bytes) {
  unsigned char seen = 0;  // no early exit: the compiler turns the loop into wide steps
  for (const char c : bytes) seen |= static_cast<unsigned char>(c);
  return seen < 0x80;
}

// The group parser, fed pieces that each end just after a line break (the last one may end
// anywhere). Its place in the current group and the record being filled carry over from one
// piece to the next.
class FpsParser {
 public:
  void Feed(std::string_view lines) {
    if (stopped_) return;
    ByteFieldReader reader(lines, next_line_);
    // The end of the text is tested before every field, not only before a group: a piece can
    // end inside a group, and only Finish knows whether the file did too.
    while (!reader.AtEnd()) {
      const std::string_view field = reader.ReadField();
      switch (next_field_++) {
        case 0:
          group_line_ = reader.field_line();
          Store(field, record_.level_name);
          break;
        case 1:
          StoreFigures(field, reader.field_line());
          break;
        case 2:  // lines 3 and 4 are read and ignored
          break;
        default:
          result_.records.push_back(record_);
          next_field_ = 0;
          break;
      }
    }
    next_line_ = reader.next_line();
  }

  void StopOnReadError(std::uint32_t system_error) {
    if (stopped_) return;
    result_.AddFault({FpsProblem::kReadFailed, next_line_, system_error});
    stopped_ = true;
  }

  FpsReadResult Finish() {
    if (!stopped_ && next_field_ != 0) {
      result_.AddFault({FpsProblem::kEndsInsideGroup, group_line_, 0});
    }
    result_.record_count = result_.records.size() + 1;
    return std::move(result_);
  }

 private:
  // A field cut or padded to its width, decoded only when a kept character is not ASCII.
  template <std::size_t Width>
  void Store(std::string_view bytes, FixedText<Width>& field) {
    if (IsAscii(bytes.substr(0, Width))) {
      field.StoreAscii(bytes);
    } else {
      field.Store(Decode(bytes));
    }
  }

  // Low figure, " / ", average figure, " / ", high figure, then four characters that belong
  // to no figure. Space and slash are below 0x40 and never part of a multi-byte character, so
  // the bytes are cut at the same places as the decoded text; a third " / " stays in the
  // high figure. Only the high figure's end needs its characters counted.
  void StoreFigures(std::string_view line, std::size_t line_number) {
    const std::size_t first = line.find(kSeparator);
    const std::size_t second =
        first == std::string_view::npos ? first : line.find(kSeparator, first + kSeparator.size());
    Store(line.substr(0, first), record_.fps_low);
    if (second == std::string_view::npos) {
      record_.fps_avg.StoreAscii({});
      record_.fps_high.StoreAscii({});
      result_.AddFault({FpsProblem::kTooFewSeparators, line_number, 0});
      return;
    }
    Store(line.substr(first + kSeparator.size(), second - first - kSeparator.size()),
          record_.fps_avg);
    const std::string_view rest = line.substr(second + kSeparator.size());
    if (IsAscii(rest)) {
      if (rest.size() >= kFiguresTail) {
        record_.fps_high.StoreAscii(rest.substr(0, rest.size() - kFiguresTail));
        return;
      }
    } else if (const std::wstring_view text = Decode(rest); text.size() >= kFiguresTail) {
      record_.fps_high.Store(text.substr(0, text.size() - kFiguresTail));
      return;
    }
    record_.fps_high.StoreAscii({});
    result_.AddFault({FpsProblem::kFiguresTooShort, line_number, 0});
  }

  // The decoded field, valid until the next call; one buffer kept for the whole read.
  std::wstring_view Decode(std::string_view bytes) {
    decoded_.clear();
    AppendDecodedAnsi(bytes, decoded_);
    return decoded_;
  }

  FpsReadResult result_;
  FpsRecord record_;            // the group under way
  int next_field_ = 0;          // of the four fields of a group
  std::size_t group_line_ = 0;  // where the group under way began
  std::size_t next_line_ = 1;
  bool stopped_ = false;
  std::wstring decoded_;
};

// The length of the longest beginning of `bytes` that ends just after a line break, while
// more bytes may follow: a CR that is the last byte does not count yet, as its LF may be the
// next byte. 0 when no line ends in `bytes`.
std::size_t CompleteLinesLength(std::string_view bytes) {
  std::size_t end = bytes.size();
  if (end > 0 && bytes[end - 1] == '\r') --end;
  while (end > 0 && bytes[end - 1] != '\n' && bytes[end - 1] != '\r') --end;
  return end;
}

}  // namespace

FpsReadResult ReadFpsBytes(std::string_view bytes) {
  FpsParser parser;
  parser.Feed(bytes);
  return parser.Finish();
}

FpsReadResult ReadFpsStream(const FpsSource& source) {
  FpsParser parser;
  std::vector<char> buffer(kPieceBytes);
  std::size_t held = 0;  // bytes at the start of `buffer` not parsed yet: part of one line
  for (;;) {
    // A line longer than the buffer makes it grow until the line ends.
    if (held == buffer.size()) buffer.resize(buffer.size() * 2);
    std::uint32_t error = 0;
    const std::optional<std::size_t> got =
        source(buffer.data() + held, buffer.size() - held, error);
    if (!got) {
      parser.StopOnReadError(error);
      break;
    }
    if (*got == 0) {
      parser.Feed(std::string_view(buffer.data(), held));  // the last line needs no break
      break;
    }
    // The bytes held before this read complete no line, save for a CR at their end whose LF
    // may have just come: looking from there keeps a long line from being searched again.
    const std::size_t look_from = held > 0 ? held - 1 : 0;
    held += *got;
    const std::size_t cut =
        CompleteLinesLength(std::string_view(buffer.data() + look_from, held - look_from));
    if (cut == 0) continue;
    parser.Feed(std::string_view(buffer.data(), look_from + cut));
    held -= look_from + cut;
    std::memmove(buffer.data(), buffer.data() + look_from + cut, held);
  }
  return parser.Finish();
}

FpsReadResult FpsCannotOpen(std::uint32_t system_error) {
  FpsReadResult result;
  result.AddFault({FpsProblem::kCannotOpen, 0, system_error});
  result.record_count = 1;
  return result;
}

std::wstring DescribeFpsFault(const FpsFault& fault) {
  const std::wstring system_error =
      fault.system_error == 0 ? L""
                              : L" (system error " + std::to_wstring(fault.system_error) + L")";
  std::wstring text;
  switch (fault.problem) {
    case FpsProblem::kCannotOpen:
      text = L"the file could not be opened" + system_error + L".";
      break;
    case FpsProblem::kReadFailed:
      text = L"the file could not be read from this line on" + system_error + L".";
      break;
    case FpsProblem::kEndsInsideGroup:
      text = L"the file ends inside the group of four lines that begins here.";
      break;
    case FpsProblem::kTooFewSeparators:
      text = L"the figures line has fewer than two \" / \" separators.";
      break;
    case FpsProblem::kFiguresTooShort:
      text = L"the figures line has fewer than four characters after its second \" / \".";
      break;
  }
  return fault.line == 0 ? text : L"line " + std::to_wstring(fault.line) + L": " + text;
}

}  // namespace quorvath
