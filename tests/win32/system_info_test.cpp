// The registry look-up and the start of the system information tool, on Wine's registry and
// Wine's own msinfo32.exe.
#include "core/registry.h"
#include "core/ansi_text.h"
#include "ui/system_info.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstdint>
#include <set>
#include <thread>

#include "core/win_handles.h"
#include "test_support.h"

namespace quorvath {
namespace {

using namespace testing;

TEST(GetKeyValue, ReadsStringsAndNumbersWithinItsBufferAndLeavesOtherTypesAlone) {
  const std::wstring key = L"SOFTWARE\\Quorvath tests\\" + std::to_wstring(GetCurrentProcessId());
  const std::uint32_t number = 0x00ABCDEF, all_bits = 0xFFFFFFFF;
  const struct {
    DWORD type;
    std::string data;
    bool read;
    std::wstring value;  // before: "before"
  } cases[] = {
      {REG_SZ, std::string("C:\\Tools\\msinfo32.exe") + '\0', true, L"C:\\Tools\\msinfo32.exe"},
      {REG_SZ, std::string("Caf\xE9") + '\0', true, GetACP() == 1252 ? L"Caf\u00E9" : L"?"},
      {REG_SZ, std::string(1, '\0'), true, L""},
      {REG_SZ, "", true, L""},
      {REG_SZ, std::string(1023, 'a') + '\0', true, std::wstring(1023, L'a')},
      {REG_SZ, std::string(1024, 'a') + '\0', false, L""},
      {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4), true, L"11259375"},
      {REG_DWORD, std::string(reinterpret_cast<const char*>(&all_bits), 4), true, L"4294967295"},
      {REG_EXPAND_SZ, std::string("%SystemRoot%\\msinfo32.exe") + '\0', true, L"before"},
      {REG_BINARY, std::string(1024, '\x7F'), true, L"before"},
      {REG_BINARY, std::string(1025, '\x7F'), false, L""},
  };
  for (const auto& c : cases) {
    if (c.value == L"?") continue;  // written for code page 1252
    SCOPED_TRACE(::testing::Message() << c.type << " of " << c.data.size() << " bytes");
    const ScopedRegistryValue value(HKEY_LOCAL_MACHINE, key, L"Value");
    ASSERT_TRUE(value.Set(c.type, c.data));
    std::wstring text = L"before";
    EXPECT_EQ(GetKeyValue(HKEY_LOCAL_MACHINE, key, L"Value", text), c.read);
    EXPECT_EQ(text, c.value);
  }
  std::wstring text = L"before";
  EXPECT_FALSE(GetKeyValue(HKEY_LOCAL_MACHINE, key, L"Value", text));  // no such value
  EXPECT_EQ(text, L"");
  EXPECT_FALSE(GetKeyValue(HKEY_LOCAL_MACHINE, key + L"\\No such key", L"Value", text));
  // A name the code page cannot spell is not spelt by a look-alike ("Value" for "Valu\u0113").
  EXPECT_TRUE(GetACP() != 1252 || !EncodeAnsi(L"Valu\u0113"));
}

std::set<DWORD> ToolProcesses() {
  std::set<DWORD> found;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    const std::wstring name = entry.szExeFile;
    if (_wcsicmp(name.substr(name.find_last_of(L'\\') + 1).c_str(), L"msinfo32.exe") == 0) {
      found.insert(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return found;
}

// Presses "System Info..." as the dialog does: the tool starts (and is ended again here), or
// the message says that it is unavailable.
bool SysInfoStarted() {
  const std::set<DWORD> before = ToolProcesses();
  std::thread press([] { StartSysInfo(nullptr); });
  std::set<DWORD> started;
  std::optional<SeenMessageBox> box;
  WaitUntil(
      [&] {
        for (const DWORD pid : ToolProcesses())
          if (before.count(pid) == 0) started.insert(pid);
        box = WaitForMessageBox(GetCurrentProcessId(), 0ms);
        return !started.empty() || box;
      },
      30s);
  if (box) {
    EXPECT_EQ(box->title, L"Quorvath");
    EXPECT_EQ(box->text, L"System Information Is Unavailable At This Time");
    DismissMessageBox(*box);
  }
  press.join();
  for (const DWORD pid : started) {
    const UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 30'000);
  }
  EXPECT_EQ(started.empty(), box.has_value())
      << "the tool started, or the message showed: not both";
  return !started.empty();
}

TEST(StartSysInfo, StartsTheRegisteredToolOrSaysThatItIsUnavailable) {
  const ScopedRegistryValue path(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                 L"PATH");
  const ScopedRegistryValue folder(HKEY_LOCAL_MACHINE,
                                   L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
  ScratchFolder root, hidden_tool, without_tool;
  const std::wstring with_tool = root / L"Shared Tools\\", wine_tool = L"C:\\windows\\system32\\";
  CreateFolders(with_tool);
  for (const auto& [from, to] : {std::pair{L"msinfo32.exe", with_tool + L"MSINFO32.EXE"},
                                 std::pair{L"msinfo32.exe", hidden_tool / L"MSINFO32.EXE"},
                                 std::pair{L"hostname.exe", root / L"Shared.exe"}})  // see below
    ASSERT_TRUE(CopyFileW((wine_tool + from).c_str(), to.c_str(), FALSE));
  SetFileAttributesW((hidden_tool / L"MSINFO32.EXE").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const auto registered = [](const std::wstring& f) { return Ansi(f.substr(0, f.size() - 1)); };
  const struct {
    std::optional<std::string> path, folder;
    bool started;
  } cases[] = {
      {Ansi(wine_tool + L"msinfo32.exe"), std::nullopt, true},
      {Ansi(with_tool + L"missing.exe"), registered(with_tool),
       false},                                      // the folder is not read then
      {std::nullopt, registered(with_tool), true},  // quoted: not root\Shared.exe
      {std::nullopt, registered(hidden_tool.path()), false},
      {std::nullopt, registered(without_tool.path()), false},
      {std::nullopt, std::nullopt, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.value_or("-") + " " + c.folder.value_or("-"));
    ASSERT_TRUE(c.path ? path.SetString(*c.path) : path.Remove());
    ASSERT_TRUE(c.folder ? folder.SetString(*c.folder) : folder.Remove());
    EXPECT_EQ(SysInfoStarted(), c.started);
  }
}

}  // namespace
}  // namespace quorvath
