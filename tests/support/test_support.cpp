#include "test_support.h"

#include <stdexcept>
#include <thread>

namespace quorvath::testing {

namespace {

std::wstring UniqueTempFolder(std::wstring_view hint) {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0) throw std::runtime_error("no temporary folder");
  static unsigned counter = 0;
  return std::wstring(temp, length) + std::wstring(hint) + L" " +
         std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()) + L"-" +
         std::to_wstring(++counter) + L"\\";
}

// Any absolute path in the form the file functions accept beyond MAX_PATH characters.
std::wstring Extended(const std::wstring& path) {
  const bool absolute = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
  return absolute ? L"\\\\?\\" + path : path;
}

LRESULT Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 30000, &result);
  return static_cast<LRESULT>(result);
}

}  // namespace

ScratchFolder::ScratchFolder(std::wstring_view name_hint) : path_(UniqueTempFolder(name_hint)) {
  CreateFolders(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void CreateFolders(const std::wstring& folder) {
  for (std::size_t at = folder.find(L'\\', 3); at != std::wstring::npos;
       at = folder.find(L'\\', at + 1)) {
    CreateDirectoryW(Extended(folder.substr(0, at)).c_str(), nullptr);
  }
  if (folder.back() != L'\\') CreateDirectoryW(Extended(folder).c_str(), nullptr);
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  CreateFolders(path.substr(0, path.find_last_of(L'\\')));
  const HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a test file");
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error("cannot write a test file");
}

std::string ReadFileBytes(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void RemoveTree(const std::wstring& folder) {
  std::wstring base = folder;
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  WIN32_FIND_DATAW entry{};
  const HANDLE find = FindFirstFileW(Extended(base + L"*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = base + name;
      SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(path);
      } else {
        DeleteFileW(Extended(path).c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  const std::wstring self = Extended(base.substr(0, base.size() - 1));
  SetFileAttributesW(self.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(self.c_str());
}

namespace {

std::string Encode(UINT code_page, std::wstring_view text) {
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

}  // namespace

std::string Ansi(std::wstring_view text) { return Encode(CP_ACP, text); }
std::string Utf8(std::wstring_view text) { return Encode(CP_UTF8, text); }

bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout, Milliseconds step) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(step);
  }
}

std::wstring WindowText(HWND window) {
  const LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

HWND FindChild(HWND parent, std::wstring_view class_name, std::optional<std::wstring_view> text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == class_name && (!text || WindowText(child) == *text)) return child;
  }
  return nullptr;
}

std::vector<HWND> WindowsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->pid && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

std::optional<SeenMessageBox> WaitForMessageBox(DWORD pid, Milliseconds timeout) {
  std::optional<SeenMessageBox> seen;
  WaitUntil(
      [&] {
        for (const HWND window : WindowsOf(pid)) {
          if (ClassOf(window) != L"#32770" || (FindChild(window, L"Button", L"OK") == nullptr &&
                                               FindChild(window, L"Button", L"&Yes") == nullptr))
            continue;
          // A message box holds only its text (and an icon) and its buttons.
          bool only_text_and_buttons = true;
          std::wstring text;
          for (HWND child = GetWindow(window, GW_CHILD); child != nullptr && only_text_and_buttons;
               child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring kind = ClassOf(child), child_text = WindowText(child);
            if (kind == L"Static" && child_text.size() > text.size()) text = child_text;
            only_text_and_buttons = kind == L"Static" || kind == L"Button";
          }
          if (!only_text_and_buttons) continue;
          seen = SeenMessageBox{window, WindowText(window), text};
          return true;
        }
        return false;
      },
      timeout);
  return seen;
}

void DismissMessageBox(const SeenMessageBox& box) {
  if (const HWND ok = FindChild(box.hwnd, L"Button", L"OK")) Click(ok);
}

ScopedRegistryValue::ScopedRegistryValue(HKEY root, std::wstring key_path, std::wstring name)
    : root_(root), key_path_(std::move(key_path)), name_(std::move(name)) {
  HKEY key = nullptr;
  key_existed_ = RegOpenKeyExW(root_, key_path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
  if (!key_existed_) return;
  DWORD size = 0;
  if (RegQueryValueExW(key, name_.c_str(), nullptr, &old_type_, nullptr, &size) == ERROR_SUCCESS) {
    old_data_.resize(size);
    value_existed_ = RegQueryValueExW(key, name_.c_str(), nullptr, &old_type_, old_data_.data(),
                                      &size) == ERROR_SUCCESS;
    old_data_.resize(size);
  }
  RegCloseKey(key);
}

ScopedRegistryValue::~ScopedRegistryValue() {
  HKEY key = nullptr;
  if (value_existed_ && RegCreateKeyExW(root_, key_path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, name_.c_str(), 0, old_type_, old_data_.data(),
                   static_cast<DWORD>(old_data_.size()));
    RegCloseKey(key);
  } else {
    Remove();
  }
  if (!key_existed_) RegDeleteKeyW(root_, key_path_.c_str());
}

bool ScopedRegistryValue::Set(DWORD type, std::string_view bytes) const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root_, key_path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS status =
      RegSetValueExA(key, Ansi(name_).c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool ScopedRegistryValue::Remove() const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root_, key_path_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return true;
  const LSTATUS status = RegDeleteValueW(key, name_.c_str());
  RegCloseKey(key);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace quorvath::testing
