#include "ui/chart_window.h"

#include <shlobj.h>

#include <algorithm>
#include <utility>

#include "core/paths.h"
#include "core/win_system.h"
#include "ui/desktop.h"
#include "ui/png_file.h"

namespace quorvath {

namespace {

constexpr int kViewId = 1;

enum MenuId : int {
  kSaveChartAs = 100,
  kCopyChart,
  kCloseChart,
  kCompareRun = 200,  // the earlier runs, newest first: kCompareRun + 0 ... + 9
  kCompareNone = 210,
  kCompareOpen,
  kViewResolution = 300,  // the resolutions, in the order they first come: + 0 ... + 19
  kViewResolutionEnd = 320,
};
constexpr std::size_t kCompareRunCount = kCompareNone - kCompareRun;

enum MenuPosition : int { kViewMenu = 1, kCompareMenu };  // after File

// Device-independent pixels.
constexpr int kOpeningClientWidth = 640;
constexpr int kBesideGap = 8;  // between the result window and its chart

// The window opens 640 device-independent pixels wide (9600 twips); its text is in the dialog
// font at 8 points.
constexpr WindowLayout kLayout = {{}, 8, {kOpeningClientWidth * 15, 120 * 15}};

// A Win32 error wrapped in an HRESULT is told in its own words; the system knows most other
// HRESULTs by their whole value.
std::wstring HresultText(HRESULT result) {
  return SystemErrorText(HRESULT_FACILITY(result) == FACILITY_WIN32
                             ? static_cast<DWORD>(HRESULT_CODE(result))
                             : static_cast<DWORD>(result));
}

// A menu item's text: `number` (from 1) as its access key, then `text` with its ampersands
// shown as such.
std::wstring NumberedItem(std::size_t number, std::wstring_view text) {
  std::wstring item = number < 10    ? L"&" + std::to_wstring(number) + L" "
                      : number == 10 ? std::wstring(L"1&0 ")
                                     : std::to_wstring(number) + L" ";
  for (const wchar_t c : text) item += c == L'&' ? std::wstring(L"&&") : std::wstring(1, c);
  return item;
}

void ClearMenu(HMENU menu) {
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
}

// An item of a group of which one is chosen, shown with a dot when it is.
void AppendChoice(HMENU menu, UINT id, const std::wstring& text, bool chosen, bool enabled = true) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  item.fType = MFT_STRING | MFT_RADIOCHECK;
  item.fState = (chosen ? MFS_CHECKED : MFS_UNCHECKED) | (enabled ? MFS_ENABLED : MFS_GRAYED);
  item.wID = id;
  item.dwTypeData = const_cast<wchar_t*>(text.c_str());  // copied by the menu
  InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &item);
}

}  // namespace

ChartWindow::~ChartWindow() { Close(); }

void ChartWindow::Show(ChartSubject subject, HWND beside) {
  const bool had_compare_menu = subject_.has_compare_menu;
  subject_ = std::move(subject);
  const bool opening = !IsOpen();
  if (opening &&
      !CreateDialogWindow(nullptr, subject_.caption, WS_EX_APPWINDOW, WindowFrame::kResizable)) {
    return;
  }
  SetWindowTextW(hwnd(), subject_.caption.c_str());
  if (!opening && had_compare_menu != subject_.has_compare_menu) AttachMenus();
  if (subject_.has_compare_menu) {
    CompareWithDefault();
  } else {
    Rebuild(true);
  }
  if (opening) {
    const SIZE size = view_.LaidOutSize(kOpeningClientWidth);
    SetClientSize(size);
    PlaceBeside(hwnd(), beside, ScaleForDpi(kBesideGap, dpi()));
  }
  ShowOrBringForward();
}

void ChartWindow::OnInitDialog() {
  AttachMenus();
  CreateLayout(kLayout);
  // The one control, first in Tab order: the dialog gives it the focus.
  view_.Create(hwnd(), kViewId);
  view_.SetScale(font(), dpi());
}

void ChartWindow::AttachMenus() {
  const HMENU previous = GetMenu(hwnd());
  AttachMenuBar({{L"&File",
                  {{kSaveChartAs, L"Save Chart &As..."},
                   {kCopyChart, L"&Copy Chart\tCtrl+C"},
                   {0, nullptr},
                   {kCloseChart, L"&Close\tEsc"}}},
                 {L"&View", {}},
                 {L"&Compare", {}}});
  // Only a result window's chart compares with a run of its choosing.
  if (!subject_.has_compare_menu) DeleteMenu(GetMenu(hwnd()), kCompareMenu, MF_BYPOSITION);
  if (previous != nullptr) DestroyMenu(previous);
}

void ChartWindow::CompareWithDefault() {
  earlier_runs_.clear();
  own_ = subject_.sets.empty() ? ChartSet{} : subject_.sets.back();
  const std::wstring& folder = subject_.history_folder;
  if (!folder.empty()) {
    const std::vector<RunName> listed = ListRuns(folder, subject_.test, subject_.resolution);
    if (!subject_.series.empty()) {
      // The series' other runs in the history join this one, in the order they were saved; the
      // runs to compare with are those saved before the series started.
      const RunReader read = [&](const RunName& name) { return ReadRun(RunPath(folder, name)); };
      const ChartSet series =
          ReadChartSet(folder, SeriesRuns(listed, subject_.series, subject_.saved_as, read));
      own_.insert(own_.begin(), series.begin(), series.end());
      std::stable_sort(own_.begin(), own_.end(), [](const ChartRun& a, const ChartRun& b) {
        return NewerFirst(b.name, a.name);
      });
      earlier_runs_ = SavedBefore(listed, subject_.series);
    } else {
      earlier_runs_ = EarlierRuns(listed, subject_.saved_as, listed.size());
    }
  }
  ReadEarlierSets(1);
  if (earlier_.empty()) return CompareWith(kCompareNone, std::nullopt);
  CompareWith(kCompareRun, Compared{SetName(earlier_.front(), subject_.test), earlier_.front()});
}

void ChartWindow::ReadEarlierSets(std::size_t limit) {
  const std::wstring& folder = subject_.history_folder;
  const RunReader read = [&](const RunName& name) { return ReadRun(RunPath(folder, name)); };
  earlier_.clear();
  for (const ReadRuns& set : EarlierSets(earlier_runs_, read, limit)) {
    earlier_.push_back(ReadChartSet(folder, set));
  }
  earlier_read_ = limit >= kCompareRunCount;
}

void ChartWindow::CompareWith(int item, std::optional<Compared> compared) {
  compared_ = std::move(compared);
  compare_item_ = item;
  Rebuild(true);
}

void ChartWindow::Rebuild(bool from_top) {
  std::vector<ChartSource> sources;
  if (subject_.has_compare_menu) {
    if (compared_) AddSource(compared_->set, compared_->name, sources);
    if (!own_.empty()) AddSource(own_, SetName(own_, subject_.test), sources);
  } else {
    for (const ChartSet& set : subject_.sets) AddSource(set, SetName(set, subject_.test), sources);
  }
  const std::wstring_view test = TestRowFor(subject_.test).name;
  ChartModel model = BuildChart(test, sources);
  // The resolution chosen before, while the runs have it.
  const auto& resolutions = model.resolutions;
  const auto shown = std::find(resolutions.begin(), resolutions.end(), shown_resolution_);
  if (shown != resolutions.end() && shown != resolutions.begin()) {
    model = BuildChart(test, sources, static_cast<std::size_t>(shown - resolutions.begin()));
  }
  view_.SetModel(std::move(model), from_top);
  FillViewMenu();
  FillCompareMenu();
}

void ChartWindow::FillViewMenu() const {
  const HMENU menu = GetSubMenu(GetMenu(hwnd()), kViewMenu);
  if (menu == nullptr) return;
  ClearMenu(menu);
  const ChartModel& model = view_.model();
  if (model.grouped || model.resolutions.empty()) {
    // Nothing to choose: the item says what is shown.
    AppendChoice(menu, 0, model.grouped ? L"All Resolutions" : L"No Resolution", model.grouped,
                 false);
    return;
  }
  const std::size_t count =
      std::min<std::size_t>(model.resolutions.size(), kViewResolutionEnd - kViewResolution);
  for (std::size_t i = 0; i < count; ++i) {
    AppendChoice(menu, static_cast<UINT>(kViewResolution + i),
                 NumberedItem(i + 1, model.resolutions[i]), i == model.shown);
  }
}

void ChartWindow::FillCompareMenu() const {
  const HMENU menu = GetSubMenu(GetMenu(hwnd()), kCompareMenu);
  if (!subject_.has_compare_menu || menu == nullptr) return;
  ClearMenu(menu);
  const auto add = [&](int id, const std::wstring& text) {
    AppendChoice(menu, static_cast<UINT>(id), text, id == compare_item_);
  };
  for (std::size_t i = 0; i < earlier_.size(); ++i) {
    // Named as the chart's legend names it.
    const ChartSet& set = earlier_[i];
    const auto runs =
        std::count_if(set.begin(), set.end(), [](const ChartRun& r) { return r.run; });
    add(kCompareRun + static_cast<int>(i),
        NumberedItem(i + 1,
                     SetLegendName(SetName(set, subject_.test), static_cast<std::size_t>(runs))));
  }
  if (!earlier_.empty()) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(kCompareNone, L"&None");
  add(kCompareOpen, L"&Open...");
}

// "High Quality 1280 x 1024 2026-12-07 14-03-22.png": the test, the resolution shown and the
// time of the newest run.
std::wstring ChartWindow::SuggestedFileName() const {
  const ChartModel& model = view_.model();
  std::wstring name(TestRowFor(subject_.test).name);
  if (TestRowFor(subject_.test).runs_at_resolution) {
    if (model.grouped) {
      name += L" All Resolutions";
    } else if (!model.resolutions.empty()) {
      name += L" " + model.resolutions[model.shown];
    }
  }
  std::wstring newest;
  for (const ChartSet& set : subject_.sets) {
    for (const ChartRun& run : set) newest = std::max(newest, run.name.stamp);
  }
  if (!newest.empty()) name += L" " + newest;
  return FileSafeName(name, L"Chart") + L".png";
}

void ChartWindow::SaveChartAs() const {
  const UniqueBitmap picture = view_.DrawWholeChart();
  if (!picture) {
    ShowWarning(hwnd(), L"The chart is too large to be saved as one picture.");
    return;
  }
  std::wstring suggested = SuggestedFileName();
  const std::wstring pictures = KnownFolderPath(FOLDERID_Pictures);
  if (!pictures.empty()) suggested = pictures + L"\\" + suggested;
  const std::optional<std::wstring> path =
      AskSavePath(hwnd(), L"PNG images (*.png)", L"*.png", suggested);
  if (!path) return;
  const HRESULT result = WritePngFile(picture.get(), *path);
  if (FAILED(result)) {
    ShowWarning(hwnd(), L"The chart could not be saved as:\r\n" + *path + L"\r\n\r\n" +
                            HresultText(result));
  }
}

void ChartWindow::OnCommand(int id) {
  const auto run = static_cast<std::size_t>(id - kCompareRun);
  if (id >= kCompareRun && run < earlier_.size()) {
    CompareWith(id, Compared{SetName(earlier_[run], subject_.test), earlier_[run]});
  } else if (id == kCompareOpen) {
    const std::optional<std::wstring> path = AskOpenPath(hwnd(), L"CSV files (*.csv)", L"*.csv",
                                                         subject_.history_folder, L"Compare With");
    if (!path) return;
    // A run of the history is named as the menus name it; any other file by its name.
    const std::optional<RunName> name = ParseRunFileName(FileNameOfPath(*path));
    ChartRun file{name.value_or(RunName{}), ReadRun(*path), {}};
    if (!file.run) file.problem = CouldNotRead(*path);
    CompareWith(kCompareOpen, Compared{name ? RunDisplayName(*name) : FileTitle(*path, L".csv"),
                                       {std::move(file)}});
  } else if (id == kCompareNone) {
    CompareWith(kCompareNone, std::nullopt);
  } else if (id >= kViewResolution && id < kViewResolutionEnd) {
    const auto index = static_cast<std::size_t>(id - kViewResolution);
    if (index >= view_.model().resolutions.size()) return;
    shown_resolution_ = view_.model().resolutions[index];
    Rebuild(true);
  } else if (id == kSaveChartAs) {
    SaveChartAs();
  } else if (id == kCopyChart) {
    view_.Copy();
  } else if (id == kCloseChart || id == IDCANCEL) {  // IDCANCEL: Esc
    Close();
  }
}

INT_PTR ChartWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the focus goes to the view
    case WM_SIZE:
      if (view_.hwnd() != nullptr && wparam != SIZE_MINIMIZED) {
        MoveWindow(view_.hwnd(), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      }
      return TRUE;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return TRUE;
    case WM_INITMENUPOPUP:  // the Compare menu lists the earlier sets once it is opened
      if (!earlier_read_ && subject_.has_compare_menu &&
          reinterpret_cast<HMENU>(wparam) == GetSubMenu(GetMenu(hwnd()), kCompareMenu)) {
        ReadEarlierSets(kCompareRunCount);
        FillCompareMenu();
      }
      return FALSE;
    case WM_SETTINGCHANGE:  // high contrast may have been switched
    case WM_SYSCOLORCHANGE:
      if (view_.hwnd() != nullptr) InvalidateRect(view_.hwnd(), nullptr, FALSE);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace quorvath
