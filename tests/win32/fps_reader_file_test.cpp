// The result reader on real files, through CreateFileW and ReadFile.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "fps_temp_folder.h"
#include "results/fps_reader.h"
#include "results/fps_stream.h"

namespace quorvath {
namespace {

using fps_test::TempFolder;

constexpr std::string_view kSevenGroups =
    "Deck\r\n41.27 / 63.90 / 118.52 fps\r\nFrames 5123 in 62.35 seconds\r\nFlyby finished\r\n"
    "Facing the Worlds\r\n12.5 / 40.25 / 99.75 fps\r\n\r\n\r\n"
    "  Morpheus\r\n1  / 2 / 3 / 4wxyz\r\nx\r\ny\r\n"
    "Phobos Moon\r\n1 / 2 / wxyz\r\nx\r\ny\r\n"
    "Long Corridor Two\r\n123456789012 / 2 / 3wxyz\r\nx\r\ny\r\n"
    "Cellar\r\n7.5 / 8.5 / 9.5 fps\r\nx\r\ny\r\n"
    "Gauntlet\r\n10.00 / 20.00 / 30.00 fps\r\nx\r\ny";

void ExpectSameRead(const FpsReadResult& actual, const FpsReadResult& expected) {
  ASSERT_EQ(actual.records.size(), expected.records.size());
  for (std::size_t i = 0; i < expected.records.size(); ++i) {
    EXPECT_EQ(actual.records[i], expected.records[i]) << "record index " << i;
  }
  EXPECT_EQ(actual.record_count, expected.record_count);
  EXPECT_EQ(actual.faults, expected.faults);
  EXPECT_EQ(actual.fault_count, expected.fault_count);
}

std::string ContentOf(const std::wstring& path) {
  std::string content;
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    content.append(buffer, got);
  CloseHandle(file);
  return content;
}

FILETIME LastWriteOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

TEST(ReadFpsFile, ReadsTheFileAsItsBytes) {
  const TempFolder folder;
  const std::wstring path = folder.Write(L"HQ_FPS.txt", kSevenGroups);
  const FpsReadResult result = ReadFpsFile(path);
  EXPECT_EQ(result.records.size(), 7u);
  EXPECT_EQ(result.record_count, 8u);
  EXPECT_FALSE(result.damaged());
  ExpectSameRead(result, ReadFpsBytes(kSevenGroups));
  EXPECT_EQ(result.records[2].level_name.text(), L"Morpheus      ");
  EXPECT_EQ(result.records[2].fps_low.text(), L"1         ");
  EXPECT_EQ(result.records[2].fps_high.text(), L"3 / 4     ");
}

TEST(ReadFpsFile, LeavesTheFileInPlaceAndUnchanged) {
  const TempFolder folder;
  const std::wstring path = folder.Write(L"CPU_Test_FPS.txt", kSevenGroups);
  const FILETIME written = LastWriteOf(path);
  Sleep(20);  // so that a rewrite would show in the time stamp
  ReadFpsFile(path);
  EXPECT_EQ(ContentOf(path), kSevenGroups);
  const FILETIME after = LastWriteOf(path);
  EXPECT_EQ(CompareFileTime(&written, &after), 0);
}

TEST(ReadFpsFile, ReadsAFileThatItsWriterStillHoldsOpen) {
  const TempFolder folder;
  const std::wstring path = folder.Write(L"LQ_FPS.txt", kSevenGroups);
  // As a batch process that has not yet closed its output.
  const HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  const FpsReadResult result = ReadFpsFile(path);
  CloseHandle(writer);
  EXPECT_EQ(result.records.size(), 7u);
  EXPECT_FALSE(result.damaged());
}

TEST(ReadFpsFile, AMissingFileGivesNoRecordsAndSaysSo) {
  const TempFolder folder;
  const FpsReadResult result = ReadFpsFile(folder.path() + L"HQ_FPS.txt");
  EXPECT_TRUE(result.records.empty());
  EXPECT_EQ(result.record_count, 1u);
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kCannotOpen, 0, ERROR_FILE_NOT_FOUND}));
  EXPECT_EQ(DescribeFpsFault(result.faults[0]), L"the file could not be opened (system error 2).");
}

TEST(ReadFpsFile, AMissingFolderGivesPathNotFound) {
  const TempFolder folder;
  const FpsReadResult result = ReadFpsFile(folder.path() + L"gone\\HQ_FPS.txt");
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kCannotOpen, 0, ERROR_PATH_NOT_FOUND}));
}

TEST(ReadFpsFile, AFolderCannotBeOpenedAsAResultFile) {
  const TempFolder folder;
  const std::wstring& with_backslash = folder.path();
  const FpsReadResult result = ReadFpsFile(with_backslash.substr(0, with_backslash.size() - 1));
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0].problem, FpsProblem::kCannotOpen);
  EXPECT_NE(result.faults[0].system_error, 0u);
  EXPECT_TRUE(result.records.empty());
}

TEST(ReadFpsFile, ADamagedFileKeepsItsCompleteGroups) {
  const TempFolder folder;
  const std::wstring path =
      folder.Write(L"HQ_FPS.txt", std::string(kSevenGroups) + "\r\nHalf\r\n1 / 2 / 3wxyz\r\n");
  const FpsReadResult result = ReadFpsFile(path);
  EXPECT_EQ(result.records.size(), 7u);
  EXPECT_EQ(result.record_count, 8u);
  ASSERT_EQ(result.faults.size(), 1u);
  EXPECT_EQ(result.faults[0], (FpsFault{FpsProblem::kEndsInsideGroup, 29, 0}));
}

TEST(ReadFpsFile, AnEmptyFileIsValidWithoutRecords) {
  const TempFolder folder;
  const FpsReadResult result = ReadFpsFile(folder.Write(L"HQ_FPS.txt", ""));
  EXPECT_TRUE(result.records.empty());
  EXPECT_EQ(result.record_count, 1u);
  EXPECT_FALSE(result.damaged());
}

TEST(ReadFpsFile, ReadsManyPiecesOfManyGroups) {
  std::string bytes;
  for (int k = 0; k < 100'000; ++k) {
    bytes += "Level " + std::to_string(k) + "\r\n" + std::to_string(k % 97) + ".5 / 60.25 / " +
             std::to_string(k) + ".75 fps\r\nx\r\ny\r\n";
  }
  ASSERT_GT(bytes.size(), 10 * kFpsPieceBytes);
  const TempFolder folder;
  const FpsReadResult result = ReadFpsFile(folder.Write(L"HQ_FPS.txt", bytes));
  EXPECT_EQ(result.records.size(), 100'000u);
  EXPECT_EQ(result.record_count, 100'001u);
  EXPECT_FALSE(result.damaged());
  ExpectSameRead(result, ReadFpsBytes(bytes));
  EXPECT_EQ(result.records[99'999].fps_high.text(), L"99999.75  ");
}

TEST(ReadFpsFile, OpensPathsOutsideTheAnsiCodePage) {
  const TempFolder folder;
  const std::wstring path = folder.Write(L"R\u00e9sultats \u03a9 \u6e2c\u5b9a.txt", kSevenGroups);
  const FpsReadResult result = ReadFpsFile(path);
  EXPECT_EQ(result.records.size(), 7u);
  EXPECT_FALSE(result.damaged());
}

}  // namespace
}  // namespace quorvath
