// Throw-away folders for the Windows tests, removed with everything in them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvath::testing {

class ScratchFolder {
 public:
  // A new, empty folder under the temporary folder; `name_hint` becomes part of its name,
  // so a test can ask for spaces or characters outside the ANSI code page.
  explicit ScratchFolder(std::wstring_view name_hint = L"quorvath test");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, ending in a backslash.
  const std::wstring& path() const { return path_; }

  // path() + relative.
  std::wstring operator/(std::wstring_view relative) const;

 private:
  std::wstring path_;
};

// Creates every missing folder of `folder`.
void CreateFolders(const std::wstring& folder);

// Writes `bytes` to `path`, creating its folders.
void WriteFileBytes(const std::wstring& path, std::string_view bytes);

// The file's bytes, or an empty text when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

// Deletes a folder and everything in it, read-only or not.
void RemoveTree(const std::wstring& folder);

}  // namespace quorvath::testing
