// The headless window against the design, and the toolkit rules it shares
// with the real window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "shared/design_expectations.h"
#include "shared/toolkit_rules.h"
#include "support/headless_program.h"
#include "ui/design.h"

namespace {

using ui::Control;
using ui::design::Parent;

std::string ParentName(const Parent& parent) {
  switch (parent.type) {
    case Parent::Type::MainWindow:
      return "main";
    case Parent::Type::TabPage:
      return ui::design::kPageTitles[static_cast<int>(parent.page)];
    case Parent::Type::Control:
      break;
  }
  return ui::design::Entry(parent.control).name;
}

class HeadlessWindow : public testing::Test {
 protected:
  void SetUp() override {
    ui.Initialise();
    ASSERT_TRUE(ui.LoadMainWindow(none));
  }
  os::posix::PosixOs os;
  ui::headless::HeadlessToolkit ui{os};
  test_support::NoHandlers none;
};

TEST_F(HeadlessWindow, HoldsEveryControlOfTheDesign) {
  for (const expectations::ExpectedControl& e : expectations::kControls) {
    const ui::design::ControlEntry& entry = ui::design::Entry(e.control);
    SCOPED_TRACE(entry.name);
    EXPECT_EQ(ParentName(entry.parent), e.parent);
    if (e.height != 0) {
      EXPECT_EQ(entry.place.x, e.x);
      EXPECT_EQ(entry.place.y, e.y);
      EXPECT_EQ(entry.place.width, e.width);
      EXPECT_EQ(entry.place.height, e.height);
    }
    const ui::headless::ControlState state = ui.Snapshot(e.control);
    EXPECT_EQ(state.visible, e.visible);
    EXPECT_FALSE(state.disabled);
    // Without the created handler the pattern box's field is still empty.
    if (e.text && e.control != Control::组合框1) {
      EXPECT_EQ(state.text, e.text);
    }
  }
}

TEST_F(HeadlessWindow, StacksOverlappingSiblingsAsDesigned) {
  for (const auto& [front, behind] : expectations::kInFront) {
    const std::vector<Control> order = ui.ChildrenInZOrder(ui::design::Entry(front).parent);
    const auto f = std::find(order.begin(), order.end(), front);
    const auto b = std::find(order.begin(), order.end(), behind);
    ASSERT_NE(f, order.end());
    ASSERT_NE(b, order.end());
    EXPECT_LT(f, b) << ui::design::Entry(front).name << " should lie in front of " << ui::design::Entry(behind).name;
  }
}

TEST_F(HeadlessWindow, StartsWithTheDesignsInitialState) {
  EXPECT_EQ(ui.WindowCaption(), "");
  EXPECT_EQ(ui.ItemCount(Control::组合框1), 1);
  EXPECT_EQ(ui.ItemText(Control::组合框1, 0), expectations::kPattern);
  EXPECT_EQ(ui.CurrentItem(Control::组合框1), 0);
  EXPECT_EQ(ui.GetText(Control::组合框1), "");
  EXPECT_EQ(ui.ProgressMaximum(Control::进度条1), expectations::kProgressMaximum);
  EXPECT_EQ(ui.ProgressPosition(Control::进度条1), 0);
  EXPECT_EQ(ui.TimerPeriod(Control::时钟1), expectations::kTimerPeriod);
  EXPECT_EQ(ui.RowCount(Control::超级列表框1), 0);
  EXPECT_EQ(ui.StatusText(Control::状态条1, 0), std::string(37, ' ') + ui::design::kMakerNotice);
  EXPECT_EQ(ui.BrowserAddress(Control::超文本浏览框1), ui::design::kMakerHost);
  EXPECT_EQ(ui.LinkWebAddress(Control::超级链接框1), ui::design::kMakerHomePage);
  EXPECT_TRUE(ui.IsChecked(Control::单选框1));
  EXPECT_FALSE(ui.IsChecked(Control::单选框2));
  // Selecting item 0 again is what puts the pattern into view.
  ui.SetCurrentItem(Control::组合框1, 0);
  EXPECT_EQ(ui.GetText(Control::组合框1), expectations::kPattern);
}

TEST_F(HeadlessWindow, KeepsTheToolkitRules) {
  rules::ProgressValuesAreClampedAndStored(ui);
  rules::ListRowsKeepTheirRulesAtTheEdges(ui);
  rules::ComboItemsClampAndFillTheField(ui);
  rules::StatusTimerLinkAndBrowserRules(ui);
  rules::TextsAndStatesRoundTrip(ui);
}

TEST_F(HeadlessWindow, TakesCallsFromAnotherThread) { rules::CallsFromAnotherThreadTakeEffect(ui); }

TEST_F(HeadlessWindow, DoesNothingOnceClosed) {
  ui.Close();
  ui.ProcessPendingEvents();
  rules::NothingHappensAfterTheWindowIsGone(ui);
}

TEST_F(HeadlessWindow, RunsQueuedEventsOnlyOnTheUiThread) {
  struct Counter final : ui::EventSink {
    int clicks = 0;
    void HandleEvent(const ui::Event& e) override { clicks += e.kind == ui::EventKind::Clicked; }
  };
  Counter counter;
  ui::headless::HeadlessToolkit other(os);
  other.Initialise();
  other.LoadMainWindow(counter);
  other.Click(Control::按钮1);
  std::thread([&] { other.ProcessPendingEvents(); }).join();
  EXPECT_EQ(counter.clicks, 0);
  other.ProcessPendingEvents();
  EXPECT_EQ(counter.clicks, 1);
  other.SetDisabled(Control::按钮1, true);
  other.Click(Control::按钮1);  // a disabled button cannot be clicked
  other.ProcessPendingEvents();
  EXPECT_EQ(counter.clicks, 1);
}

}  // namespace
