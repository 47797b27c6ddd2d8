#include "wine_version.h"

#include <stdexcept>

namespace quorvath::testing {

ScopedWineVersion::ScopedWineVersion(const std::wstring& exe_name, const std::wstring& version)
    : key_(L"Software\\Wine\\AppDefaults\\" + exe_name) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write Wine's program settings");
  }
  RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                 static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

ScopedWineVersion::~ScopedWineVersion() { RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }

ScopedWineDllOverride::ScopedWineDllOverride(const std::wstring& exe_name, const std::wstring& dll)
    : key_(L"Software\\Wine\\AppDefaults\\" + exe_name + L"\\DllOverrides") {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write Wine's program settings");
  }
  const std::wstring order = L"native,builtin";
  RegSetValueExW(key, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order.c_str()),
                 static_cast<DWORD>((order.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

ScopedWineDllOverride::~ScopedWineDllOverride() { RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }

}  // namespace quorvath::testing
