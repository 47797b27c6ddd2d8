#include "core/paths.h"

namespace quorvath {

namespace {

wchar_t LowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

bool IsDriveRoot(std::wstring_view path) {
  return path.size() >= 3 &&
         ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
         path[1] == L':' && path[2] == L'\\';
}

// The end of "server\share\" at the start of `path`: after the backslash that ends the
// share's name, or the whole text when nothing follows it; 0 when either name is missing.
std::size_t ShareRootEnd(std::wstring_view path) {
  const std::size_t server_end = path.find(L'\\');
  if (server_end == 0 || server_end == std::wstring_view::npos || server_end + 1 == path.size()) {
    return 0;
  }
  const std::size_t share_end = path.find(L'\\', server_end + 1);
  if (share_end == server_end + 1) return 0;
  return share_end == std::wstring_view::npos ? path.size() : share_end + 1;
}

}  // namespace

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

std::wstring WithoutTrailingBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

std::wstring FileNameOfPath(std::wstring_view path) {
  const std::size_t last = path.find_last_of(L"\\/");
  return std::wstring(last == std::wstring_view::npos ? path : path.substr(last + 1));
}

std::wstring FileTitle(std::wstring_view path, std::wstring_view extension) {
  std::wstring name = FileNameOfPath(path);
  if (name.size() <= extension.size()) return name;
  const std::size_t start = name.size() - extension.size();
  for (std::size_t i = 0; i < extension.size(); ++i) {
    if (LowerAscii(name[start + i]) != LowerAscii(extension[i])) return name;
  }
  name.resize(start);
  return name;
}

std::wstring FileSafeName(std::wstring_view text, std::wstring_view fallback) {
  constexpr std::wstring_view kNotInNames = L"\\/:*?\"<>|";
  std::wstring name;
  for (const wchar_t c : text) {
    if (c >= L' ' && c != 0x7F && kNotInNames.find(c) == std::wstring_view::npos) name += c;
  }
  while (!name.empty() && (name.back() == L' ' || name.back() == L'.')) name.pop_back();
  return name.empty() ? std::wstring(fallback) : name;
}

std::size_t RootLength(std::wstring_view path) {
  std::size_t prefix = 0;
  if (path.starts_with(L"\\\\?\\")) {
    prefix = 4;
    path.remove_prefix(prefix);
    if (path.size() >= 4 && LowerAscii(path[0]) == L'u' && LowerAscii(path[1]) == L'n' &&
        LowerAscii(path[2]) == L'c' && path[3] == L'\\') {
      const std::size_t end = ShareRootEnd(path.substr(4));
      return end == 0 ? 0 : prefix + 4 + end;
    }
  } else if (path.starts_with(L"\\\\")) {
    const std::size_t end = ShareRootEnd(path.substr(2));
    return end == 0 ? 0 : 2 + end;
  }
  return IsDriveRoot(path) ? prefix + 3 : 0;
}

std::vector<std::wstring> FolderLevels(std::wstring_view path) {
  std::vector<std::wstring> levels;
  std::size_t root = RootLength(path);
  if (root == 0) root = path.find(L'\\') == std::wstring_view::npos ? 0 : path.find(L'\\') + 1;
  if (root == 0 || path.size() <= root) return levels;
  std::wstring prefix = WithTrailingBackslash(std::wstring(path.substr(0, root)));
  levels.push_back(prefix);
  std::size_t start = root;
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
