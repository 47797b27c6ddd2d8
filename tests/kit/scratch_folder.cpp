#include "scratch_folder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "kit_files.h"

namespace quorvath::kit_test {
namespace {

// Letters from several scripts, so that some fall inside and some outside whatever ANSI
// code page the system uses.
constexpr std::wstring_view kCandidateLetters =
    L"\u00e9\u00fc\u00f1\u00e5\u0416\u0434\u03a9\u03bb\u30a2\u4e2d\u05d0";

std::wstring LettersByAnsi(bool spelled, std::size_t wanted) {
  std::wstring letters;
  for (const wchar_t letter : kCandidateLetters) {
    if (SpelledByAnsiCodePage(std::wstring_view(&letter, 1)) == spelled) {
      letters += letter;
      if (letters.size() == wanted) break;
    }
  }
  return letters;
}

fs::path LongTempFolder() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetTempPathW failed");
  // %TEMP% may be given in short 8.3 form; the batch files report what they are started
  // from, so the tests start them from the long form that they compare with.
  std::wstring long_form(32768, L'\0');
  const DWORD long_length =
      GetLongPathNameW(temp, long_form.data(), static_cast<DWORD>(long_form.size()));
  if (long_length == 0 || long_length >= long_form.size()) return fs::path(temp);
  long_form.resize(long_length);
  return fs::path(long_form);
}

fs::path UniqueRoot() {
  static std::atomic<unsigned> sequence{0};
  const fs::path base = LongTempFolder() / L"quorvath kit tests";
  for (;;) {
    const fs::path candidate =
        base / (std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++sequence) + L"-" +
                std::to_wstring(GetTickCount64()));
    std::error_code error;
    fs::create_directories(base, error);
    if (fs::create_directory(candidate, error)) return candidate;
    if (error) throw std::runtime_error("cannot create a scratch folder: " + error.message());
  }
}

}  // namespace

std::wstring FolderNameWithBlanks() { return L"Quorvath Kit Folder"; }

std::wstring FolderNameWithAnsiLetters() {
  const std::wstring letters = LettersByAnsi(true, 2);
  if (letters.empty()) return {};
  return L"Quorvath K" + letters + L"t Folder";
}

std::wstring FolderNameWithPunctuation() { return L"Quorvath (x86) & Co, Ltd; 'Kit!' ^1=1"; }

std::wstring FolderNameOutsideAnsi() {
  const std::wstring letters = LettersByAnsi(false, 2);
  if (letters.empty()) return {};
  return L"Quorvath K" + letters + L"t Folder";
}

ScratchProgramFolder::ScratchProgramFolder(std::wstring_view folder_name)
    : root_(UniqueRoot()), program_(root_ / folder_name), elsewhere_(root_ / L"Somewhere else") {
  const fs::path kit = DemoKitFolder();
  if (!fs::is_directory(kit)) {
    throw std::runtime_error("the demo kit is not beside the test program: " + Utf8(kit.wstring()));
  }
  fs::create_directory(program_);
  fs::create_directory(elsewhere_);
  fs::copy(kit, program_, fs::copy_options::recursive);
}

ScratchProgramFolder::~ScratchProgramFolder() { RemoveTree(root_); }

fs::path ScratchProgramFolder::SettingsCopy(const FlybyBatch& batch) const {
  return GameFolder() / batch.benchmark_folder / batch.settings_file_name;
}

void ScratchProgramFolder::PlaceSettingsFile(const FlybyBatch& batch) const {
  fs::create_directories(GameFolder() / batch.benchmark_folder);
  const fs::path source = program_ / batch.settings_file;
  if (!CopyFileW(source.c_str(), SettingsCopy(batch).c_str(), FALSE)) {
    throw std::runtime_error("cannot copy " + Utf8(source.wstring()));
  }
}

}  // namespace quorvath::kit_test
