// Path texts: the program folder, the levels of a folder path and the parts of file names.
#include "core/paths.h"

#include <gtest/gtest.h>

namespace quorvath {

TEST(Paths, FormFoldersAndFileNames) {
  using Fn = std::wstring (*)(std::wstring_view);
  const Fn folder = FolderOfPath, name = FileNameOfPath;
  const Fn with = [](std::wstring_view f) { return WithTrailingBackslash(std::wstring(f)); };
  const Fn without = [](std::wstring_view f) { return WithoutTrailingBackslash(std::wstring(f)); };
  const Fn parent = [](std::wstring_view f) { return ParentFolder(f).value_or(L"none"); };
  const Fn csv = [](std::wstring_view p) { return FileTitle(p, L".csv"); };
  const Fn zip = [](std::wstring_view p) { return FileTitle(p, L".zip"); };
  const Fn safe = [](std::wstring_view t) { return FileSafeName(t, L"chart"); };
  // clang-format off
  const std::tuple<Fn, std::wstring_view, std::wstring_view> cases[] = {
      {folder, L"D:\\B\\q.exe", L"D:\\B"}, {folder, L"C:\\q.exe", L"C:\\"}, {folder, L"q", L""},
      {with, L"D:\\B", L"D:\\B\\"}, {with, L"C:\\", L"C:\\"}, {with, L"", L"\\"},
      {without, L"D:\\B\\", L"D:\\B"}, {without, L"D:\\B", L"D:\\B"}, {without, L"", L""},
      {parent, L"C:\\Games\\Alpha\\", L"C:\\Games"}, {parent, L"C:\\Games\\Alpha", L"C:\\Games"},
      {parent, L"C:\\A\\", L"C:"}, {parent, L"C:\\", L"none"}, {parent, L"", L"none"},
      {name, L"C:\\R\\run.csv", L"run.csv"}, {name, L"C:/R/run.csv", L"run.csv"},
      {name, L"a\\b/c", L"c"}, {name, L"run.csv", L"run.csv"}, {name, L"C:\\R\\", L""},
      {csv, L"C:\\R\\run.csv", L"run"}, {csv, L"R/A.CSV", L"A"}, {csv, L"a.Csv", L"a"},
      {csv, L"a.csvx", L"a.csvx"}, {csv, L"C:\\R\\.csv", L".csv"}, {csv, L"sv", L"sv"},
      {zip, L"chart.ZIP", L"chart"}, {zip, L"a.zap", L"a.zap"},
      {safe, L"High Quality 1280 x 1024", L"High Quality 1280 x 1024"}, {safe, L" lead", L" lead"},
      {safe, L"a\\b/c:d*e?f\"g<h>i|j", L"abcdefghij"}, {safe, L"run. . ", L"run"},
      {safe, L"\x01tab\tdel\x7F~", L"tabdel~"}, {safe, L"..", L"chart"}, {safe, L"", L"chart"}};
  // clang-format on
  for (const auto& [fn, text, result] : cases) EXPECT_EQ(fn(text), result) << text.data();
}

TEST(Paths, WalkTheLevelsOfAFolderFromItsRoot) {
  // clang-format off
  const std::tuple<std::wstring_view, std::size_t, std::vector<std::wstring>> cases[] = {
      {L"C:\\Games\\Alpha", 3, {L"C:\\", L"C:\\Games\\", L"C:\\Games\\Alpha\\"}},
      {L"z:\\A\\", 3, {L"z:\\", L"z:\\A\\", L"z:\\A\\\\"}},
      {L"C:\\", 3, {}}, {L"C:", 0, {}}, {L"Games", 0, {}},
      {L"C:A\\B", 0, {L"C:A\\", L"C:A\\B\\"}},
      {L"1:\\A", 0, {L"1:\\", L"1:\\A\\"}},
      {L"Games\\Alpha", 0, {L"Games\\", L"Games\\Alpha\\"}},
      {L"\\\\srv\\share\\Results", 12, {L"\\\\srv\\share\\", L"\\\\srv\\share\\Results\\"}},
      {L"\\\\srv\\share", 11, {}}, {L"\\\\srv\\share\\", 12, {}},
      {L"\\\\srv\\\\R", 0, {L"\\", L"\\\\", L"\\\\srv\\", L"\\\\srv\\\\", L"\\\\srv\\\\R\\"}},
      {L"\\\\srv\\", 0, {L"\\", L"\\\\", L"\\\\srv\\", L"\\\\srv\\\\"}},
      {L"\\\\?\\C:\\A", 7, {L"\\\\?\\C:\\", L"\\\\?\\C:\\A\\"}},
      {L"\\\\?\\unc\\srv\\sh\\A", 15, {L"\\\\?\\unc\\srv\\sh\\", L"\\\\?\\unc\\srv\\sh\\A\\"}},
      {L"\\\\?\\UNC\\srv\\sh", 14, {}},
      {L"\\\\?\\UNC\\srv", 0, {L"\\", L"\\\\", L"\\\\?\\", L"\\\\?\\UNC\\", L"\\\\?\\UNC\\srv\\"}}};
  // clang-format on
  for (const auto& [path, root, levels] : cases) {
    EXPECT_EQ(RootLength(path), root) << path.data();
    EXPECT_EQ(FolderLevels(path), levels) << path.data();
  }
}

}  // namespace quorvath
