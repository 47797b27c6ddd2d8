// Runs labelled from the main window, then found, sorted, charted, renamed and deleted in the
// History window, from the keyboard and the column header as a user would.
#include <gmock/gmock.h>

#include "program_driver.h"

#include <commctrl.h>

namespace quorvath::testing {

using ::testing::HasSubstr;

namespace {

// Two levels whose averages are `keep` and `dock`.
std::string Figures(const char* keep, const char* dock) {
  return std::string("Cinder Keep\r\n20 / ") + keep +
         " / 80 fps\r\nx\r\ny\r\nAshen Docks\r\n10 / " + dock + " / 30 fps\r\nx\r\ny\r\n";
}

// The list's rows as its Ctrl+C copies them, after the header line.
std::vector<std::wstring> CopiedRows(HWND list) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();
  PressKeys(GetAncestor(list, GA_ROOT), {{VK_CONTROL, 'A'}, {VK_CONTROL, 'C'}});
  std::optional<std::wstring> text;
  Eventually([&] { return (text = ClipboardText()).has_value(); });
  std::vector<std::wstring> rows;
  for (std::size_t at = text.value_or(L"").find(L"\r\n"); at != std::wstring::npos;) {
    const std::size_t end = text->find(L"\r\n", at + 2);
    if (end == std::wstring::npos) break;
    rows.push_back(text->substr(at + 2, end - at - 2));
    at = end;
  }
  return rows;
}

// The part of each row from the Test column on.
std::vector<std::wstring> FromTest(const std::vector<std::wstring>& rows) {
  std::vector<std::wstring> tails;
  for (const std::wstring& row : rows) tails.push_back(row.substr(row.find(L'\t') + 1));
  return tails;
}

// A click on the column's header, as the header control receives one, wherever the mouse is.
void ClickColumnHeader(HWND list, int column) {
  const HWND header = FindChild(list, L"SysHeader32");
  RECT box{};
  GetClientRect(header, &box);
  int x = 0;
  for (int i = 0; i < column; ++i) x += static_cast<int>(Send(list, LVM_GETCOLUMNWIDTH, i));
  x += static_cast<int>(Send(list, LVM_GETCOLUMNWIDTH, column)) / 2;
  const LPARAM at = MAKELPARAM(x, box.bottom / 2);
  PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(header, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST(HistoryWindow, ListsSortsChartsRenamesAndDeletesLabelledRuns) {
  RemoveTree(ResultsFolder());
  Session s;
  const wchar_t* batch = L"High Quality\\hq-flyby-benchmark_1280.bat";
  ASSERT_TRUE(s.Start());
  s.ChooseResolution(L"1280 x 1024");
  const std::tuple<const wchar_t*, const char*, const char*> runs[] = {
      {L"  old driver ", "40", "20"}, {nullptr, "44", "22"}, {L"new driver", "50", "25"}};
  std::size_t saved = 0;
  for (const auto& [label, keep, dock] : runs) {
    if (label != nullptr) {
      ASSERT_TRUE(s.GiveLabel(label));
    }
    s.WriteResultBatch(batch, Figures(keep, dock));
    ASSERT_TRUE(s.Press(s.high));
    ASSERT_TRUE(Eventually([&] { return s.TestsEnabled() && SavedRuns().size() == saved + 1; }));
    ++saved;
  }
  const std::vector<std::wstring> names = SavedRuns();
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(names[i].substr(19), i < 2 ? L" High Quality 1280 x 1024 - old driver.csv"
                                         : L" High Quality 1280 x 1024 - new driver.csv");
  }
  EXPECT_THAT(ReadFileBytes(ResultsFolder() + L"\\" + names[2]),
              HasSubstr("1280 x 1024,Ashen Docks,10,25,30,new driver,"));

  PressKeys(s.window, {{VK_MENU, 'R'}, {'H'}});
  const HWND history = s.Window(L"Quorvath History");
  ASSERT_NE(history, nullptr);
  const HWND list = FindChild(history, L"SysListView32");
  ASSERT_TRUE(Eventually([&] { return Send(list, LVM_GETITEMCOUNT) == 3; }));
  // Newest first; the figures are read from the files once the names are listed.
  std::vector<std::wstring> rows;
  const auto Listed = [&](const std::vector<std::wstring>& expected) {
    return Eventually([&] { return FromTest(rows = CopiedRows(list)) == expected; });
  };
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  GetComputerNameW(name, &size);
  const std::wstring row = std::wstring(L"High Quality\t1280 x 1024\t");
  const std::wstring machine = std::wstring(L"\t") + name + L"\t2\t";
  EXPECT_TRUE(
      Listed({row + L"new driver" + machine + L"37.50", row + L"old driver" + machine + L"33.00",
              row + L"old driver" + machine + L"30.00"}))
      << ::testing::PrintToString(rows);
  ClickColumnHeader(list, 6);  // Average FPS: the lowest first
  EXPECT_TRUE(
      Listed({row + L"old driver" + machine + L"30.00", row + L"old driver" + machine + L"33.00",
              row + L"new driver" + machine + L"37.50"}))
      << ::testing::PrintToString(rows);

  // The three in one chart: the two of the same label are a set, the base, by the means of their
  // figures; the other run has its change against those.
  PressKeys(history, {{VK_CONTROL, 'A'}, {VK_RETURN}});
  HWND chart = nullptr;
  ASSERT_TRUE(Eventually([&] {
    for (const HWND w : WindowsOf(s.pid)) {
      if (WindowText(w).starts_with(L"High Quality Results Chart")) chart = w;
    }
    return chart != nullptr;
  }));
  PressKeys(chart, {{VK_CONTROL, 'C'}});
  std::optional<std::wstring> copied;
  EXPECT_TRUE(Eventually([&] {
    copied = ClipboardText();
    return copied && copied->find(L"+19.0 %") != std::wstring::npos;
  }));
  EXPECT_THAT(
      Ansi(copied.value_or(L"")),
      HasSubstr(
          "Cinder Keep\t1280 x 1024\told driver (2 runs)\t20.00\t42.00\t80.00\t\t2\t2.83\t\r\n"));
  PressKeys(chart, {{VK_ESCAPE}});

  // F2 on the first row, the oldest run: its file renamed and its Label column rewritten.
  PressKeys(history, {{VK_HOME}, {VK_F2}});
  HWND edit = nullptr;
  ASSERT_TRUE(Eventually([&] { return (edit = FindChild(list, L"Edit")) != nullptr; }));
  SetWindowTextW(edit, L"first driver");
  PressKeys(edit, {{VK_RETURN}});
  const std::wstring renamed =
      names[0].substr(0, 19) + L" High Quality 1280 x 1024 - first driver.csv";
  ASSERT_TRUE(Eventually([&] { return SavedRuns() == std::vector{renamed, names[1], names[2]}; }));
  EXPECT_THAT(ReadFileBytes(ResultsFolder() + L"\\" + renamed),
              HasSubstr("1280 x 1024,Cinder Keep,20,40,80,first driver,"));

  // Del, after a confirmation that names how many.
  PressKeys(history, {{VK_HOME}, {VK_DELETE}});
  const std::optional<SeenMessageBox> confirm = s.Message();
  ASSERT_TRUE(confirm);
  EXPECT_THAT(Ansi(confirm->text),
              HasSubstr("Move this run to the Recycle Bin?\r\n\r\n" + Ansi(renamed)));
  Click(FindChild(confirm->hwnd, L"Button", L"&Yes"));
  EXPECT_TRUE(Eventually([&] { return SavedRuns() == std::vector{names[1], names[2]}; }));
  EXPECT_TRUE(Eventually([&] { return Send(list, LVM_GETITEMCOUNT) == 2; }));
}

}  // namespace quorvath::testing
