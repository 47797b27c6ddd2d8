// Reading a test's result file into its window's list.
#pragma once

#include <windows.h>

#include <string>

#include "results/fps_read_result.h"
#include "runs/batch_files.h"

namespace quorvath {

// app_dir + the test's result file.
std::wstring ResultFilePath(TestKind test);

// Reads the test's result file and replaces the list's rows with its rows, laid out for the
// current resolution choice. Returns the read, for what was wrong with the file.
FpsReadResult LoadResults(TestKind test, HWND list);

inline FpsReadResult LoadCpuResults(HWND list) { return LoadResults(TestKind::kCpu, list); }
inline FpsReadResult LoadHighResults(HWND list) { return LoadResults(TestKind::kHigh, list); }
inline FpsReadResult LoadLowResults(HWND list) { return LoadResults(TestKind::kLow, list); }

// What to tell the user about a result file that could not be read whole, naming the file
// and the line.
std::wstring DamagedResultMessage(const std::wstring& path, const FpsReadResult& read);

}  // namespace quorvath
