#include "core/paths.h"

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

std::vector<std::wstring> FolderLevels(std::wstring_view path) {
  std::vector<std::wstring> levels;
  if (path.size() <= 3) return levels;
  std::wstring prefix;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find(L'\\', start);
    prefix += path.substr(start, end == std::wstring_view::npos ? end : end - start);
    prefix += L'\\';
    levels.push_back(prefix);
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
  return levels;
}

std::optional<std::wstring> ParentFolder(std::wstring_view folder) {
  if (folder.empty()) return std::nullopt;
  if (folder.back() == L'\\') folder.remove_suffix(1);
  const std::size_t last = folder.find_last_of(L'\\');
  if (last == std::wstring_view::npos) return std::nullopt;
  return std::wstring(folder.substr(0, last));
}

}  // namespace quorvath
