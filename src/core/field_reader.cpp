#include "core/field_reader.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace quorvath {

namespace field_scan {

// Eight bytes at a time in a 64-bit word: a byte equal to one of the three becomes a zero
// byte after the exclusive or, and the lowest set flag of (x - 0x01..) & ~x & 0x80.. marks
// the first zero byte exactly (a borrow can only flag the bytes above it).
std::size_t FindFirstOf3InBytes(const char* text, std::size_t from, std::size_t size, char a,
                                char b, char c) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    const std::uint64_t all_a = kOnes * static_cast<unsigned char>(a);
    const std::uint64_t all_b = kOnes * static_cast<unsigned char>(b);
    const std::uint64_t all_c = kOnes * static_cast<unsigned char>(c);
    for (; from + sizeof(std::uint64_t) <= size; from += sizeof(std::uint64_t)) {
      std::uint64_t word;
      std::memcpy(&word, text + from, sizeof word);
      const std::uint64_t xa = word ^ all_a;
      const std::uint64_t xb = word ^ all_b;
      const std::uint64_t xc = word ^ all_c;
      const std::uint64_t flags =
          (((xa - kOnes) & ~xa) | ((xb - kOnes) & ~xb) | ((xc - kOnes) & ~xc)) & kHighBits;
      if (flags != 0) return from + static_cast<std::size_t>(std::countr_zero(flags)) / 8;
    }
  }
  return FindFirstOf3OneByOne(text, from, size, a, b, c);
}

}  // namespace field_scan

std::wstring_view TrimSpaces(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

}  // namespace quorvath
