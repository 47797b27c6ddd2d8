#include "runs/test_launch.h"

#include "core/batch_start.h"
#include "core/file_system.h"
#include "core/message_box.h"
#include "runs/benchmark_folder.h"
#include "runs/folder_path.h"

namespace quorvath {

void PrepareBenchmarkFolder(const TestRow& test, const AppState& app) {
  MakeFolderPath(app.game_dir + std::wstring(test.benchmark_folder));
}

bool CopySettingsFile(const TestRow& test, const AppState& app) {
  return CopyIfExists(app.app_dir + std::wstring(test.settings_file),
                      app.game_dir + std::wstring(test.copy_destination), true);
}

std::optional<std::wstring> SettingsFileProblem(const TestRow& test, const AppState& app) {
  const std::wstring source = app.app_dir + std::wstring(test.settings_file);
  if (!IsFile(source)) return L"The settings file " + source + L" is missing.";

  const std::wstring folder = app.game_dir + std::wstring(test.benchmark_folder);
  if (!EntryExists(folder + L"\\")) {
    for (const std::wstring& level : FolderLevels(folder)) {
      if (EntryExists(level)) continue;
      const std::wstring name = level.substr(0, level.size() - 1);
      if (IsFile(name)) return L"A file stands where the folder " + name + L" should be.";
      return L"The folder " + name + L" could not be created.";
    }
    return L"The folder " + folder + L" could not be created.";
  }

  const std::wstring target = app.game_dir + std::wstring(test.copy_destination) +
                              source.substr(source.find_last_of(L'\\') + 1);
  const std::optional<std::string> wanted = ReadSmallFile(source);
  const std::optional<std::string> present = ReadSmallFile(target);
  if (wanted && present && *wanted == *present) return std::nullopt;

  const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(target).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return L"The settings file " + target + L" is read-only and differs from " + source + L".";
  }
  // Once more, for the system's own words on what is wrong.
  if (CopyFileW(ExtendedLengthPath(source).c_str(), ExtendedLengthPath(target).c_str(), FALSE)) {
    return std::nullopt;
  }
  return L"The settings file could not be copied to " + target + L":\r\n" +
         SystemErrorText(GetLastError());
}

TestStart StartTestBatchFile(const TestRow& test, const AppState& app) {
  TestStart outcome;
  outcome.batch_path = app.app_dir + BatchFileFor(test, app.selected_res);
  const std::wstring result_path = app.app_dir + std::wstring(test.result_file);
  const FileStamp before = StampOf(result_path);

  const int show = test.runs_at_resolution ? SW_SHOWMINNOACTIVE : SW_HIDE;
  BatchStart start = StartBatchFile(outcome.batch_path, show, app.app_dir);
  outcome.started = start.started;
  outcome.error = start.error;
  if (start.started) {
    outcome.pending = PendingResult{result_path, before, std::move(start.process), {}};
  }
  return outcome;
}

}  // namespace quorvath
