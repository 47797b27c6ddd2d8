// The process's footing on the system: where it loads DLLs from, the functions and objects of
// system DLLs it loads only once it runs, and the system's words for an error.
#pragma once

#include <windows.h>

#include <string>

namespace quorvath {

// Limits the search for DLLs loaded at run time to the system folder: a DLL dropped into the
// program folder beside the batch files, or into the current folder, is never loaded. Where
// the system lacks SetDefaultDllDirectories, at least the current folder is removed from the
// search. A DLL loaded while the process starts resolves its own imports with the program
// folder first, so every DLL beyond the core ones is loaded through this file afterwards.
void HardenDllSearch();

// The system folder ("C:\Windows\System32"), without a trailing backslash; empty when the
// system does not say.
std::wstring SystemFolder();

// The function `name` of the system DLL `dll`, or nullptr; the DLL stays loaded. Newer
// functions are looked up this way, so that the program still starts where they are missing.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

template <typename Function>
Function SystemFunctionAs(const wchar_t* dll, const char* name) {
  // GetProcAddress returns a generic function pointer; the cast names its real type.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

// The path of the known folder `folder` (FOLDERID_Documents, FOLDERID_Pictures, ...), without
// a trailing backslash; empty when the system names none.
std::wstring KnownFolderPath(const GUID& folder);

// Loads the common controls (version 6, through the program's manifest) and registers their
// window classes.
bool LoadCommonControls();

// Initialises COM on this thread, once, for the shell's and the taskbar's objects.
bool EnsureComInitialized();

// CoCreateInstance of an in-process server, with COM initialised.
HRESULT CreateComInstance(REFCLSID clsid, REFIID iid, void** object);

// Starts `path` as a new process in a normal, activated window, and lets it run on its own;
// false when it cannot be started.
bool StartProgram(const std::wstring& path);

// The system's description of a Win32 error code, without the trailing line break.
std::wstring SystemErrorText(DWORD error);

}  // namespace quorvath
