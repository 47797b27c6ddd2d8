// Test helpers around the system information tool: the registry values that locate it, each
// set for one test and put back as it was afterwards; a lock that keeps the tests of every
// test program that touch those values from running at the same time; and the tool's
// processes, to tell whether it was started.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>
#include <set>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvath::testing {

inline constexpr wchar_t kMsInfoKeyPath[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr wchar_t kSharedToolsLocationKeyPath[] =
    L"SOFTWARE\\Microsoft\\Shared Tools Location";

// Wine's own system information tool.
inline constexpr wchar_t kWineMsInfoFolder[] = L"C:\\windows\\system32";
inline constexpr wchar_t kWineMsInfoPath[] = L"C:\\windows\\system32\\msinfo32.exe";

// Held while a test changes the tool's registry values. The tests run as separate processes
// in one Wine prefix, so the lock is a named mutex.
class SysInfoRegistryLock {
 public:
  SysInfoRegistryLock() : mutex_(CreateMutexW(nullptr, FALSE, L"QuorvathSystemInfoRegistryTests")) {
    // An abandoned mutex (a test that crashed) is owned all the same.
    if (mutex_ != nullptr) WaitForSingleObject(mutex_, 120'000);
  }
  ~SysInfoRegistryLock() {
    if (mutex_ != nullptr) {
      ReleaseMutex(mutex_);
      CloseHandle(mutex_);
    }
  }
  SysInfoRegistryLock(const SysInfoRegistryLock&) = delete;
  SysInfoRegistryLock& operator=(const SysInfoRegistryLock&) = delete;

 private:
  HANDLE mutex_;
};

// One registry value under HKEY_LOCAL_MACHINE, restored on destruction: its old data put
// back, or the value removed, and its key removed when the test created it.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(std::wstring key_path, std::wstring name)
      : key_path_(std::move(key_path)), name_(std::move(name)) {
    HKEY key = nullptr;
    key_existed_ =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_path_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!key_existed_) return;
    DWORD size = 0;
    if (RegQueryValueExW(key, name_.c_str(), nullptr, &old_type_, nullptr, &size) ==
        ERROR_SUCCESS) {
      old_data_.resize(size);
      value_existed_ = RegQueryValueExW(key, name_.c_str(), nullptr, &old_type_, old_data_.data(),
                                        &size) == ERROR_SUCCESS;
      old_data_.resize(size);
    }
    RegCloseKey(key);
  }

  ~ScopedRegistryValue() {
    if (value_existed_) {
      Write([&](HKEY key) {
        return RegSetValueExW(key, name_.c_str(), 0, old_type_, old_data_.data(),
                              static_cast<DWORD>(old_data_.size()));
      });
    } else {
      Remove();
    }
    if (!key_existed_) RegDeleteKeyW(HKEY_LOCAL_MACHINE, key_path_.c_str());
  }

  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

  // Stores `bytes` as they are, through the ANSI function, as the program reads them.
  bool Set(DWORD type, std::string_view bytes) const {
    return Write([&](HKEY key) {
      return RegSetValueExA(key, Ansi(name_).c_str(), 0, type,
                            reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()));
    });
  }

  // A string value with its terminating zero.
  bool SetString(std::string_view text) const { return Set(REG_SZ, std::string(text) + '\0'); }

  bool Remove() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_path_.c_str(), 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS) {
      return true;  // no key, no value
    }
    const LSTATUS status = RegDeleteValueW(key, name_.c_str());
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }

 private:
  template <typename Action>
  bool Write(Action action) const {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const LSTATUS status = action(key);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
  }

  static std::string Ansi(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                        nullptr, nullptr);
    return bytes;
  }

  std::wstring key_path_;
  std::wstring name_;
  bool key_existed_ = false;
  bool value_existed_ = false;
  DWORD old_type_ = REG_NONE;
  std::vector<BYTE> old_data_;
};

// The two values the tool is found by, both restored after the test, and the lock.
struct SysInfoRegistry {
  SysInfoRegistryLock lock;
  ScopedRegistryValue path{kMsInfoKeyPath, L"PATH"};
  ScopedRegistryValue folder{kSharedToolsLocationKeyPath, L"MSINFO"};
};

// The running processes of the tool (whatever folder they were started from).
inline std::set<DWORD> MsInfoProcesses() {
  std::set<DWORD> found;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    const wchar_t* name = std::wcsrchr(entry.szExeFile, L'\\');
    name = name != nullptr ? name + 1 : entry.szExeFile;
    if (_wcsicmp(name, L"msinfo32.exe") == 0) found.insert(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return found;
}

// Waits up to `timeout_ms` for a process of the tool that is not among `before`, and ends
// every such process. True when one appeared.
inline bool EndNewMsInfoProcesses(const std::set<DWORD>& before, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  std::set<DWORD> started;
  for (;;) {
    for (const DWORD pid : MsInfoProcesses()) {
      if (before.count(pid) == 0) started.insert(pid);
    }
    if (!started.empty() || GetTickCount64() >= deadline) break;
    Sleep(50);
  }
  for (const DWORD pid : started) {
    if (const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
      TerminateProcess(process, 0);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  return !started.empty();
}

}  // namespace quorvath::testing
