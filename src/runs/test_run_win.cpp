#include "runs/test_run.h"

#include "core/paths.h"
#include "core/win_system.h"
#include "runs/program_folder.h"

namespace quorvath {

std::optional<FolderFailure> MakeFolderPath(const std::wstring& path) {
  std::optional<FolderFailure> failure;
  for (const std::wstring& level : FolderLevels(path)) {
    if (EntryExists(level)) continue;
    const DWORD error = MakeFolder(level);
    if (error != ERROR_SUCCESS && !failure) failure = {WithoutTrailingBackslash(level), error};
  }
  return failure;
}

DWORD MakeFolder(const std::wstring& path) {
  if (path.empty() || EntryExists(path)) return ERROR_SUCCESS;
  const std::optional<std::wstring> parent = ParentFolder(path);
  if (!parent || !EntryExists(*parent + L"\\")) return ERROR_PATH_NOT_FOUND;
  return CreateFolder(WithoutTrailingBackslash(path));
}

bool CopyIfExists(const std::wstring& source, const std::wstring& destination, bool overwrite,
                  DWORD* error) {
  DWORD outcome = ERROR_FILE_NOT_FOUND;
  if (IsFile(source)) {
    std::wstring target = destination;
    if (!target.empty() && target.back() == L'\\') {
      // Into that folder, under the file's own name; the folder itself must exist.
      outcome = EntryExists(target) ? ERROR_SUCCESS : ERROR_PATH_NOT_FOUND;
      target += FileNameOfPath(source);
    }
    if (outcome != ERROR_PATH_NOT_FOUND) outcome = CopyOneFile(source, target, overwrite);
  }
  *error = outcome;
  return outcome == ERROR_SUCCESS;
}

std::optional<std::wstring> PrepareTestFolder(const TestRow& test, const AppState& app) {
  const std::optional<FolderFailure> folder_failure =
      MakeFolderPath(app.game_dir + std::wstring(test.benchmark_folder));
  const std::wstring source = app.app_dir + std::wstring(test.settings_file);
  const std::wstring destination = app.game_dir + std::wstring(test.copy_destination);
  DWORD error = ERROR_SUCCESS;
  if (CopyIfExists(source, destination, true, &error)) return std::nullopt;

  if (!IsFile(source)) return L"The settings file " + source + L" is missing.";
  if (folder_failure) {
    const std::wstring& folder = folder_failure->folder;
    if (IsFile(folder)) return L"A file stands where the folder " + folder + L" should be.";
    return L"The folder " + folder + L" could not be created:\r\n" +
           SystemErrorText(folder_failure->error);
  }
  const std::wstring target = destination + FileNameOfPath(source);
  const std::optional<std::string> wanted = ReadSmallFile(source);
  const std::optional<std::string> present = ReadSmallFile(target);
  if (wanted && present && *wanted == *present) return std::nullopt;
  const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(target).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return L"The settings file " + target + L" is read-only and differs from " + source + L".";
  }
  return L"The settings file could not be copied to " + target + L":\r\n" + SystemErrorText(error);
}

TestStart StartTest(const TestRow& test, const AppState& app) {
  TestStart outcome;
  outcome.batch_path = app.app_dir + BatchFileFor(test, app.selected_res);
  const std::wstring result_path = app.app_dir + std::wstring(test.result_file);
  const FileStamp before = StampOf(result_path);
  BatchStart start = StartBatchFile(
      outcome.batch_path, test.runs_at_resolution ? SW_SHOWMINNOACTIVE : SW_HIDE, app.app_dir);
  outcome.error = start.error;
  if (start.process) {
    outcome.pending = PendingResult{test.kind, result_path, before, std::move(start.process), {}};
  }
  return outcome;
}

std::optional<FpsReadResult> PollResult(PendingResult& pending) {
  const FileStamp now = StampOf(pending.result_path);
  const bool left_from_before = pending.at_launch.is_file && now == pending.at_launch;
  if (!now.is_file || left_from_before) return std::nullopt;
  FpsReadResult read = ReadFpsFile(pending.result_path);
  if (!read.damaged()) return read;
  const bool batch_runs = WaitForSingleObject(pending.process.get(), 0) == WAIT_TIMEOUT;
  if (batch_runs || now != pending.unfinished) {
    pending.unfinished = now;
    return std::nullopt;
  }
  return read;
}

}  // namespace quorvath
