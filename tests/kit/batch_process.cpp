#include "batch_process.h"

#include <stdexcept>

#include "kit_files.h"

namespace quorvath::kit_test {
namespace {

fs::path CommandInterpreter() {
  wchar_t system_folder[MAX_PATH + 1];
  const UINT length = GetSystemDirectoryW(system_folder, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetSystemDirectoryW failed");
  return fs::path(system_folder) / L"cmd.exe";
}

// With /s the interpreter drops exactly the outer pair of quotes, whatever the quoted name
// holds: "<batch>" 1 remains.
std::wstring CommandLine(const fs::path& batch_file) {
  return L"\"" + CommandInterpreter().wstring() + L"\" /d /s /c \"\"" + batch_file.wstring() +
         L"\" 1\"";
}

UniqueHandle InheritableOutputFile(const fs::path& output_file) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  UniqueHandle file(CreateFileW(output_file.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot create " + Utf8(output_file.wstring()));
  }
  return file;
}

}  // namespace

BatchProcess::BatchProcess(const fs::path& batch_file, const fs::path& current_folder,
                           const fs::path& output_file)
    : output_file_(output_file) {
  const UniqueHandle output = InheritableOutputFile(output_file);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = nullptr;
  startup.hStdOutput = output.get();
  startup.hStdError = output.get();
  PROCESS_INFORMATION process{};
  std::wstring command = CommandLine(batch_file);
  // A console of its own without a window, as a hidden start from Quorvath gets: its code
  // page is an OEM one, which is what the kit must cope with when it writes ut.out.
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      current_folder.c_str(), &startup, &process)) {
    throw std::runtime_error("cannot start " + Utf8(command));
  }
  CloseHandle(process.hThread);
  process_.reset(process.hProcess);
}

BatchProcess::~BatchProcess() {
  if (!HasEnded()) {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
  }
}

bool BatchProcess::HasEnded() const {
  return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
}

bool BatchProcess::WaitForEnd(std::chrono::milliseconds limit) {
  if (WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0) {
    return true;
  }
  TerminateProcess(process_.get(), 1);
  WaitForSingleObject(process_.get(), 5000);
  return false;
}

DWORD BatchProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::string BatchProcess::Output() const { return ReadBytes(output_file_).value_or(""); }

BatchOutcome RunBatch(const fs::path& batch_file, const fs::path& current_folder,
                      const fs::path& output_file) {
  BatchProcess process(batch_file, current_folder, output_file);
  BatchOutcome outcome;
  outcome.ended_in_time = process.WaitForEnd(kRunLimit);
  outcome.exit_code = process.ExitCode();
  outcome.output = process.Output();
  return outcome;
}

}  // namespace quorvath::kit_test
