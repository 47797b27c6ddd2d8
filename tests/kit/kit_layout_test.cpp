// The kit as delivered: every file Quorvath needs, and files the command interpreter reads
// the same way on every system.
#include <gtest/gtest.h>

#include <string>

#include "kit_contract.h"
#include "kit_files.h"

namespace quorvath::kit_test {
namespace {

std::vector<fs::path> KitFilesEndingIn(std::wstring_view extension) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(DemoKitFolder())) {
    if (entry.is_regular_file() && entry.path().extension().wstring() == extension) {
      files.push_back(entry.path());
    }
  }
  return files;
}

// Lines end in CR LF (the last one too), and every byte is printable ASCII or a tab.
std::string TextFault(std::string_view bytes) {
  if (bytes.size() < 2 || bytes.substr(bytes.size() - 2) != "\r\n") return "does not end in CR LF";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
      return "a CR without LF at byte " + std::to_string(i);
    }
    if (byte == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
      return "an LF without CR at byte " + std::to_string(i);
    }
    if (byte >= 0x80 || (byte < 0x20 && byte != '\r' && byte != '\n' && byte != '\t')) {
      return "byte " + std::to_string(i) + " is not printable ASCII";
    }
  }
  return {};
}

TEST(KitLayout, HoldsEveryRequiredFileAndBothAllResolutionsFiles) {
  const fs::path kit = DemoKitFolder();
  for (const std::wstring_view required : kRequiredFiles) {
    const FileState state = StateOf(kit / required);
    EXPECT_TRUE(state.exists && !state.is_folder) << Utf8(required);
  }
  for (const FlybyBatch& batch : FlybyBatches()) {
    const FileState state = StateOf(kit / batch.batch_file);
    EXPECT_TRUE(state.exists && !state.is_folder) << Utf8(batch.batch_file);
  }
}

TEST(KitLayout, BatchAndSettingsFilesAreAsciiWithCrLf) {
  const std::vector<fs::path> batch_files = KitFilesEndingIn(L".bat");
  const std::vector<fs::path> settings_files = KitFilesEndingIn(L".ini");
  // Nine test batch files, get-loc.bat and the one helper they share.
  EXPECT_EQ(batch_files.size(), FlybyBatches().size() + 2);
  EXPECT_EQ(settings_files.size(), 3u);
  for (const std::vector<fs::path>* files : {&batch_files, &settings_files}) {
    for (const fs::path& file : *files) {
      const std::optional<std::string> bytes = ReadBytes(file);
      ASSERT_TRUE(bytes) << Utf8(file.wstring());
      EXPECT_EQ(TextFault(*bytes), "") << Utf8(file.wstring());
    }
  }
}

TEST(KitLayout, SettingsFilesSayTheyAreDemoFiles) {
  for (const fs::path& file : KitFilesEndingIn(L".ini")) {
    const std::optional<std::string> bytes = ReadBytes(file);
    ASSERT_TRUE(bytes) << Utf8(file.wstring());
    EXPECT_NE(bytes->find("DEMO"), std::string::npos) << Utf8(file.wstring());
    EXPECT_NE(bytes->find("[Detail]"), std::string::npos) << Utf8(file.wstring());
  }
}

// The simulation is written once: each test batch file only hands its test to the helper.
TEST(KitLayout, TestBatchFilesHandTheirWorkToTheOneHelper) {
  for (const FlybyBatch& batch : FlybyBatches()) {
    const std::optional<std::string> bytes = ReadBytes(DemoKitFolder() / batch.batch_file);
    ASSERT_TRUE(bytes) << Utf8(batch.batch_file);
    // Found from the batch file's own place, whatever the current folder.
    EXPECT_NE(bytes->find("\"%~dp0"), std::string::npos) << Utf8(batch.batch_file);
    EXPECT_NE(bytes->find("demo-run.bat\""), std::string::npos) << Utf8(batch.batch_file);
    EXPECT_EQ(bytes->find("ping"), std::string::npos) << Utf8(batch.batch_file);
    EXPECT_EQ(bytes->find(">"), std::string::npos)
        << Utf8(batch.batch_file) << " writes a file itself";
  }
}

}  // namespace
}  // namespace quorvath::kit_test
