#include "core/system_library.h"

#include <commctrl.h>
#include <objbase.h>

#include <string>

namespace quorvath {

namespace {

HMODULE LoadSystemDll(const wchar_t* dll) {
  if (HMODULE module = GetModuleHandleW(dll)) return module;
  // The flag needs the update that also brought SetDefaultDllDirectories; without it, the
  // full path in the system folder does the same.
  if (HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + dll).c_str());
}

}  // namespace

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = LoadSystemDll(dll);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

bool LoadCommonControls() {
  // By name alone, so that the manifest's activation context picks version 6; the search
  // itself is limited to the system folder by then.
  HMODULE module = LoadLibraryW(L"comctl32.dll");
  if (module == nullptr) return false;
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = reinterpret_cast<InitFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "InitCommonControlsEx")));
  if (init == nullptr) return false;
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  return init(&classes) != FALSE;
}

bool EnsureComInitialized() {
  static const bool initialized = [] {
    using InitFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    const auto init = SystemFunctionAs<InitFn>(L"ole32.dll", "CoInitializeEx");
    // S_FALSE (already initialised on this thread) is success too; COM stays initialised
    // until the process ends.
    return init != nullptr &&
           SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }();
  return initialized;
}

HRESULT CreateComInstance(REFCLSID clsid, REFIID iid, void** object) {
  if (!EnsureComInitialized()) return CO_E_NOTINITIALIZED;
  using CreateFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
  const auto create = SystemFunctionAs<CreateFn>(L"ole32.dll", "CoCreateInstance");
  if (create == nullptr) return E_NOTIMPL;
  return create(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object);
}

}  // namespace quorvath
