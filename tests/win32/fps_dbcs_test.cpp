// The reader under a double-byte ANSI code page (Japanese, 932): widths count characters,
// not bytes, and no character is ever cut in half, wherever the file's pieces are cut.
// These tests run only when the system code page is 932; a test run that sets
// QUORVATH_EXPECT_ACP=932 fails instead of skipping when it is not.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "fps_temp_folder.h"
#include "results/fps_reader.h"
#include "results/fps_stream.h"

namespace quorvath {
namespace {

constexpr UINT kJapaneseCodePage = 932;

class FpsDbcs : public testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() == kJapaneseCodePage) return;
    wchar_t expected[16] = {};
    const DWORD length = GetEnvironmentVariableW(L"QUORVATH_EXPECT_ACP", expected, 16);
    if (length > 0 && length < 16 && std::wcstoul(expected, nullptr, 10) == kJapaneseCodePage) {
      FAIL() << "the system code page is " << GetACP() << ", not " << kJapaneseCodePage;
    }
    GTEST_SKIP() << "needs the Japanese code page; the system's is " << GetACP();
  }

  // The file's bytes as a Japanese system writes them.
  static std::string Ansi(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
  }
};

std::wstring Padded(std::wstring_view text, std::size_t width) {
  std::wstring padded(text);
  padded.resize(width, L' ');
  return padded;
}

// Fourteen characters of two bytes each; 表 and ソ end in byte 0x5C, the backslash.
const std::wstring kFourteen =
    L"\u65e5\u672c\u8a9e\u306e\u8868\u793a\u30bd\u30d5\u30c8\u540d"
    L"\u524d\u30c6\u30b9\u30c8";

TEST_F(FpsDbcs, FourteenDoubleByteCharactersFillTheLevelName) {
  const std::string line = Ansi(kFourteen);
  ASSERT_EQ(line.size(), 28u);
  const FpsReadResult result = ReadFpsBytes(line + "\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n");
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_FALSE(result.damaged());
  EXPECT_EQ(result.records[0].level_name.text(), kFourteen);
}

TEST_F(FpsDbcs, AFifteenthCharacterIsCutWhole) {
  const std::wstring fifteen = kFourteen + L"\u5916";
  const FpsReadResult result = ReadFpsBytes(Ansi(fifteen) + "\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n");
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_EQ(result.records[0].level_name.text(), kFourteen);
}

TEST_F(FpsDbcs, ShortNamesArePaddedByCharacters) {
  // Seven characters are fourteen bytes: a reader counting bytes would pad nothing.
  const std::wstring seven = kFourteen.substr(0, 7);
  const FpsReadResult result = ReadFpsBytes(Ansi(seven) + "\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n");
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_EQ(result.records[0].level_name.text(), Padded(seven, 14));
}

TEST_F(FpsDbcs, MixesSingleAndDoubleByteCharacters) {
  // Half-width katakana are one byte each in this code page.
  const std::wstring name = L"\uff83\uff7d\uff84 \u8868\u793a A\u30bd";
  const FpsReadResult result = ReadFpsBytes(Ansi(name) + "\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n");
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_EQ(result.records[0].level_name.text(), Padded(name, 14));
}

TEST_F(FpsDbcs, FiguresAndTheirLastFourCharactersCountCharacters) {
  // Full-width figures; the last four characters of the line are eight bytes.
  const std::wstring figures =
      L"\uff11\uff12\uff0e\uff15 / \uff14\uff10 / "
      L"\uff19\uff19\uff0e\uff17\uff15\u30d5\u30ec\u30fc\u30e0";
  const FpsReadResult result = ReadFpsBytes("Deck\r\n" + Ansi(figures) + "\r\nx\r\ny\r\n");
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_FALSE(result.damaged());
  EXPECT_EQ(result.records[0].fps_low.text(), Padded(L"\uff11\uff12\uff0e\uff15", 10));
  EXPECT_EQ(result.records[0].fps_avg.text(), Padded(L"\uff14\uff10", 10));
  EXPECT_EQ(result.records[0].fps_high.text(), Padded(L"\uff19\uff19\uff0e\uff17\uff15", 10));
}

TEST_F(FpsDbcs, AsciiUpToTheCutAndDoubleByteCharactersAroundIt) {
  // Fourteen ASCII characters, then a double-byte one: the fourteen are kept, undecoded.
  // Thirteen, then a double-byte one: it is the fourteenth character, though its second byte
  // is the fifteenth byte. An ASCII high figure whose last four characters are double-byte
  // (eight bytes) loses exactly those.
  const std::string bytes = "ABCDEFGHIJKLMN" + Ansi(L"\u8868\u793a") + "\r\n" + "1 / 2 / 99.75" +
                            Ansi(L"\u30d5\u30ec\u30fc\u30e0") + "\r\nx\r\ny\r\n" + "ABCDEFGHIJKLM" +
                            Ansi(L"\u8868\u793a") + "\r\n" + Ansi(L"\u8868") + "123456789 / 2 / 3" +
                            Ansi(L"\u30bd") + "abc\r\nx\r\ny";
  const FpsReadResult result = ReadFpsBytes(bytes);
  ASSERT_EQ(result.records.size(), 2u);
  EXPECT_FALSE(result.damaged());
  EXPECT_EQ(result.records[0].level_name.text(), L"ABCDEFGHIJKLMN");
  EXPECT_EQ(result.records[0].fps_high.text(), Padded(L"99.75", 10));
  EXPECT_EQ(result.records[1].level_name.text(), L"ABCDEFGHIJKLM\u8868");
  EXPECT_EQ(result.records[1].fps_low.text(), L"\u8868123456789");
  EXPECT_EQ(result.records[1].fps_high.text(), Padded(L"3", 10));
}

TEST_F(FpsDbcs, NoPieceCutSplitsACharacter) {
  std::string bytes;
  for (int k = 0; k < 40; ++k) {
    bytes += Ansi(kFourteen.substr(k % 5)) + "\r\n" + Ansi(L"\uff11 / \u8868 / \u30bd\u30bdabcd") +
             "\r\n" + Ansi(kFourteen) + "\r\n\r\n";
  }
  const FpsReadResult whole = ReadFpsBytes(bytes);
  ASSERT_EQ(whole.records.size(), 40u);
  EXPECT_FALSE(whole.damaged());
  EXPECT_EQ(whole.records[0].fps_avg.text(), Padded(L"\u8868", 10));
  EXPECT_EQ(whole.records[0].fps_high.text(), Padded(L"\u30bd\u30bd", 10));
  for (std::size_t piece = 1; piece <= 64; ++piece) {
    const FpsReadResult in_pieces = ReadFpsBytesInPieces(bytes, piece);
    ASSERT_EQ(in_pieces.records.size(), whole.records.size()) << "piece " << piece;
    for (std::size_t i = 0; i < whole.records.size(); ++i) {
      ASSERT_EQ(in_pieces.records[i], whole.records[i]) << "piece " << piece << ", record " << i;
    }
    EXPECT_FALSE(in_pieces.damaged());
  }
}

TEST_F(FpsDbcs, ReadsAJapaneseFileFromDisk) {
  const fps_test::TempFolder folder;
  const std::string bytes = Ansi(kFourteen + L"\u5916") + "\r\n1 / 2 / 3wxyz\r\nx\r\ny\r\n";
  const FpsReadResult result = ReadFpsFile(folder.Write(L"HQ_FPS.txt", bytes));
  ASSERT_EQ(result.records.size(), 1u);
  EXPECT_FALSE(result.damaged());
  EXPECT_EQ(result.records[0].level_name.text(), kFourteen);
}

}  // namespace
}  // namespace quorvath
