#include "runs/benchmark_folder.h"

#include <windows.h>

#include "core/file_system.h"
#include "runs/folder_path.h"

namespace quorvath {

void MakeFolderPath(const std::wstring& path) {
  for (const std::wstring& level : FolderLevels(path)) {
    if (!EntryExists(level)) MakeFolder(level);
  }
}

void MakeFolder(const std::wstring& path) {
  if (path.empty() || EntryExists(path)) return;
  const std::optional<std::wstring> parent = ParentFolder(path);
  if (!parent || !EntryExists(*parent + L"\\")) return;
  std::wstring folder = path;
  if (folder.back() == L'\\') folder.pop_back();
  CreateDirectoryW(ExtendedLengthPath(folder).c_str(), nullptr);
}

bool CopyIfExists(const std::wstring& source, const std::wstring& destination, bool overwrite) {
  if (!IsFile(source)) return false;
  std::wstring target = destination;
  if (!target.empty() && target.back() == L'\\') {
    // Into that folder, under the file's own name; the folder itself must exist.
    if (!EntryExists(target)) return false;
    target += source.substr(source.find_last_of(L'\\') + 1);
  }
  // A read-only file is never replaced, even where the file system would let the copy
  // through (Windows refuses it; some emulations of it do not).
  const DWORD existing = GetFileAttributesW(ExtendedLengthPath(target).c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  return CopyFileW(ExtendedLengthPath(source).c_str(), ExtendedLengthPath(target).c_str(),
                   overwrite ? FALSE : TRUE) != FALSE;
}

}  // namespace quorvath
