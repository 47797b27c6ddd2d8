// Runs one of the kit's batch files as Quorvath does: through the command interpreter,
// with the argument "1", without a window, and (deliberately) in a current folder that is
// not the program folder. Its output is kept for failure messages.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "win_handle.h"

namespace quorvath::kit_test {

namespace fs = std::filesystem;

class BatchProcess {
 public:
  BatchProcess(const fs::path& batch_file, const fs::path& current_folder,
               const fs::path& output_file);
  ~BatchProcess();
  BatchProcess(const BatchProcess&) = delete;
  BatchProcess& operator=(const BatchProcess&) = delete;

  bool HasEnded() const;
  // Waits for the end; on time-out ends the process and returns false.
  bool WaitForEnd(std::chrono::milliseconds limit);
  DWORD ExitCode() const;
  // What the batch file printed, for messages.
  std::string Output() const;

 private:
  UniqueHandle process_;
  fs::path output_file_;
};

struct BatchOutcome {
  bool ended_in_time = false;
  DWORD exit_code = 0;
  std::string output;
};

// Starts the batch file and waits for it (a demo run takes a few seconds).
BatchOutcome RunBatch(const fs::path& batch_file, const fs::path& current_folder,
                      const fs::path& output_file);

// Generous for a demo run of about three seconds on a loaded machine.
inline constexpr std::chrono::milliseconds kRunLimit{30000};

}  // namespace quorvath::kit_test
