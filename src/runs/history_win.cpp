#include <windows.h>
#include <shellapi.h>
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

// Where a run is written before it takes its name: beside the history rather than in it, as
// creating a file makes some file systems search the folder for the name, and the history may
// hold thousands.
std::wstring PartialPath(const std::wstring& folder, const RunName& name) {
  return ParentFolder(folder).value_or(folder) + L"\\" + RunFileName(name) + L".partial";
}

// Gives the file `partial` the run's name in `folder`, from `name.copy` on: a name already
// taken is never replaced, the next number is tried. `name.copy` ends as the number it got.
DWORD MoveUnderFreeName(const std::wstring& partial, const std::wstring& folder, RunName& name) {
  for (;; ++name.copy) {
    const DWORD error = Rename(partial, RunPath(folder, name), 0);
    if ((error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) || name.copy > 10'000) {
      return error;
    }
  }
}

// Calls `take` with the name and the listing of each file of `folder` that matches `pattern`
// and is named as a run; the names are fetched many at a time.
template <class Take>
void ForEachRunFile(const std::wstring& folder, const std::wstring& pattern, Take take) {
  WIN32_FIND_DATAW entry{};
  const UniqueFindHandle find(FindFirstFileExW(ExtendedLengthPath(folder + L"\\" + pattern).c_str(),
                                               FindExInfoBasic, &entry, FindExSearchNameMatch,
                                               nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (find.get() == INVALID_HANDLE_VALUE) return;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    if (std::optional<RunName> name = ParseRunFileName(entry.cFileName)) take(*name, entry);
  } while (FindNextFileW(find.get(), &entry));
}

bool SameFileName(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

// ERROR_SUCCESS when the file could be deleted now, or why not: held open by a program that
// does not share its deletion, say.
DWORD DeleteAccessError(const std::wstring& path) {
  const UniqueHandle file(CreateFileW(ExtendedLengthPath(path).c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.get() == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
}

constexpr std::size_t kMaxRunBytes = 64 << 20;

}  // namespace

std::wstring LocalStampNow(wchar_t time_separator) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return RunStamp(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                  time_separator);
}

std::wstring HistoryFolder() {
  const std::wstring documents = KnownFolderPath(FOLDERID_Documents);
  return documents.empty() ? documents : documents + L"\\Quorvath\\Results";
}

SavedFile SaveRun(const std::wstring& folder, RunName name, const SavedRun& run) {
  if (folder.empty()) return {name, {}, ERROR_PATH_NOT_FOUND};
  if (const std::optional<FolderFailure> failure = MakeFolderPath(folder)) {
    return {name, {}, failure->error};
  }
  name.copy = 1;
  const std::wstring partial = PartialPath(folder, name);
  DWORD error = WriteNewFile(partial, RunCsv(run));
  if (error == ERROR_SUCCESS) error = MoveUnderFreeName(partial, folder, name);
  if (error == ERROR_SUCCESS) return {name, RunPath(folder, name), ERROR_SUCCESS};
  DeleteOneFile(partial);
  name.copy = 1;
  return {name, {}, error};
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
  // The pattern narrows the names down to the test's, and each is then read exactly.
  std::wstring pattern = L"*" + std::wstring(TestRowFor(test).name);
  if (!resolution.empty()) pattern += L" " + std::wstring(resolution);
  ForEachRunFile(folder, pattern + L"*.csv", [&](RunName& name, const WIN32_FIND_DATAW&) {
    if (name.test == test && name.resolution == resolution) runs.push_back(std::move(name));
  });
  std::sort(runs.begin(), runs.end(), NewerFirst);
  return runs;
}

std::optional<SavedRun> ReadRun(const std::wstring& path) {
  const std::optional<std::string> bytes = ReadSmallFile(path, kMaxRunBytes);
  if (!bytes) return std::nullopt;
  return ParseRunCsv(*bytes);
}

std::vector<HistoryEntry> ListHistory(const std::wstring& folder) {
  std::vector<HistoryEntry> entries;
  ForEachRunFile(folder, L"*.csv", [&](RunName& name, const WIN32_FIND_DATAW& file) {
    HistoryEntry& entry = entries.emplace_back();
    entry.label = name.label;
    entry.name = std::move(name);
    entry.size = (std::uint64_t{file.nFileSizeHigh} << 32) | file.nFileSizeLow;
    entry.last_write = (std::uint64_t{file.ftLastWriteTime.dwHighDateTime} << 32) |
                       file.ftLastWriteTime.dwLowDateTime;
  });
  std::sort(entries.begin(), entries.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
    return NewerFirst(a.name, b.name);
  });
  return entries;
}

RenamedRun RenameRun(const std::wstring& folder, const RunName& name, const std::wstring& label) {
  const std::wstring old_path = RunPath(folder, name);
  const std::optional<std::string> bytes = ReadSmallFile(old_path, kMaxRunBytes);
  if (!bytes) {
    const DWORD error = GetLastError();  // the open's or the read's: nothing was closed since
    return {name, error != ERROR_SUCCESS ? error : ERROR_READ_FAULT};
  }
  std::optional<SavedRun> run = ParseRunCsv(*bytes);
  if (!run) return {name, ERROR_INVALID_DATA, true};
  run->context.label = label;
  RunName renamed = name;
  renamed.label = label;
  // A run whose label stays keeps its number; a new label takes the first free one.
  if (label != name.label) renamed.copy = 1;
  const std::wstring partial = PartialPath(folder, renamed);
  DWORD error = WriteNewFile(partial, RunCsv(*run));
  if (error == ERROR_SUCCESS && SameFileName(RunFileName(renamed), RunFileName(name))) {
    // The file keeps its name, or changes only the case of its letters: written in place.
    error = Rename(partial, old_path, MOVEFILE_REPLACE_EXISTING);
    if (error == ERROR_SUCCESS && renamed != name) Rename(old_path, RunPath(folder, renamed), 0);
  } else if (error == ERROR_SUCCESS) {
    error = MoveUnderFreeName(partial, folder, renamed);
    if (error == ERROR_SUCCESS) {
      error = DeleteOneFile(old_path);
      // The old file cannot go (held open, say): the new one goes instead.
      if (error != ERROR_SUCCESS) DeleteOneFile(RunPath(folder, renamed));
    }
  }
  if (error == ERROR_SUCCESS) return {renamed, ERROR_SUCCESS};
  DeleteOneFile(partial);
  return {name, error};
}

std::vector<UnmovedRun> RecycleRuns(HWND owner, const std::wstring& folder,
                                    const std::vector<RunName>& names) {
  using FileOperationFn = int(WINAPI*)(LPSHFILEOPSTRUCTW);
  const auto operate = SystemFunctionAs<FileOperationFn>(L"shell32.dll", "SHFileOperationW");
  std::vector<UnmovedRun> unmoved;
  // A file held open is not handed to the shell, which might offer to delete it for good.
  std::vector<std::pair<RunName, std::wstring>> movable;
  for (const RunName& name : names) {
    std::wstring path = RunPath(folder, name);
    if (!IsFile(path)) continue;  // gone already
    if (const DWORD error = DeleteAccessError(path); error != ERROR_SUCCESS) {
      unmoved.push_back({name, error});
    } else {
      movable.emplace_back(name, std::move(path));
    }
  }
  // The shell refuses a list that names a file not there.
  std::size_t next = 0;
  const auto skip_gone = [&] {
    while (next < movable.size() && !IsFile(movable[next].second)) ++next;
    return next < movable.size();
  };
  while (skip_gone()) {
    std::wstring from;  // each path ended by a zero, the list by a second one
    for (std::size_t i = next; i < movable.size(); ++i) {
      if (IsFile(movable[i].second)) from += movable[i].second + L'\0';
    }
    from += L'\0';
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags =
        FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
    const int result = operate != nullptr ? operate(&operation) : ERROR_PROC_NOT_FOUND;
    // The shell stops at the first file it cannot move: those before it are gone.
    if (!skip_gone()) break;
    if (operate == nullptr || operation.fAnyOperationsAborted) {
      const DWORD error = operate == nullptr ? ERROR_PROC_NOT_FOUND : ERROR_CANCELLED;
      for (; skip_gone(); ++next) unmoved.push_back({movable[next].first, error});
      break;
    }
    // The shell answers with codes of its own (0x71 to 0x88, and beyond 0x400) besides system
    // errors; the file tells why when it is held open.
    const DWORD held = DeleteAccessError(movable[next].second);
    const bool system_error = result > 0 && result < 0x71;
    unmoved.push_back({movable[next].first, held != ERROR_SUCCESS ? held
                                            : system_error        ? static_cast<DWORD>(result)
                                                                  : ERROR_ACCESS_DENIED});
    ++next;
  }
  return unmoved;
}

}  // namespace quorvath
