// The real main window against the design, and the toolkit rules it shares
// with the headless window.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "shared/design_expectations.h"
#include "shared/toolkit_rules.h"
#include "ui/design.h"
#include "wine/real_program.h"

namespace {

using test_support::ClassOf;
using test_support::Narrow;
using test_support::TextOf;
using test_support::Wide;
using ui::Control;

class RealWindow : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(p.Main(), nullptr) << "the main window did not open"; }

  // The window of a parent as the expectations name it.
  HWND ParentWindow(const std::string& name) {
    if (name == "main") return p.Main();
    HWND tab = p.Window(Control::高级选择夹1);
    if (name == "操作界面" || name == "官方主页") {
      HWND page = GetWindow(tab, GW_CHILD);
      const int wanted = name == "操作界面" ? 1101 : 1102;
      for (; page; page = GetWindow(page, GW_HWNDNEXT))
        if (GetDlgCtrlID(page) == wanted) return page;
      return nullptr;
    }
    for (const auto& entry : ui::design::Controls())
      if (name == entry.name) return p.Window(entry.control);
    return nullptr;
  }

  test_support::RealProgram p;
};

TEST_F(RealWindow, OpensWithItsClassCaptionAndFixedFrame) {
  EXPECT_EQ(Narrow(ClassOf(p.Main())), expectations::kWindowClass);
  EXPECT_EQ(Narrow(TextOf(p.Main())),
            "Orvane\xC5\xFA\xC1\xBF\xCC\xE6\xBB\xBB\xCE\xC4\xBC\xFE\xC3\xFB  1.10 QQ:0123456789");
  RECT frame;
  GetWindowRect(p.Main(), &frame);
  EXPECT_EQ(frame.right - frame.left, expectations::kWindowWidth);
  EXPECT_EQ(frame.bottom - frame.top, expectations::kWindowHeight);
  const LONG style = GetWindowLongW(p.Main(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the frame must not be sizable";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(GetMenu(p.Main()), nullptr) << "no menu bar";
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

TEST_F(RealWindow, HasEveryControlOfTheDesignInPlace) {
  for (const expectations::ExpectedControl& e : expectations::kControls) {
    SCOPED_TRACE(ui::design::Entry(e.control).name);
    HWND window = p.Window(e.control);
    if (!e.windowClass) {
      EXPECT_EQ(window, nullptr);
      continue;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(CompareStringOrdinal(ClassOf(window).c_str(), -1, Wide(e.windowClass).c_str(), -1, TRUE),
              CSTR_EQUAL)
        << Narrow(ClassOf(window));
    HWND parent = ParentWindow(e.parent);
    EXPECT_EQ(GetParent(window), parent);
    EXPECT_EQ(GetDlgCtrlID(window), ui::design::Entry(e.control).controlId);
    const bool shown = GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE;
    EXPECT_EQ(shown, e.visible);
    if (e.text) {
      EXPECT_EQ(Narrow(TextOf(window)), e.text);
    }
    if (e.width == 0) continue;
    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, e.x);
    EXPECT_EQ(place.top, e.y);
    EXPECT_EQ(place.right - place.left, e.width);
    if (e.height) {
      EXPECT_EQ(place.bottom - place.top, e.height);
    }
  }
}

TEST_F(RealWindow, ShowsThePatternAndTheDesignsDetails) {
  HWND combo = p.Window(Control::组合框1);
  EXPECT_EQ(Narrow(TextOf(combo)), expectations::kPattern);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
  // The box with its dropped list, from the box's top to the list's bottom:
  // Windows makes it the height the box was created with; Wine lays the
  // list out a few pixels shorter.
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  GetComboBoxInfo(combo, &parts);
  RECT box, dropped;
  GetWindowRect(combo, &box);
  GetWindowRect(parts.hwndList, &dropped);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_NEAR(dropped.bottom - box.top, ui::design::kPatternDroppedHeight, 4);

  HWND status = p.Window(Control::状态条1);
  int edges[4] = {};
  EXPECT_EQ(SendMessageW(status, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 1);
  EXPECT_EQ(edges[0], 500);
  EXPECT_FALSE(GetWindowLongW(status, GWL_STYLE) & SBARS_SIZEGRIP);
  EXPECT_EQ(p.ui.StatusText(Control::状态条1, 0), std::string(37, ' ') + ui::design::kMakerNotice);

  HWND list = p.Window(Control::超级列表框1);
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_FALSE(GetWindowLongW(list, GWL_STYLE) & LVS_SINGLESEL) << "several rows can be selected";
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 30);
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 400);
  wchar_t title[64] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = title;
  column.cchTextMax = 64;
  SendMessageW(list, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_EQ(Narrow(title), "文件路径");

  HWND tab = p.Window(Control::高级选择夹1);
  EXPECT_EQ(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(tab, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(GetWindowLongW(tab, GWL_STYLE) & TCS_BOTTOM);
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tab, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(Narrow(font.lfFaceName), "SimSun");
  EXPECT_EQ(font.lfHeight, -12);
  EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);

  EXPECT_EQ(SendMessageW(p.Window(Control::进度条1), PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(p.ui.TimerPeriod(Control::时钟1), 10000);
}

TEST_F(RealWindow, StacksOverlappingSiblingsAsDesigned) {
  for (const auto& [front, behind] : expectations::kInFront) {
    HWND f = p.Window(front);
    HWND b = p.Window(behind);
    bool frontIsAbove = false;
    for (HWND w = GetWindow(b, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) frontIsAbove |= w == f;
    EXPECT_TRUE(frontIsAbove) << ui::design::Entry(front).name << " should lie in front of "
                              << ui::design::Entry(behind).name;
  }
}

TEST_F(RealWindow, KeepsTheToolkitRulesForCallsFromAnotherThread) {
  // The test's thread is not the UI thread: every call below crosses over.
  rules::ProgressValuesAreClampedAndStored(p.ui);
  rules::ListRowsKeepTheirRulesAtTheEdges(p.ui);
  rules::ComboItemsClampAndFillTheField(p.ui);
  rules::StatusTimerLinkAndBrowserRules(p.ui);
  rules::TextsAndStatesRoundTrip(p.ui);
  rules::CallsFromAnotherThreadTakeEffect(p.ui);
}

TEST_F(RealWindow, ShowsItsRowsAndKeepsTheSelectionOfThoseAfterARemovedOne) {
  HWND list = p.Window(Control::超级列表框1);
  for (int i = 0; i < 5; ++i) {
    const int row = p.ui.AppendRow(Control::超级列表框1);
    p.ui.SetCell(Control::超级列表框1, row, 0, std::to_string(row + 1));
    p.ui.SetCell(Control::超级列表框1, row, 1, "C:\\f\\" + std::to_string(row + 1) + ".txt");
  }
  // The control shows the rows once the UI thread has handled its events.
  ASSERT_TRUE(test_support::WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 5; },
                                      std::chrono::seconds(10)));
  wchar_t shown[64] = {};
  LVITEMW cell{};
  cell.iSubItem = 1;
  cell.pszText = shown;
  cell.cchTextMax = 64;
  SendMessageW(list, LVM_GETITEMTEXTW, 2, reinterpret_cast<LPARAM>(&cell));
  EXPECT_EQ(Narrow(shown), "C:\\f\\3.txt");

  // The user selects rows 1 and 3.
  LVITEMW selected{};
  selected.stateMask = LVIS_SELECTED;
  selected.state = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
  SendMessageW(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&selected));
  EXPECT_EQ(p.ui.SelectedRow(Control::超级列表框1), 1);
  p.ui.DeleteRow(Control::超级列表框1, 1);
  EXPECT_EQ(p.ui.RowCount(Control::超级列表框1), 4);
  EXPECT_EQ(p.ui.SelectedRow(Control::超级列表框1), 2) << "row 3 moved up with its selection";
  EXPECT_EQ(p.ui.GetCell(Control::超级列表框1, 2, 1), "C:\\f\\4.txt");
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 4);
}

TEST_F(RealWindow, ClosingEndsTheLoopAfterTheExitRoutineRanOnce) {
  p.Close();
  EXPECT_TRUE(p.Ended());
  EXPECT_EQ(p.ui.ExitRoutineRuns(), 1);
  EXPECT_EQ(p.program.texts.titleText, "");
  rules::NothingHappensAfterTheWindowIsGone(p.ui);
}

// The window on the test's own thread, which is its UI thread here: the
// test stands where a handler stands, and what it writes waits to be shown
// until events are processed.
class WindowOnThisThread : public testing::Test {
 protected:
  void SetUp() override {
    ui.Initialise();
    app::StartUp(program);
    ASSERT_TRUE(ui.MainWindowExists());
  }
  void TearDown() override {
    PostMessageW(ui.MainWindowHandle(), WM_CLOSE, 0, 0);
    ui.RunMessageLoop();
  }

  os::win32::Win32Os os;
  ui::win32::Win32Toolkit ui{os};
  app::Program program{ui, os};
};

TEST_F(WindowOnThisThread, KeepsTheToolkitRules) {
  rules::ProgressValuesAreClampedAndStored(ui);
  rules::ListRowsKeepTheirRulesAtTheEdges(ui);
  rules::ComboItemsClampAndFillTheField(ui);
  rules::StatusTimerLinkAndBrowserRules(ui);
  rules::TextsAndStatesRoundTrip(ui);
}

// As in a long handler (the search) that processes events with texts it
// wrote still waiting to be shown.
TEST_F(WindowOnThisThread, AKeyTypedDuringALongHandlerActsOnTheTextTheProgramWrote) {
  ui.ProcessPendingEvents();  // everything shown just now, so the next text waits
  ui.SetText(Control::共搜索, "5");
  HWND box = ui.ControlWindow(Control::共搜索);
  PostMessageW(box, WM_CHAR, L'7', 1);
  ui.ProcessPendingEvents();
  const std::string shown = Narrow(TextOf(box));
  EXPECT_TRUE(shown == "57" || shown == "75") << "the box shows \"" << shown << "\"";
  EXPECT_EQ(ui.GetText(Control::共搜索), shown);
}

}  // namespace
