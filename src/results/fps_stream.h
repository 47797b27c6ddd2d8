// Reading an FPS result file's bytes in pieces: each piece is cut just after its last whole
// line break and handed to the group parser, which decodes from the ANSI code page only the
// fields that the records keep; only one piece of the file is ever held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "results/fps_read_result.h"

namespace quorvath {

// Large enough that the per-piece work (a read call, the search for the last line break)
// vanishes, small enough that the piece stays in the cache while the parser reads it.
inline constexpr std::size_t kFpsPieceBytes = 64 * 1024;

// The length of the longest beginning of `bytes` that ends just after a line break, while
// more bytes may follow: a CR that is the last byte does not count yet, as its LF may be the
// next byte. 0 when no line ends in `bytes`.
std::size_t CompleteLinesLength(std::string_view bytes);

// Where the bytes come from: a file, or memory in the tests.
struct FpsSourceRead {
  std::size_t bytes = 0;  // 0 at the end of the source
  bool failed = false;
  std::uint32_t system_error = 0;  // when failed
};
class FpsByteSource {
 public:
  virtual ~FpsByteSource() = default;
  // Fills the beginning of `into` with up to into.size() bytes (at least one unless at the
  // end or failed).
  virtual FpsSourceRead Read(std::span<char> into) = 0;
};

// Reads `source` to its end, `piece_bytes` at a time; a line longer than a piece grows the
// buffer until it ends.
FpsReadResult ReadFpsStream(FpsByteSource& source, std::size_t piece_bytes = kFpsPieceBytes);

// The same over bytes already in memory, without copying them first.
FpsReadResult ReadFpsBytesInPieces(std::string_view bytes, std::size_t piece_bytes);

}  // namespace quorvath
