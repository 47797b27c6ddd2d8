#include "core/field_reader.h"

namespace quorvath {

namespace field_scan {

std::uint64_t FieldStopsInLast(const char* bytes, std::size_t count) {
  std::uint64_t stops = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (bytes[i] == ',' || bytes[i] == '\r' || bytes[i] == '\n') stops |= std::uint64_t{1} << i;
  }
  return stops;
}

}  // namespace field_scan

std::wstring_view TrimSpaces(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

}  // namespace quorvath
