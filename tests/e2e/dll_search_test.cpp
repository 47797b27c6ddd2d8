// A DLL dropped into the program folder beside the batch files is never loaded.
#include <gtest/gtest.h>

#include "program_driver.h"
#include "wine_version.h"

namespace quorvath::testing {
namespace {

// Wine prefers its own DLLs; the overrides make both programs take a DLL of that name from the
// search path first. They apply to every program of that name, so the test runs alone.
TEST(DllSearchAlone, ADllPlantedInTheProgramFolderIsNotLoaded) {
  ScopedWineDllOverride control_override(L"unhardened_window.exe", L"uxtheme");
  ScopedWineDllOverride program_override(L"quorvath.exe", L"uxtheme");
  ProgramFolder folder;
  folder.ReportGameFolder();
  ASSERT_TRUE(CopyFileW(BuiltFilePath(L"planted\\uxtheme.dll").c_str(),
                        (folder / L"uxtheme.dll").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(BuiltFilePath(L"planted\\unhardened_window.exe").c_str(),
                        (folder / L"unhardened_window.exe").c_str(), FALSE));
  const std::wstring marker = folder / L"planted-dll-loaded.txt";

  // The control: a program that leaves the search alone does load the planted DLL.
  {
    RunningProgram control(folder / L"unhardened_window.exe", folder.path());
    ASSERT_NE(control.WaitForWindow(L"Unhardened"), nullptr);
  }
  ASSERT_NE(ReadFileBytes(marker).find("unhardened_window.exe"), std::string::npos)
      << "the planted DLL is not loaded even without protection: this test would prove nothing";
  ASSERT_TRUE(DeleteFileW(marker.c_str()));

  // quorvath.exe, started from its own folder, shows its window and runs, and never loads it.
  RunningProgram program(folder.exe(), folder.path());
  const MainWindow main = FindMainWindow(program);
  ASSERT_NE(main.window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return main.TestsEnabled(); }, 12s));
  EXPECT_EQ(ReadFileBytes(marker), "");
}

}  // namespace
}  // namespace quorvath::testing
