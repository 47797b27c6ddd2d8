// "CPU Test\get-loc.bat": makes the demo game folder and reports it as the first line of
// ut.out in the program folder, absolute, without a trailing backslash, in the ANSI code
// page, whatever the program folder is called and whatever the current folder is.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "batch_process.h"
#include "kit_contract.h"
#include "kit_files.h"
#include "run_checks.h"
#include "scratch_folder.h"

namespace quorvath::kit_test {
namespace {

enum class FolderKind { kBlanks, kAnsiLetters, kPunctuation };

std::wstring FolderNameFor(FolderKind kind) {
  switch (kind) {
    case FolderKind::kBlanks:
      return FolderNameWithBlanks();
    case FolderKind::kAnsiLetters:
      return FolderNameWithAnsiLetters();
    case FolderKind::kPunctuation:
      return FolderNameWithPunctuation();
  }
  return {};
}

std::string FolderKindTitle(FolderKind kind) {
  switch (kind) {
    case FolderKind::kBlanks:
      return "Blanks";
    case FolderKind::kAnsiLetters:
      return "NonAsciiLetters";
    case FolderKind::kPunctuation:
      return "Punctuation";
  }
  return "Unknown";
}

void PrintTo(FolderKind kind, std::ostream* out) { *out << FolderKindTitle(kind); }

std::string FolderKindName(const ::testing::TestParamInfo<FolderKind>& param) {
  return FolderKindTitle(param.param);
}

// The one line of ut.out, decoded, or a failure.
::testing::AssertionResult ReadLocationLine(const fs::path& location_file, std::wstring& line) {
  const std::optional<std::string> bytes = ReadBytes(location_file);
  if (!bytes) return ::testing::AssertionFailure() << "no ut.out";
  std::string fault;
  const auto lines = SplitCrLfLines(*bytes, fault);
  if (!lines) return ::testing::AssertionFailure() << "ut.out: " << fault;
  if (lines->size() != 1) {
    return ::testing::AssertionFailure() << "ut.out has " << lines->size() << " lines";
  }
  line = DecodeAnsi(lines->front());
  return ::testing::AssertionSuccess();
}

// What Quorvath's field read makes of the line: a quoted folder loses its quotes.
std::wstring FolderOfLine(const std::wstring& line) {
  if (line.size() >= 2 && line.front() == L'"' && line.back() == L'"') {
    return line.substr(1, line.size() - 2);
  }
  return line;
}

class GetLocTest : public ::testing::TestWithParam<FolderKind> {
 protected:
  void SetUp() override {
    const std::wstring name = FolderNameFor(GetParam());
    if (name.empty()) GTEST_SKIP() << "the ANSI code page spells none of the candidate letters";
    folder_.emplace(name);
  }

  BatchOutcome RunGetLoc() {
    return RunBatch(folder_->Path() / kLocateBatchFile, folder_->Elsewhere(),
                    folder_->OutputFile(L"get-loc output.txt"));
  }

  // The line ut.out must hold: the game folder, quoted only when it holds a comma, since
  // Quorvath takes the first comma-separated field.
  std::wstring ExpectedLine() const {
    const std::wstring game = folder_->GameFolder().wstring();
    return game.find(L',') == std::wstring::npos ? game : L"\"" + game + L"\"";
  }

  std::optional<ScratchProgramFolder> folder_;
};

TEST_P(GetLocTest, MakesTheDemoGameFolderAndReportsItInUtOut) {
  ASSERT_FALSE(StateOf(folder_->GameFolder()).exists);
  std::set<std::wstring> expected_entries = EntriesOf(folder_->Path());

  const BatchOutcome outcome = RunGetLoc();

  ASSERT_TRUE(outcome.ended_in_time) << Describe(outcome);
  EXPECT_EQ(outcome.exit_code, 0u) << Describe(outcome);
  EXPECT_TRUE(StateOf(folder_->GameFolder()).is_folder);
  std::wstring line;
  ASSERT_TRUE(ReadLocationLine(folder_->Path() / kLocationFile, line)) << Describe(outcome);
  ASSERT_FALSE(line.empty());
  EXPECT_EQ(line, ExpectedLine());
  const fs::path reported = FolderOfLine(line);
  EXPECT_TRUE(reported.is_absolute()) << Utf8(line);
  EXPECT_NE(line.back(), L'\\');
  EXPECT_TRUE(SameFileSystemObject(reported, folder_->GameFolder())) << Utf8(line);
  // No partial file left behind, and nothing written where the run merely started.
  expected_entries.insert(std::wstring(kDemoGameFolder));
  expected_entries.insert(std::wstring(kLocationFile));
  EXPECT_EQ(EntriesOf(folder_->Path()), expected_entries);
  EXPECT_TRUE(EntriesOf(folder_->Elsewhere()).empty());
}

TEST_P(GetLocTest, KeepsAnExistingGameFolderAndReplacesAnOldReport) {
  fs::create_directories(folder_->GameFolder() / L"Benchmark");
  WriteBytes(folder_->GameFolder() / L"Benchmark" / L"keep.txt", "kept\r\n");
  WriteBytes(folder_->Path() / kLocationFile, "C:\\Old Game\r\nsecond line\r\n");

  const BatchOutcome outcome = RunGetLoc();

  ASSERT_TRUE(outcome.ended_in_time) << Describe(outcome);
  EXPECT_EQ(outcome.exit_code, 0u) << Describe(outcome);
  EXPECT_EQ(ReadBytes(folder_->GameFolder() / L"Benchmark" / L"keep.txt"),
            std::optional<std::string>("kept\r\n"));
  std::wstring line;
  ASSERT_TRUE(ReadLocationLine(folder_->Path() / kLocationFile, line)) << Describe(outcome);
  EXPECT_EQ(line, ExpectedLine());
}

INSTANTIATE_TEST_SUITE_P(ProgramFolders, GetLocTest,
                         ::testing::Values(FolderKind::kBlanks, FolderKind::kAnsiLetters,
                                           FolderKind::kPunctuation),
                         FolderKindName);

// A program folder whose name the ANSI code page cannot spell: ut.out, read in that code
// page, must still lead to the demo game folder (for instance by its short name), or the
// batch file must fail and leave no ut.out. A report of some other folder is the fault.
TEST(GetLocOutsideAnsiTest, NeverReportsAFolderThatQuorvathWouldMisread) {
  const std::wstring name = FolderNameOutsideAnsi();
  if (name.empty()) GTEST_SKIP() << "the ANSI code page spells every candidate letter";
  ScratchProgramFolder folder(name);
  std::set<std::wstring> allowed_entries = EntriesOf(folder.Path());
  allowed_entries.insert(std::wstring(kDemoGameFolder));
  allowed_entries.insert(std::wstring(kLocationFile));

  const BatchOutcome outcome = RunBatch(folder.Path() / kLocateBatchFile, folder.Elsewhere(),
                                        folder.OutputFile(L"get-loc output.txt"));

  ASSERT_TRUE(outcome.ended_in_time) << Describe(outcome);
  EXPECT_TRUE(StateOf(folder.GameFolder()).is_folder);
  for (const std::wstring& entry : EntriesOf(folder.Path())) {
    EXPECT_TRUE(allowed_entries.contains(entry)) << "left behind: " << Utf8(entry);
  }
  if (outcome.exit_code == 0) {
    std::wstring line;
    ASSERT_TRUE(ReadLocationLine(folder.Path() / kLocationFile, line)) << Describe(outcome);
    EXPECT_TRUE(SameFileSystemObject(FolderOfLine(line), folder.GameFolder()))
        << "ut.out names " << Utf8(line);
  } else {
    EXPECT_FALSE(StateOf(folder.Path() / kLocationFile).exists) << Describe(outcome);
  }
}

}  // namespace
}  // namespace quorvath::kit_test
