#include "core/dll_search.h"

#include <windows.h>

namespace quorvath {

void HardenDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  // Looked up at run time: older systems without the update that brought it still start.
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto set_default_directories =
      kernel != nullptr ? reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                              GetProcAddress(kernel, "SetDefaultDllDirectories")))
                        : nullptr;
  if (set_default_directories != nullptr) {
    set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  SetDllDirectoryW(L"");
}

}  // namespace quorvath
