// Where the process looks for DLLs that are loaded while it runs.
#pragma once

namespace quorvath {

// Limits the search for DLLs loaded at run time to the system folder: a DLL dropped into
// the program folder beside the batch files, or into the current folder, is never loaded.
// Where the system lacks SetDefaultDllDirectories, at least the current folder is removed
// from the search.
void HardenDllSearch();

}  // namespace quorvath
