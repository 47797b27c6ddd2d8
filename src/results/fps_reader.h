// Reading an FPS result file into records: groups of four lines, one group per benchmarked
// level (level name, figures line, two lines that are read and ignored). The file is in the
// system's ANSI code page; its bytes are split into fields and lines as they are, and only
// what a record keeps is decoded.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath {

// Exactly `Width` UTF-16 units, two bytes each on every platform, so that a million records
// weigh the same natively as on Windows. A stored text is left-aligned, padded on the right
// with spaces or cut to its first `Width` units. A cut never separates the two halves of a
// surrogate pair: the half pair becomes a space.
template <std::size_t Width>
class FixedText {
 public:
  static constexpr std::size_t kWidth = Width;

  FixedText() { units_.fill(u' '); }
  explicit FixedText(std::wstring_view text) { Store(text); }

  // Text whose wchar_t is UTF-16 (Windows) or UTF-32 (elsewhere, where no decoder of this
  // program gives a character beyond U+FFFF: one that is there anyway becomes U+FFFD).
  void Store(std::wstring_view text) {
    std::size_t kept = text.size() < Width ? text.size() : Width;
    if (kept < text.size() && IsSurrogate(text[kept - 1], 0xD800) &&
        IsSurrogate(text[kept], 0xDC00)) {
      --kept;
    }
    std::size_t i = 0;
    for (; i < kept; ++i) units_[i] = ToUnit(text[i]);
    for (; i < Width; ++i) units_[i] = u' ';
  }

  // Bytes below 0x80, each one character (the caller has checked the first Width).
  void StoreAscii(std::string_view ascii) {
    const std::size_t kept = ascii.size() < Width ? ascii.size() : Width;
    std::size_t i = 0;
    for (; i < kept; ++i) units_[i] = static_cast<char16_t>(ascii[i]);
    for (; i < Width; ++i) units_[i] = u' ';
  }

  std::u16string_view units() const { return {units_.data(), Width}; }
  void AppendTo(std::wstring& out) const {
    // Sized first and written in place: appending from char16_t would build a temporary
    // string, one allocation per field.
    const std::size_t at = out.size();
    out.resize(at + Width);
    for (std::size_t i = 0; i < Width; ++i) out[at + i] = static_cast<wchar_t>(units_[i]);
  }

  friend bool operator==(const FixedText&, const FixedText&) = default;

 private:
  // A high (0xD800) or low (0xDC00) half of a surrogate pair.
  static bool IsSurrogate(wchar_t unit, std::uint32_t half) {
    return static_cast<std::uint32_t>(unit) - half < 0x400;
  }
  static char16_t ToUnit(wchar_t unit) {
    const auto code = static_cast<std::uint32_t>(unit);
    return code <= 0xFFFF ? static_cast<char16_t>(code) : u'\uFFFD';
  }

  std::array<char16_t, Width> units_;
};

// One benchmarked level as the result file states it: four texts of fixed width.
struct FpsRecord {
  FixedText<14> level_name;
  FixedText<10> fps_low;
  FixedText<10> fps_avg;
  FixedText<10> fps_high;

  friend bool operator==(const FpsRecord&, const FpsRecord&) = default;
};

enum class FpsProblem {
  kCannotOpen,        // the file is missing or could not be opened
  kReadFailed,        // reading stopped part way with an error
  kEndsInsideGroup,   // fewer than four lines in the last group (a stray empty line too)
  kTooFewSeparators,  // a figures line with fewer than two " / "
  kFiguresTooShort,   // fewer than four characters after the second " / "
};

struct FpsFault {
  FpsProblem problem;
  std::size_t line;            // numbered from 1; 0 when the file was not opened
  std::uint32_t system_error;  // Win32 error or errno; 0 when the system reported none

  friend bool operator==(const FpsFault&, const FpsFault&) = default;
};

// What one read gives: the complete groups as records, and what was wrong with the file and
// where. Problems are found in file order, except that a group left unfinished by the end of
// the file (kEndsInsideGroup, at the line that began it) is found last. A group with a bad
// figures line is kept with whatever the line gives.
struct FpsReadResult {
  // A damaged file can hold a fault in every group; beyond this many only the count grows.
  static constexpr std::size_t kMaxKeptFaults = 20;

  // Record k (numbered from 1) at index k - 1. A deque grows without moving or copying the
  // records it holds, so a file of a million groups needs little more than the records.
  std::deque<FpsRecord> records;
  std::size_t record_count = 0;  // the number of records + 1 once the read is over
  std::vector<FpsFault> faults;  // the first kMaxKeptFaults problems, in the order found
  std::size_t fault_count = 0;   // every problem found

  bool damaged() const { return fault_count != 0; }
  void AddFault(const FpsFault& fault) {
    if (faults.size() < kMaxKeptFaults) faults.push_back(fault);
    ++fault_count;
  }
};

// The bytes of a whole result file, in memory.
FpsReadResult ReadFpsBytes(std::string_view bytes);

// Fills up to `size` bytes at `into` and returns how many (0 at the end of the source), or
// nothing after a read error, with the system's error code in `error`.
using FpsSource =
    std::function<std::optional<std::size_t>(char* into, std::size_t size, std::uint32_t& error)>;

// Reads a result file from `source` in pieces of 64 KiB, so that only one piece of the file
// is ever held besides the records.
FpsReadResult ReadFpsStream(const FpsSource& source);

// The file itself; writers may keep it open while it is read. A file that cannot be opened
// (a folder neither) gives no records and a kCannotOpen fault.
#ifdef _WIN32
FpsReadResult ReadFpsFile(const std::wstring& path);
#else
FpsReadResult ReadFpsFile(const std::string& utf8_path);
#endif

// The result of a read that could not open its file.
FpsReadResult FpsCannotOpen(std::uint32_t system_error);

// One sentence for the user, without the file's name, which the caller knows, e.g.
// "line 6: the figures line has fewer than two " / " separators."
std::wstring DescribeFpsFault(const FpsFault& fault);

}  // namespace quorvath
