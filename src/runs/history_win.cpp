#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "core/file_system.h"
#include "core/paths.h"
#include "core/win_handles.h"
#include "core/win_system.h"
#include "runs/history.h"
#include "runs/test_run.h"

namespace quorvath {

namespace {

// Writes `bytes` to a new file `path`.
DWORD WriteNewFile(const std::wstring& path, std::string_view bytes) {
  const UniqueHandle file(CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    return GetLastError();
  }
  return written == bytes.size() ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

DWORD Rename(const std::wstring& from, const std::wstring& to, DWORD flags) {
  return MoveFileExW(ExtendedLengthPath(from).c_str(), ExtendedLengthPath(to).c_str(), flags)
             ? ERROR_SUCCESS
             : GetLastError();
}

}  // namespace

std::wstring HistoryFolder() {
  const std::wstring documents = KnownFolderPath(FOLDERID_Documents);
  return documents.empty() ? documents : documents + L"\\Quorvath\\Results";
}

SavedFile SaveRun(const std::wstring& folder, RunName name, const SavedRun& run) {
  if (folder.empty()) return {name, {}, ERROR_PATH_NOT_FOUND};
  if (const std::optional<FolderFailure> failure = MakeFolderPath(folder)) {
    return {name, {}, failure->error};
  }
  // The partial file is written beside the history rather than in it: creating a file makes
  // some file systems search the folder for the name, and the history may hold thousands.
  const std::wstring partial =
      ParentFolder(folder).value_or(folder) + L"\\" + RunFileName(name) + L".partial";
  if (const DWORD error = WriteNewFile(partial, RunCsv(run)); error != ERROR_SUCCESS) {
    DeleteOneFile(partial);
    return {name, {}, error};
  }
  // A name already taken is never replaced: the rename fails, and the next number is tried.
  for (name.copy = 1;; ++name.copy) {
    const std::wstring path = folder + L"\\" + RunFileName(name);
    const DWORD error = Rename(partial, path, 0);
    if (error == ERROR_SUCCESS) return {name, path, ERROR_SUCCESS};
    if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || name.copy > 10'000) {
      DeleteOneFile(partial);
      name.copy = 1;
      return {name, {}, error};
    }
  }
}

unsigned long WriteFileWhole(const std::wstring& path, std::string_view bytes) {
  const std::wstring partial = path + L".partial";
  DWORD error = WriteNewFile(partial, bytes);
  if (error == ERROR_SUCCESS) error = Rename(partial, path, MOVEFILE_REPLACE_EXISTING);
  if (error != ERROR_SUCCESS) DeleteOneFile(partial);
  return error;
}

std::vector<RunName> ListRuns(const std::wstring& folder, TestKind test,
                              std::wstring_view resolution) {
  std::vector<RunName> runs;
  // Names only, fetched many at a time; the pattern narrows them down to the test's, and each
  // is then read exactly.
  std::wstring pattern = folder + L"\\*" + std::wstring(TestRowFor(test).name);
  if (!resolution.empty()) pattern += L" " + std::wstring(resolution);
  pattern += L"*.csv";
  WIN32_FIND_DATAW entry{};
  const UniqueFindHandle find(FindFirstFileExW(ExtendedLengthPath(pattern).c_str(), FindExInfoBasic,
                                               &entry, FindExSearchNameMatch, nullptr,
                                               FIND_FIRST_EX_LARGE_FETCH));
  if (find.get() == INVALID_HANDLE_VALUE) return runs;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    std::optional<RunName> name = ParseRunFileName(entry.cFileName);
    if (name && name->test == test && name->resolution == resolution) runs.push_back(*name);
  } while (FindNextFileW(find.get(), &entry));
  std::sort(runs.begin(), runs.end(), NewerFirst);
  return runs;
}

std::optional<SavedRun> ReadRun(const std::wstring& path) {
  const std::optional<std::string> bytes = ReadSmallFile(path, 64 << 20);
  if (!bytes) return std::nullopt;
  return ParseRunCsv(*bytes);
}

}  // namespace quorvath
