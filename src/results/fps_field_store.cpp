#include "results/fps_field_store.h"

#include "core/ansi_text.h"

namespace quorvath {

std::wstring_view FpsFieldStore::Decode(std::string_view bytes) {
  decoded_.clear();
  AppendDecodedAnsi(bytes, decoded_);
  return decoded_;
}

}  // namespace quorvath
