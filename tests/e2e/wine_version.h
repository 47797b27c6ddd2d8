// Makes Wine report another Windows version to one program, for the life of the object.
#pragma once

#include <windows.h>

#include <string>

namespace quorvath::testing {

class ScopedWineVersion {
 public:
  // `version` is one of Wine's names: "win31", "win95", "win98", "winme", "nt40", "win2k",
  // "winxp", "win10", ...
  ScopedWineVersion(const std::wstring& exe_name, const std::wstring& version);
  ~ScopedWineVersion();
  ScopedWineVersion(const ScopedWineVersion&) = delete;
  ScopedWineVersion& operator=(const ScopedWineVersion&) = delete;

 private:
  std::wstring key_;
};

// Makes Wine load `dll` for one program from the DLL search path before its own copy (as
// Windows does for any DLL that is not a known system DLL), for the life of the object.
class ScopedWineDllOverride {
 public:
  ScopedWineDllOverride(const std::wstring& exe_name, const std::wstring& dll);
  ~ScopedWineDllOverride();
  ScopedWineDllOverride(const ScopedWineDllOverride&) = delete;
  ScopedWineDllOverride& operator=(const ScopedWineDllOverride&) = delete;

 private:
  std::wstring key_;
};

}  // namespace quorvath::testing
