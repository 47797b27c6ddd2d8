#include "results/fps_stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "results/fps_group_parser.h"

namespace quorvath {

std::size_t CompleteLinesLength(std::string_view bytes) {
  std::size_t end = bytes.size();
  // A CR at the very end may be the first half of CR LF.
  if (end > 0 && bytes[end - 1] == '\r') --end;
  while (end > 0) {
    const char c = bytes[end - 1];
    if (c == '\n' || c == '\r') return end;
    --end;
  }
  return 0;
}

FpsReadResult ReadFpsStream(FpsByteSource& source, std::size_t piece_bytes) {
  FpsByteGroupParser parser;
  std::vector<char> buffer(std::max<std::size_t>(piece_bytes, 1));
  std::size_t filled = 0;  // bytes at the start of `buffer` not yet parsed: part of one line
  for (;;) {
    if (filled == buffer.size()) buffer.resize(buffer.size() * 2);
    const FpsSourceRead read = source.Read(std::span<char>(buffer).subspan(filled));
    if (read.failed) {
      parser.StopOnReadError(read.system_error);
      break;
    }
    if (read.bytes == 0) {
      parser.Feed(std::string_view(buffer.data(), filled));
      break;
    }
    // The bytes held before this read complete no line, save for a CR at their end whose LF
    // may have just come; looking from there keeps a long line read in many small pieces
    // from being scanned again and again.
    const std::size_t look_from = filled > 0 ? filled - 1 : 0;
    filled += read.bytes;
    const std::size_t cut_in_new =
        CompleteLinesLength(std::string_view(buffer.data() + look_from, filled - look_from));
    if (cut_in_new == 0) continue;
    const std::size_t cut = look_from + cut_in_new;
    parser.Feed(std::string_view(buffer.data(), cut));
    std::memmove(buffer.data(), buffer.data() + cut, filled - cut);
    filled -= cut;
  }
  return parser.Finish();
}

FpsReadResult ReadFpsBytesInPieces(std::string_view bytes, std::size_t piece_bytes) {
  piece_bytes = std::max<std::size_t>(piece_bytes, 1);
  FpsByteGroupParser parser;
  while (!bytes.empty()) {
    std::size_t cut = 0;
    for (std::size_t length = piece_bytes; cut == 0; length *= 2) {
      if (length >= bytes.size()) {
        cut = bytes.size();  // the rest of the file: its last line needs no terminator
      } else {
        cut = CompleteLinesLength(bytes.substr(0, length));
      }
    }
    parser.Feed(bytes.substr(0, cut));
    bytes.remove_prefix(cut);
  }
  return parser.Finish();
}

}  // namespace quorvath
