#include "core/win_system.h"

#include <commctrl.h>
#include <objbase.h>

#include "core/win_handles.h"

namespace quorvath {

namespace {

HMODULE LoadSystemDll(const wchar_t* dll) {
  if (HMODULE module = GetModuleHandleW(dll)) return module;
  // The flag needs the update that also brought SetDefaultDllDirectories; without it, the
  // full path in the system folder does the same.
  if (HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  const std::wstring folder = SystemFolder();
  return folder.empty() ? nullptr : LoadLibraryW((folder + L"\\" + dll).c_str());
}

}  // namespace

void HardenDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  // Looked up in kernel32, which every process has loaded: nothing is loaded for it.
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto set_default_directories =
      kernel == nullptr ? nullptr
                        : reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                              GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (set_default_directories != nullptr) set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  SetDllDirectoryW(L"");
}

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(folder, length);
}

FARPROC SystemFunction(const wchar_t* dll, const char* name) {
  HMODULE module = LoadSystemDll(dll);
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

std::wstring KnownFolderPath(const GUID& folder) {
  using GetKnownFolderFn = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);
  using FreeFn = void(WINAPI*)(LPVOID);
  static const auto get_folder =
      SystemFunctionAs<GetKnownFolderFn>(L"shell32.dll", "SHGetKnownFolderPath");
  static const auto free_text = SystemFunctionAs<FreeFn>(L"ole32.dll", "CoTaskMemFree");
  if (get_folder == nullptr || free_text == nullptr) return {};
  PWSTR path = nullptr;
  std::wstring text;
  if (SUCCEEDED(get_folder(folder, 0, nullptr, &path)) && path != nullptr) text = path;
  free_text(path);
  return text;
}

bool LoadCommonControls() {
  // By name alone, so that the manifest's activation context picks version 6; the search
  // itself is limited to the system folder by then.
  HMODULE module = LoadLibraryW(L"comctl32.dll");
  if (module == nullptr) return false;
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = reinterpret_cast<InitFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "InitCommonControlsEx")));
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  return init != nullptr && init(&classes) != FALSE;
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

std::wstring SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length > 0 && buffer != nullptr) text.assign(buffer, length);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) text = L"Error " + std::to_wstring(error) + L".";
  return text;
}

bool StartProgram(const std::wstring& path) {
  if (path.empty()) return false;
  // Quoted, so that a path with spaces names one program and nothing else.
  std::wstring command_line = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  const UniqueHandle process_handle(process.hProcess);
  const UniqueHandle thread_handle(process.hThread);
  // The user asked for the tool: its window may come to the front over this dialog.
  AllowSetForegroundWindow(process.dwProcessId);
  return true;
}

}  // namespace quorvath
