#include "core/program_folder.h"

namespace quorvath {

std::wstring FolderOfPath(std::wstring_view file_path) {
  const std::size_t last = file_path.find_last_of(L'\\');
  if (last == std::wstring_view::npos) return {};
  std::wstring folder(file_path.substr(0, last));
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

std::wstring WithTrailingBackslash(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  return folder;
}

}  // namespace quorvath
