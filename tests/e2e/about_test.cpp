// The About dialog as a user meets it: opened from Help, About, closed by OK, Esc, Enter or
// its close box, and its "System Info..." button. Every test types keys into the program,
// so every suite name says Menu or Keyboard and the tests run alone.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <ostream>
#include <set>
#include <thread>

#include "../win32/sys_info_support.h"
#include "program_driver.h"

namespace quorvath::testing {
namespace {

constexpr wchar_t kAboutCaption[] = L"About Quorvath";
constexpr wchar_t kPictureClass[] = L"QuorvathPicture";

// Controls as the dialog is designed, in twips from the client area's top-left corner.
struct DesignedControl {
  const wchar_t* window_class;
  const wchar_t* text;  // nullptr for the pictures, which are told apart by their order
  int left, top, width, height;
};
constexpr DesignedControl kDesign[] = {
    {L"Button", L"OK", 2400, 3600, 1260, 345},
    {L"Button", L"&System Info...", 3840, 3600, 1245, 345},
    {kPictureClass, nullptr, 240, 1920, 540, 540},   // picIcon
    {kPictureClass, nullptr, 240, 120, 5250, 1425},  // Picture1, the banner
    {L"Static", L"Quorvath", 1050, 1920, 3885, 480},
    {L"Static", L"Version 1.0.0", 1050, 2460, 3885, 225},
    {L"Static", L"Benchmarking Scripts written by Ilse Marrow.", 1050, 2805, 3885, 210},
    {L"Static", L"Program written by Teodor Vask", 1080, 3120, 3855, 255},
    // Reaches to the OK button so that the slogan fits on its line.
    {L"Static", L"Are you Torvane?", 1080, 3660, 1320, 225},
};

int Pixels(int twips) { return MulDiv(twips, 96, 1440); }

struct AboutDialog {
  HWND window = nullptr;
  HWND ok = nullptr;
  HWND sys_info = nullptr;
  HWND program_picture = nullptr;
  HWND banner = nullptr;
};

AboutDialog FindAboutDialog(const RunningProgram& program) {
  AboutDialog about;
  about.window = program.WaitForWindow(kAboutCaption, 5s);
  if (about.window == nullptr) return about;
  about.ok = FindChild(about.window, L"Button", L"OK");
  about.sys_info = FindChild(about.window, L"Button", L"&System Info...");
  const std::vector<HWND> pictures = ChildrenOfClass(about.window, kPictureClass);
  if (pictures.size() == 2) {
    about.program_picture = pictures[0];
    about.banner = pictures[1];
  }
  return about;
}

// The running program with its main window, ready for Help, About.
class AboutMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.ReportGameFolder();
    program_.emplace(folder_.exe());
    main_ = program_->WaitForWindow(L"Quorvath");
    ASSERT_NE(main_, nullptr);
  }

  AboutDialog OpenAbout() {
    PressKeys(main_, {{VK_MENU, 'H'}, {'A'}});
    return FindAboutDialog(*program_);
  }

  int OpenAboutDialogs() const {
    int count = 0;
    for (const HWND window : program_->Windows()) {
      if (WindowText(window) == kAboutCaption) ++count;
    }
    return count;
  }

  ProgramFolder folder_;
  std::optional<RunningProgram> program_;
  HWND main_ = nullptr;
};

TEST_F(AboutMenu, HelpAboutShowsTheDialogAsDesigned) {
  const AboutDialog about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  EXPECT_EQ(WindowText(about.window), L"About Quorvath");

  const SIZE client = ClientSize(about.window);
  EXPECT_EQ(client.cx, 382);
  EXPECT_EQ(client.cy, 274);

  // Owned by the main window, so no taskbar button; a fixed frame with a close box only.
  EXPECT_EQ(GetWindow(about.window, GW_OWNER), main_);
  const LONG_PTR style = GetWindowLongPtrW(about.window, GWL_STYLE);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(GetWindowLongPtrW(about.window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

  // Every control where the design puts it, with its text.
  int picture = 0;
  for (const DesignedControl& designed : kDesign) {
    const HWND control = designed.text != nullptr
                             ? FindChild(about.window, designed.window_class, designed.text)
                             : (picture++ == 0 ? about.program_picture : about.banner);
    ASSERT_NE(control, nullptr) << (designed.text != nullptr ? designed.text : L"a picture");
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, about.window, reinterpret_cast<POINT*>(&place), 2);
    const std::wstring name = designed.text != nullptr ? designed.text : L"picture";
    EXPECT_EQ(place.left, Pixels(designed.left)) << name;
    EXPECT_EQ(place.top, Pixels(designed.top)) << name;
    EXPECT_EQ(place.right - place.left, Pixels(designed.width)) << name;
    EXPECT_EQ(place.bottom - place.top, Pixels(designed.height)) << name;
  }
  EXPECT_EQ(ChildrenOfClass(about.window, L"Static").size(), 5u);
  EXPECT_EQ(ChildrenOfClass(about.window, L"Button").size(), 2u);

  // The pictures fit their images exactly inside a two-pixel sunken border.
  for (const HWND sunken : {about.program_picture, about.banner}) {
    EXPECT_NE(GetWindowLongPtrW(sunken, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  }
  EXPECT_EQ(ClientSize(about.banner).cx, 346);
  EXPECT_EQ(ClientSize(about.banner).cy, 91);
  EXPECT_EQ(ClientSize(about.program_picture).cx, 32);
  EXPECT_EQ(ClientSize(about.program_picture).cy, 32);

  // OK is the first control in Tab order and the default button.
  EXPECT_EQ(FocusedControl(about.window), about.ok);
  EXPECT_EQ(GetWindowLongPtrW(about.ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST_F(AboutMenu, DrawsTheEtchedSeparatorUnderTheBanner) {
  const AboutDialog about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about.window; }, 2s));
  std::this_thread::sleep_for(300ms);  // painted

  const HDC screen = GetDC(nullptr);
  auto colour_at = [&](int x, int y) {
    POINT at{x, y};
    ClientToScreen(about.window, &at);
    return GetPixel(screen, at.x, at.y);
  };
  constexpr COLORREF kGrey = RGB(128, 128, 128);
  constexpr COLORREF kWhite = RGB(255, 255, 255);
  // Grey one pixel high at 1605 twips (row 107) from 90 twips (x 6) up to 5654 twips (x 377);
  // white two pixels high at 1620 twips (rows 108 and 109) from 105 twips (x 7).
  for (const int x : {6, 100, 376}) EXPECT_EQ(colour_at(x, 107), kGrey) << x;
  for (const int x : {7, 100, 376}) {
    EXPECT_EQ(colour_at(x, 108), kWhite) << x;
    EXPECT_EQ(colour_at(x, 109), kWhite) << x;
  }
  const COLORREF face = colour_at(100, 111);
  EXPECT_NE(face, kGrey);
  EXPECT_NE(face, kWhite);
  EXPECT_EQ(colour_at(100, 106), face);
  EXPECT_EQ(colour_at(100, 110), face);
  EXPECT_EQ(colour_at(5, 107), face);
  EXPECT_EQ(colour_at(377, 107), face);
  EXPECT_EQ(colour_at(6, 108), face);
  ReleaseDC(nullptr, screen);
}

TEST_F(AboutMenu, ChoosingItAgainBringsTheOpenDialogForward) {
  const AboutDialog first = OpenAbout();
  ASSERT_NE(first.window, nullptr);
  const AboutDialog second = OpenAbout();  // the main window is brought to the front first
  EXPECT_EQ(second.window, first.window);
  EXPECT_EQ(OpenAboutDialogs(), 1);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == first.window; }, 2s));
}

TEST_F(AboutMenu, OkAndTheCloseBoxCloseItAndItOpensAgain) {
  AboutDialog about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  Click(about.ok);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about.window); }, 3s));

  about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  EXPECT_EQ(WindowText(FindChild(about.window, L"Static", L"Version 1.0.0")), L"Version 1.0.0");
  PostMessageW(about.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about.window); }, 3s));

  EXPECT_FALSE(program_->HasExited());
  EXPECT_TRUE(IsWindow(main_));
}

TEST_F(AboutMenu, ClosingTheMainWindowWhileItIsOpenEndsTheProgram) {
  const AboutDialog about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(program_->WaitForExit(5s));
}

TEST_F(AboutMenu, TabMovesFromOkToThePictureSystemInfoAndTheBanner) {
  const AboutDialog about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  ASSERT_EQ(FocusedControl(about.window), about.ok);
  for (const HWND next : {about.program_picture, about.sys_info, about.banner, about.ok}) {
    PressKeys(about.window, {{VK_TAB}});
    EXPECT_EQ(FocusedControl(about.window), next);
  }
}

// Esc and Enter close the dialog with the focus on OK (no Tab) or on a picture.
struct ClosingKey {
  WORD key;
  int tabs;
};

// Names the case in the test list: "Esc after 1 Tab".
void PrintTo(const ClosingKey& closing, std::ostream* out) {
  *out << (closing.key == VK_ESCAPE ? "Esc" : "Enter") << " after " << closing.tabs << " Tab";
}

class AboutKeyboard : public AboutMenu, public ::testing::WithParamInterface<ClosingKey> {};

TEST_P(AboutKeyboard, EscAndEnterCloseTheDialog) {
  const AboutDialog about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  for (int i = 0; i < GetParam().tabs; ++i) PressKeys(about.window, {{VK_TAB}});
  const std::array<HWND, 4> tab_order = {about.ok, about.program_picture, about.sys_info,
                                         about.banner};
  ASSERT_EQ(FocusedControl(about.window), tab_order.at(static_cast<std::size_t>(GetParam().tabs)));
  PressKeys(about.window, {{GetParam().key}});
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about.window); }, 3s));
  EXPECT_FALSE(program_->HasExited());
  EXPECT_FALSE(WaitForMessageBox(*program_, 0ms).has_value());
}

INSTANTIATE_TEST_SUITE_P(OnOkOrAPicture, AboutKeyboard,
                         ::testing::Values(ClosingKey{VK_ESCAPE, 0}, ClosingKey{VK_RETURN, 0},
                                           ClosingKey{VK_ESCAPE, 1}, ClosingKey{VK_RETURN, 1},
                                           ClosingKey{VK_ESCAPE, 3}, ClosingKey{VK_RETURN, 3}));

TEST_F(AboutMenu, SystemInfoSaysWhenTheToolIsUnavailable) {
  SysInfoRegistry registry;
  ASSERT_TRUE(registry.path.Remove());
  ASSERT_TRUE(registry.folder.Remove());
  const AboutDialog about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  Click(about.sys_info);
  const std::optional<SeenMessageBox> box = WaitForMessageBox(*program_, 5s);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->title, L"Quorvath");
  EXPECT_EQ(box->text, L"System Information Is Unavailable At This Time");
  DismissMessageBox(*box);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box->hwnd); }, 3s));
  EXPECT_TRUE(IsWindow(about.window)) << "the dialog stays open";
}

TEST_F(AboutMenu, SystemInfoStartsTheRegisteredTool) {
  SysInfoRegistry registry;
  ASSERT_TRUE(registry.path.SetString(Ansi(kWineMsInfoPath)));
  const std::set<DWORD> before = MsInfoProcesses();
  const AboutDialog about = OpenAbout();
  ASSERT_NE(about.window, nullptr);
  Click(about.sys_info);
  EXPECT_TRUE(EndNewMsInfoProcesses(before, 10'000));
  EXPECT_FALSE(WaitForMessageBox(*program_, 0ms).has_value());
}

}  // namespace
}  // namespace quorvath::testing
