// Fills a record's fields from the bytes of a result file's fields, decoding from the ANSI
// code page only what a record keeps: a level name and three figures of a few bytes each,
// where the two lines of a group that are ignored are never decoded at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "results/fps_record.h"
#include "results/fps_separators.h"

namespace quorvath {

// Below 0x80 a byte is the same character in every Windows ANSI code page (874, 932, 936,
// 949, 950, 1250 to 1258) and in UTF-8 (65001): ASCII. Only a byte from 0x81 up begins a
// character of two or more bytes, so in a run of bytes below 0x80 from the start of a field
// each byte is one character, and they widen one to one without the decoder. (Not every code
// page in existence agrees, but none of those can be the system's ANSI code page.) Any other
// field is decoded, and its width counted in the UTF-16 units decoded.
class FpsFieldStore {
 public:
  // The piece of the file that the fields come from; the fields stored next lie in it.
  // Where sixteen bytes from a field's start are still inside the piece, they are looked at
  // in one step, whatever the length of the field.
  void ReadFrom(std::string_view piece) { piece_end_ = piece.data() + piece.size(); }

  // A field cut or padded to its width.
  template <std::size_t Width>
  void Store(std::string_view bytes, FixedText<Width>& field) {
    // The first Width bytes below 0x80 are the first Width characters, and a character that
    // begins after them is not kept: only those bytes need be ASCII.
    const std::size_t kept = bytes.size() < Width ? bytes.size() : Width;
#if QUORVATH_FIELD_SCAN_SSE2
    if (piece_end_ - bytes.data() >= 16) {
      if ((HighBitsOf16(bytes.data()) & ((1u << kept) - 1)) == 0) {
        field.StoreAsciiFrom16(bytes.data(), bytes.size());
      } else {
        field.Store(Decode(bytes));
      }
      return;
    }
#endif
    if (AllBelow0x80(bytes.substr(0, kept))) {
      field.StoreAscii(bytes);
    } else {
      field.Store(Decode(bytes));
    }
  }

  // The high figure: the rest of a figures line after its second " / " without the four
  // characters that end the line. With fewer than four it stores an empty figure and
  // returns false.
  template <std::size_t Width>
  bool StoreWithoutTail(std::string_view rest, FixedText<Width>& field) {
    // Every byte counts here: how many characters the rest holds decides where it ends.
#if QUORVATH_FIELD_SCAN_SSE2
    if (rest.size() <= 16 && piece_end_ - rest.data() >= 16) {
      if ((HighBitsOf16(rest.data()) & ((1u << rest.size()) - 1)) == 0) {
        const bool long_enough = rest.size() >= kFiguresTailLength;
        field.StoreAsciiFrom16(rest.data(), long_enough ? rest.size() - kFiguresTailLength : 0);
        return long_enough;
      }
      return StoreDecodedWithoutTail(Decode(rest), field);
    }
#endif
    if (!AllBelow0x80(rest)) return StoreDecodedWithoutTail(Decode(rest), field);
    if (rest.size() < kFiguresTailLength) {
      field.StoreAscii({});
      return false;
    }
    field.StoreAscii(rest.substr(0, rest.size() - kFiguresTailLength));
    return true;
  }

 private:
  template <std::size_t Width>
  static bool StoreDecodedWithoutTail(std::wstring_view rest, FixedText<Width>& field) {
    if (rest.size() < kFiguresTailLength) {
      field.Store(std::wstring_view());
      return false;
    }
    field.Store(rest.substr(0, rest.size() - kFiguresTailLength));
    return true;
  }

#if QUORVATH_FIELD_SCAN_SSE2
  // Bit i: byte i of the sixteen at `bytes` is 0x80 or more.
  static unsigned HighBitsOf16(const char* bytes) {
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes))));
  }
#endif

  // A word at a time, the last one overlapping the one before: no branch per byte.
  static bool AllBelow0x80(std::string_view bytes) {
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    if (size >= sizeof(std::uint64_t)) {
      std::uint64_t seen = Load<std::uint64_t>(data + size - sizeof(std::uint64_t));
      for (std::size_t at = 0; at + sizeof(std::uint64_t) < size; at += sizeof(std::uint64_t)) {
        seen |= Load<std::uint64_t>(data + at);
      }
      return (seen & 0x8080808080808080u) == 0;
    }
    if (size >= sizeof(std::uint32_t)) {
      const std::uint32_t seen =
          Load<std::uint32_t>(data) | Load<std::uint32_t>(data + size - sizeof(std::uint32_t));
      return (seen & 0x80808080u) == 0;
    }
    unsigned seen = 0;
    for (std::size_t at = 0; at < size; ++at) seen |= static_cast<unsigned char>(data[at]);
    return seen < 0x80;
  }

  template <class Word>
  static Word Load(const char* bytes) {
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
  }

  // The decoded field, valid until the next call; one buffer kept for the whole read.
  std::wstring_view Decode(std::string_view bytes);

  std::wstring decoded_;
  const char* piece_end_ = nullptr;
};

}  // namespace quorvath
