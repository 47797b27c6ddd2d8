// The registry look-up and the start of the system information tool, on Wine's registry and
// Wine's own msinfo32.exe.
#include "ui/system_info.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

#include "scratch_folder.h"
#include "sys_info_support.h"

namespace quorvath {
namespace {

using testing::EndNewMsInfoProcesses;
using testing::kWineMsInfoFolder;
using testing::kWineMsInfoPath;
using testing::MsInfoProcesses;
using testing::ScratchFolder;
using testing::SysInfoRegistry;

constexpr wchar_t kUnavailable[] = L"System Information Is Unavailable At This Time";

std::string Ansi(std::wstring_view text) {
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

// ---------------------------------------------------------------------------------------
// GetKeyValue, on a key of its own under HKEY_LOCAL_MACHINE.

class KeyValue : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    key_path_ = std::wstring(kParentKey) + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }

  void TearDown() override {
    if (key_ != nullptr) RegCloseKey(key_);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_path_.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kParentKey);  // only once no other test uses it
  }

  // Stores the bytes as they are.
  void Write(const char* name, DWORD type, std::string_view bytes) {
    ASSERT_EQ(RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  void WriteString(const char* name, std::string_view text) {
    Write(name, REG_SZ, std::string(text) + '\0');
  }
  void WriteDword(const char* name, std::uint32_t number) {
    ASSERT_EQ(RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof number),
              ERROR_SUCCESS);
  }

  bool Read(const std::wstring& name, std::wstring& value) const {
    return GetKeyValue(HKEY_LOCAL_MACHINE, key_path_, name, value);
  }

  static constexpr wchar_t kParentKey[] = L"SOFTWARE\\Quorvath tests";
  std::wstring key_path_;
  HKEY key_ = nullptr;
};

TEST_F(KeyValue, ReadsAStringWithoutItsTerminatingZero) {
  WriteString("PATH", "C:\\Program Files\\Common Files\\Shared\\MSInfo\\msinfo32.exe");
  std::wstring value;
  EXPECT_TRUE(Read(L"PATH", value));
  EXPECT_EQ(value, L"C:\\Program Files\\Common Files\\Shared\\MSInfo\\msinfo32.exe");
}

TEST_F(KeyValue, AStringReplacesWhatTheTextHeld) {
  WriteString("PATH", "C:\\Tools");
  std::wstring value = L"left over from before";
  EXPECT_TRUE(Read(L"PATH", value));
  EXPECT_EQ(value, L"C:\\Tools");
}

TEST_F(KeyValue, AStringReadWithoutATerminatingZeroKeepsItsLastCharacter) {
  // Stored as UTF-16 followed by a stray byte, the string reaches the ANSI reader with no zero
  // after it.
  const std::wstring text = L"C:\\Tools";
  std::string data(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  data += 'x';
  ASSERT_EQ(RegSetValueExW(key_, L"PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  char raw[64] = {};
  DWORD size = sizeof raw;
  ASSERT_EQ(RegQueryValueExA(key_, "PATH", nullptr, nullptr, reinterpret_cast<BYTE*>(raw), &size),
            ERROR_SUCCESS);
  ASSERT_EQ(std::string_view(raw, size), "C:\\Tools") << "the read data ends in a zero";

  std::wstring value;
  EXPECT_TRUE(Read(L"PATH", value));
  EXPECT_EQ(value, text);
}

TEST_F(KeyValue, AnEmptyStringIsTheEmptyText) {
  WriteString("PATH", "");
  std::wstring value = L"left over";
  EXPECT_TRUE(Read(L"PATH", value));
  EXPECT_EQ(value, L"");
}

TEST_F(KeyValue, AStringOf1024BytesWithItsZeroIsReadWhole) {
  std::string text;
  for (int i = 0; text.size() < 1022; ++i) text += static_cast<char>('a' + i % 26);
  text += 'Z';  // the last character, right before the zero at byte 1024
  ASSERT_EQ(text.size() + 1, 1024u);
  WriteString("Long", text);
  std::wstring value;
  EXPECT_TRUE(Read(L"Long", value));
  EXPECT_EQ(value.size(), 1023u);
  EXPECT_EQ(value, std::wstring(text.begin(), text.end()));
}

TEST_F(KeyValue, ALongerStringFailsAndLeavesTheEmptyText) {
  const std::string text(1024, 'x');  // 1025 bytes with its zero
  WriteString("Long", text);
  std::wstring value = L"left over";
  EXPECT_FALSE(Read(L"Long", value));
  EXPECT_EQ(value, L"");
}

TEST_F(KeyValue, TheBufferLimitHoldsForEveryType) {
  Write("Fits", REG_BINARY, std::string(1024, '\x7F'));
  Write("TooLong", REG_BINARY, std::string(1025, '\x7F'));
  std::wstring value = L"kept";
  EXPECT_TRUE(Read(L"Fits", value));
  EXPECT_EQ(value, L"kept");
  EXPECT_FALSE(Read(L"TooLong", value));
  EXPECT_EQ(value, L"");
}

TEST_F(KeyValue, StringsAreDecodedFromTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "written for code page 1252, the system has " << GetACP();
  WriteString("PATH", "D:\\Outils syst\xE8me\\Caf\xE9");
  std::wstring value;
  EXPECT_TRUE(Read(L"PATH", value));
  EXPECT_EQ(value, L"D:\\Outils syst\u00E8me\\Caf\u00E9");
}

struct DwordCase {
  std::uint32_t number;
  const wchar_t* text;
};

void PrintTo(const DwordCase& value, std::ostream* out) { *out << value.number; }

class KeyValueDword : public KeyValue, public ::testing::WithParamInterface<DwordCase> {};

TEST_P(KeyValueDword, IsTheDecimalTextOfTheWhole32BitValue) {
  WriteDword("Number", GetParam().number);
  std::wstring value = L"12";  // replaced, not appended to
  EXPECT_TRUE(Read(L"Number", value));
  EXPECT_EQ(value, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, KeyValueDword,
    ::testing::Values(DwordCase{0x00ABCDEF, L"11259375"},  // top byte zero: kept
                      DwordCase{0x00000000, L"0"}, DwordCase{0x00000100, L"256"},
                      DwordCase{0x01000000, L"16777216"},  // zero bytes inside: kept
                      DwordCase{0x0A0B0C0D, L"168496141"}, DwordCase{0xFFFFFFFF, L"4294967295"}));

TEST_F(KeyValue, OtherTypesReturnTrueAndLeaveTheTextUnchanged) {
  Write("Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\system32\\msinfo32.exe") + '\0');
  Write("Binary", REG_BINARY, std::string("\x01\x02\x03\x00", 4));
  Write("Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9));
  for (const wchar_t* name : {L"Expand", L"Binary", L"Multi"}) {
    std::wstring value = L"unchanged";
    EXPECT_TRUE(Read(name, value)) << name;
    EXPECT_EQ(value, L"unchanged") << name;
    value.clear();
    EXPECT_TRUE(Read(name, value)) << name;
    EXPECT_EQ(value, L"") << name;
  }
}

TEST_F(KeyValue, AnEmptyDataBlockIsTheEmptyText) {
  Write("EmptyString", REG_SZ, "");
  Write("EmptyBinary", REG_BINARY, "");
  for (const wchar_t* name : {L"EmptyString", L"EmptyBinary"}) {
    std::wstring value = L"left over";
    EXPECT_TRUE(Read(name, value)) << name;
    EXPECT_EQ(value, L"") << name;
  }
}

TEST_F(KeyValue, AMissingValueOrKeyFailsAndLeavesTheEmptyText) {
  std::wstring value = L"left over";
  EXPECT_FALSE(Read(L"Nothing", value));
  EXPECT_EQ(value, L"");

  value = L"left over";
  EXPECT_FALSE(GetKeyValue(HKEY_LOCAL_MACHINE, key_path_ + L"\\No such key", L"PATH", value));
  EXPECT_EQ(value, L"");
}

TEST_F(KeyValue, ANameTheAnsiCodePageCannotSpellIsNotFound) {
  // Were the name spelled with a stand-in character, this value would be found instead.
  WriteString("?", "wrong");
  const std::wstring name = L"\u4E2D\u6587";
  const std::wstring data = L"C:\\right";
  ASSERT_EQ(
      RegSetValueExW(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
      ERROR_SUCCESS);
  BOOL lossy = FALSE;
  WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, &lossy);
  if (!lossy) GTEST_SKIP() << "the ANSI code page spells the name";
  std::wstring value = L"left over";
  EXPECT_FALSE(Read(name, value));
  EXPECT_EQ(value, L"");
}

// ---------------------------------------------------------------------------------------
// StartSysInfo, on the registry values that locate the tool.

struct SeenMessageBox {
  std::wstring title;
  std::wstring text;
  int buttons = 0;
  std::wstring first_button;
};

HWND FindOwnMessageBox() {
  struct Search {
    HWND found = nullptr;
  } search;
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        wchar_t class_name[16] = {};
        GetClassNameW(window, class_name, 16);
        if (pid == GetCurrentProcessId() && IsWindowVisible(window) &&
            std::wstring_view(class_name) == L"#32770") {
          reinterpret_cast<Search*>(data)->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

SeenMessageBox ReadMessageBox(HWND box) {
  SeenMessageBox seen;
  seen.title = TextOf(box);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t class_name[16] = {};
    GetClassNameW(child, class_name, 16);
    const std::wstring text = TextOf(child);
    if (std::wstring_view(class_name) == L"Static" && text.size() > seen.text.size()) {
      seen.text = text;
    } else if (std::wstring_view(class_name) == L"Button" && IsWindowVisible(child)) {
      if (seen.buttons++ == 0) seen.first_button = text;
    }
  }
  return seen;
}

// Runs `action` here; a message box that it shows is read and answered from another thread.
std::optional<SeenMessageBox> RunAnsweringMessageBox(const std::function<void()>& action) {
  std::atomic<bool> done{false};
  std::optional<SeenMessageBox> seen;
  std::thread watcher([&] {
    while (!done) {
      if (const HWND box = FindOwnMessageBox()) {
        seen = ReadMessageBox(box);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return;
      }
      Sleep(50);
    }
  });
  action();
  done = true;
  watcher.join();
  return seen;
}

class SysInfoTool : public ::testing::Test {
 protected:
  // What pressing "System Info..." does: the message box it shows, if any.
  std::optional<SeenMessageBox> PressSystemInfo() {
    return RunAnsweringMessageBox([] { StartSysInfo(nullptr); });
  }

  // True when the tool was started; ends it.
  bool ToolStarted() const { return EndNewMsInfoProcesses(before_, 10'000); }
  bool AnyToolStarted() const { return EndNewMsInfoProcesses(before_, 1'000); }

  static void ExpectUnavailableMessage(const std::optional<SeenMessageBox>& box) {
    ASSERT_TRUE(box.has_value()) << "no message";
    EXPECT_EQ(box->title, L"Quorvath");
    EXPECT_EQ(box->text, kUnavailable);
    EXPECT_EQ(box->buttons, 1);
    EXPECT_EQ(box->first_button, L"OK");
  }

  SysInfoRegistry registry_;
  const std::set<DWORD> before_ = MsInfoProcesses();
};

TEST_F(SysInfoTool, StartsTheRegisteredPath) {
  ASSERT_TRUE(registry_.path.SetString(Ansi(kWineMsInfoPath)));
  ASSERT_TRUE(registry_.folder.Remove());
  const std::optional<SeenMessageBox> box = PressSystemInfo();
  EXPECT_FALSE(box.has_value()) << (box ? box->text : std::wstring());
  EXPECT_TRUE(ToolStarted());
}

TEST_F(SysInfoTool, ARegisteredPathIsTakenUncheckedAndTheFolderIsNeverRead) {
  ScratchFolder empty;
  ASSERT_TRUE(registry_.path.SetString(Ansi(empty / L"msinfo32.exe")));
  ASSERT_TRUE(registry_.folder.SetString(Ansi(kWineMsInfoFolder)));  // would start the tool
  ExpectUnavailableMessage(PressSystemInfo());
  EXPECT_FALSE(AnyToolStarted());
}

TEST_F(SysInfoTool, APathOfAnotherTypeIsTakenAsTheEmptyPath) {
  ASSERT_TRUE(registry_.path.Set(REG_EXPAND_SZ, Ansi(kWineMsInfoPath) + '\0'));
  ASSERT_TRUE(registry_.folder.SetString(Ansi(kWineMsInfoFolder)));
  ExpectUnavailableMessage(PressSystemInfo());
  EXPECT_FALSE(AnyToolStarted());
}

TEST_F(SysInfoTool, AnEmptyPathValueIsUnavailable) {
  ASSERT_TRUE(registry_.path.Set(REG_SZ, ""));
  ASSERT_TRUE(registry_.folder.SetString(Ansi(kWineMsInfoFolder)));
  ExpectUnavailableMessage(PressSystemInfo());
  EXPECT_FALSE(AnyToolStarted());
}

TEST_F(SysInfoTool, WithoutAPathTheRegisteredFolderIsUsed) {
  ASSERT_TRUE(registry_.path.Remove());
  ASSERT_TRUE(registry_.folder.SetString(Ansi(kWineMsInfoFolder)));
  const std::optional<SeenMessageBox> box = PressSystemInfo();
  EXPECT_FALSE(box.has_value()) << (box ? box->text : std::wstring());
  EXPECT_TRUE(ToolStarted());
}

TEST_F(SysInfoTool, TheFolderMayBeAnywhere) {
  ScratchFolder folder(L"Shared Tools");
  ASSERT_TRUE(CopyFileW(kWineMsInfoPath, (folder / L"MSINFO32.EXE").c_str(), TRUE));
  ASSERT_TRUE(registry_.path.Remove());
  std::wstring registered = folder.path();
  registered.pop_back();  // registered without its trailing backslash
  ASSERT_TRUE(registry_.folder.SetString(Ansi(registered)));
  const std::optional<SeenMessageBox> box = PressSystemInfo();
  EXPECT_FALSE(box.has_value()) << (box ? box->text : std::wstring());
  EXPECT_TRUE(ToolStarted());
}

TEST_F(SysInfoTool, AFolderWithoutTheToolIsUnavailable) {
  ScratchFolder folder;
  testing::WriteFileBytes(folder / L"MSINFO.EXE", "not the tool");
  ASSERT_TRUE(registry_.path.Remove());
  ASSERT_TRUE(registry_.folder.SetString(Ansi(folder.path())));
  ExpectUnavailableMessage(PressSystemInfo());
  EXPECT_FALSE(AnyToolStarted());
}

TEST_F(SysInfoTool, AFolderNamedLikeTheToolDoesNotCount) {
  ScratchFolder folder;
  ASSERT_TRUE(CreateDirectoryW((folder / L"MSINFO32.EXE").c_str(), nullptr));
  ASSERT_TRUE(registry_.path.Remove());
  std::wstring registered = folder.path();
  registered.pop_back();
  ASSERT_TRUE(registry_.folder.SetString(Ansi(registered)));
  ExpectUnavailableMessage(PressSystemInfo());
  EXPECT_FALSE(AnyToolStarted());
}

TEST_F(SysInfoTool, NothingRegisteredIsUnavailable) {
  ASSERT_TRUE(registry_.path.Remove());
  ASSERT_TRUE(registry_.folder.Remove());
  ExpectUnavailableMessage(PressSystemInfo());
  EXPECT_FALSE(AnyToolStarted());
}

class SysInfoToolHiddenFile : public SysInfoTool, public ::testing::WithParamInterface<DWORD> {};

TEST_P(SysInfoToolHiddenFile, IsNotANormalFileAndDoesNotCount) {
  ScratchFolder folder;
  const std::wstring tool = folder / L"MSINFO32.EXE";
  ASSERT_TRUE(CopyFileW(kWineMsInfoPath, tool.c_str(), TRUE));
  ASSERT_TRUE(SetFileAttributesW(tool.c_str(), GetParam()));
  ASSERT_TRUE(registry_.path.Remove());
  std::wstring registered = folder.path();
  registered.pop_back();
  ASSERT_TRUE(registry_.folder.SetString(Ansi(registered)));
  ExpectUnavailableMessage(PressSystemInfo());
  EXPECT_FALSE(AnyToolStarted());
  SetFileAttributesW(tool.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go
}

INSTANTIATE_TEST_SUITE_P(Attributes, SysInfoToolHiddenFile,
                         ::testing::Values(FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
                                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

}  // namespace
}  // namespace quorvath
