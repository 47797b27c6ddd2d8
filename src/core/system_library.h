// Functions of system DLLs that the program loads only once it runs, after the DLL search has
// been restricted to the system folder (see dll_search.h): a DLL loaded while the process
// starts resolves its own imports with the program folder first, so every DLL beyond the
// core ones is loaded here instead.
#pragma once

#include <windows.h>

namespace quorvath {

// The function `name` of the system DLL `dll`, or nullptr. The DLL stays loaded.
FARPROC SystemFunction(const wchar_t* dll, const char* name);

template <typename Function>
Function SystemFunctionAs(const wchar_t* dll, const char* name) {
  // GetProcAddress returns a generic function pointer; the cast names its real type.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(dll, name)));
}

// Loads the common controls (version 6, through the program's manifest) and registers their
// window classes.
bool LoadCommonControls();

// Initialises COM on this thread for the shell's and the taskbar's objects; once.
bool EnsureComInitialized();

// CoCreateInstance of an in-process server, with COM initialised.
HRESULT CreateComInstance(REFCLSID clsid, REFIID iid, void** object);

}  // namespace quorvath
