#include "fps_bench_data.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace quorvath::bench {

namespace {

// Some longer than the fourteen characters that are kept, some with spaces.
constexpr std::array<std::string_view, 8> kLevelNames = {
    "Deck",   "Facing the Worlds",    "Morpheus", "Phobos Moon", "Long Corridor Two",
    "Cellar", "Sky Towers of Erebus", "Gauntlet"};

// A small deterministic generator, so that every run measures the same bytes.
std::uint32_t Mix(std::size_t index, std::uint32_t salt) {
  std::uint32_t x = static_cast<std::uint32_t>(index) * 2654435761u ^ salt;
  x ^= x >> 15;
  x *= 2246822519u;
  x ^= x >> 13;
  return x;
}

void AppendFigure(std::string& out, std::uint32_t hundredths) {
  const std::uint32_t fraction = hundredths % 100;
  out += std::to_string(hundredths / 100);
  out += '.';
  out += static_cast<char>('0' + fraction / 10);
  out += static_cast<char>('0' + fraction % 10);
}

}  // namespace

void AppendFpsGroup(std::string& out, std::size_t index) {
  out += kLevelNames[index % kLevelNames.size()];
  out += "\r\n";
  const std::uint32_t low = 1500 + Mix(index, 1) % 4000;
  const std::uint32_t avg = low + Mix(index, 2) % 5000;
  const std::uint32_t high = avg + Mix(index, 3) % 9000;
  AppendFigure(out, low);
  out += " / ";
  AppendFigure(out, avg);
  out += " / ";
  AppendFigure(out, high);
  out += " fps\r\n";
  out += "Frames ";
  out += std::to_string(2000 + Mix(index, 4) % 9000);
  out += " in ";
  AppendFigure(out, 3000 + Mix(index, 5) % 6000);
  out += " seconds\r\n";
  out += "Flyby finished\r\n";
}

std::string MakeFpsFileBytes(std::size_t groups) {
  std::string bytes;
  bytes.reserve(groups * 96);
  for (std::size_t i = 0; i < groups; ++i) AppendFpsGroup(bytes, i);
  return bytes;
}

bool WriteFpsFile(std::FILE* file, std::size_t groups) {
  constexpr std::size_t kFlushAt = 1 << 20;
  std::string buffer;
  buffer.reserve(kFlushAt + 256);
  for (std::size_t i = 0; i < groups; ++i) {
    AppendFpsGroup(buffer, i);
    if (buffer.size() >= kFlushAt || i + 1 == groups) {
      if (std::fwrite(buffer.data(), 1, buffer.size(), file) != buffer.size()) return false;
      buffer.clear();
    }
  }
  return std::fflush(file) == 0;
}

}  // namespace quorvath::bench
