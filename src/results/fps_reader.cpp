#include "results/fps_reader.h"

#include "results/fps_group_parser.h"
#include "results/fps_stream.h"

namespace quorvath {

FpsReadResult ReadFpsText(std::wstring_view text) {
  FpsTextGroupParser parser;
  parser.Feed(text);
  return parser.Finish();
}

FpsReadResult ReadFpsBytes(std::string_view bytes) {
  return ReadFpsBytesInPieces(bytes, kFpsPieceBytes);
}

}  // namespace quorvath
