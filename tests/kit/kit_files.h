// File-system helpers of the kit tests: where the kit is, reading and writing raw bytes,
// the system's ANSI code page, and what a folder holds.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace quorvath::kit_test {

namespace fs = std::filesystem;

// The demo kit as the build copied it: "demo-kit" beside this test program.
fs::path DemoKitFolder();

// The file's bytes, or nothing when it cannot be opened (absent, or a folder). Opened with
// every sharing mode so that a reader never stands in a batch file's way.
std::optional<std::string> ReadBytes(const fs::path& file);
void WriteBytes(const fs::path& file, std::string_view bytes);

struct FileState {
  bool exists = false;
  bool is_folder = false;
  unsigned long long size = 0;
};
// Looks the name up without opening it.
FileState StateOf(const fs::path& path);

// The names in a folder (files and folders, not recursive).
std::set<std::wstring> EntriesOf(const fs::path& folder);

// Text of the system's ANSI code page, the encoding of ut.out and the result files.
std::wstring DecodeAnsi(std::string_view bytes);
// True when the ANSI code page spells `text` exactly, with no substitutes.
bool SpelledByAnsiCodePage(std::wstring_view text);

// True when both paths name the same existing file or folder.
bool SameFileSystemObject(const fs::path& first, const fs::path& second);

// For messages: the text in UTF-8.
std::string Utf8(std::wstring_view text);

// Removes a folder and everything in it, read-only and hidden files included.
void RemoveTree(const fs::path& folder);

}  // namespace quorvath::kit_test
