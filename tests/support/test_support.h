// What the Windows test programs share: scratch folders and files, text in the ANSI code page
// and in UTF-8, waiting with a deadline, the message boxes a process shows, and registry
// values that are put back as they were.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvath::testing {

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

// A new, empty folder under the temporary folder, removed with everything in it. `name_hint`
// becomes part of its name, so a test can ask for blanks or letters outside the ANSI code page.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::wstring_view name_hint = L"quorvath test");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::wstring& path() const { return path_; }  // ends in a backslash
  std::wstring operator/(std::wstring_view relative) const {
    return path_ + std::wstring(relative);
  }

 private:
  std::wstring path_;
};

// The file helpers take absolute paths of any length.
// Creates every missing folder of `folder`.
void CreateFolders(const std::wstring& folder);
// Writes `bytes` to `path`, creating its folders.
void WriteFileBytes(const std::wstring& path, std::string_view bytes);
// The file's bytes, or an empty text when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Deletes a folder and everything in it, read-only or not.
void RemoveTree(const std::wstring& folder);

std::string Ansi(std::wstring_view text);
std::string Utf8(std::wstring_view text);

// Polls `condition` until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout,
               Milliseconds step = 100ms);

// Windows of any process, through the W messages.
std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
// The first child of `parent` of this class (and caption, when given).
HWND FindChild(HWND parent, std::wstring_view class_name,
               std::optional<std::wstring_view> text = {});
// The visible top-level windows of the process.
std::vector<HWND> WindowsOf(DWORD pid);
// Clicks a button as the mouse would, without waiting for what the click starts.
void Click(HWND button);

// A message box the process shows: its title and its text.
struct SeenMessageBox {
  HWND hwnd = nullptr;
  std::wstring title;
  std::wstring text;
};
std::optional<SeenMessageBox> WaitForMessageBox(DWORD pid, Milliseconds timeout);
// Presses its OK button.
void DismissMessageBox(const SeenMessageBox& box);

// A registry value, put back as it was when the test ends: its old data restored, or the value
// removed, and its key removed when the test created it.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(HKEY root, std::wstring key_path, std::wstring name);
  ~ScopedRegistryValue();
  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

  // Stores `bytes` as they are, through the ANSI function.
  bool Set(DWORD type, std::string_view bytes) const;
  // A string value with its terminating zero.
  bool SetString(std::string_view text) const { return Set(REG_SZ, std::string(text) + '\0'); }
  bool Remove() const;

 private:
  HKEY root_;
  std::wstring key_path_;
  std::wstring name_;
  bool key_existed_ = false;
  bool value_existed_ = false;
  DWORD old_type_ = REG_NONE;
  std::vector<BYTE> old_data_;
};

}  // namespace quorvath::testing
