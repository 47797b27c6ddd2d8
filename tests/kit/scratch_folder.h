// A program folder of its own for one test: a fresh copy of the demo kit under %TEMP%, in
// a folder whose name the test chooses, and an empty folder beside it that serves as the
// current folder of the runs, so that nothing can lean on the current folder. Both go
// when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "kit_contract.h"

namespace quorvath::kit_test {

namespace fs = std::filesystem;

// Names for scratch program folders; every one holds blanks.
std::wstring FolderNameWithBlanks();
// With non-ASCII letters that the system's ANSI code page spells; empty when it has none.
std::wstring FolderNameWithAnsiLetters();
// With the characters of the command interpreter's syntax that a folder name may hold.
std::wstring FolderNameWithPunctuation();
// With a letter the ANSI code page cannot spell; empty when it spells every candidate.
std::wstring FolderNameOutsideAnsi();

class ScratchProgramFolder {
 public:
  explicit ScratchProgramFolder(std::wstring_view folder_name);
  ~ScratchProgramFolder();
  ScratchProgramFolder(const ScratchProgramFolder&) = delete;
  ScratchProgramFolder& operator=(const ScratchProgramFolder&) = delete;

  const fs::path& Path() const { return program_; }
  const fs::path& Elsewhere() const { return elsewhere_; }
  // Where run output is kept: outside both folders above.
  fs::path OutputFile(std::wstring_view name) const { return root_ / name; }

  fs::path GameFolder() const { return program_ / kDemoGameFolder; }
  fs::path SettingsCopy(const FlybyBatch& batch) const;
  // What Quorvath does before it starts a test: make the game's benchmark folder and copy
  // the test's settings file into it.
  void PlaceSettingsFile(const FlybyBatch& batch) const;

 private:
  fs::path root_;
  fs::path program_;
  fs::path elsewhere_;
};

}  // namespace quorvath::kit_test
