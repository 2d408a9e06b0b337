// The home-page tab on the headless window, with timer ticks, activation
// and status-bar clicks injected.
#include "homepage/home_page.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/caption.h"
#include "homepage/random.h"
#include "support/headless_program.h"

namespace {

using ui::Control;

const std::string kBase = "http://www.orvane.example/content.asp?id=";

// The id at the end of a content address, or -1 when it is not one.
int IdOf(const std::string& address) {
  if (address.rfind(kBase, 0) != 0 || address.size() == kBase.size()) return -1;
  const std::string digits = address.substr(kBase.size());
  if (digits.find_first_not_of("0123456789") != std::string::npos || digits[0] == '0') return -1;
  return std::stoi(digits);
}

TEST(HomePage, RefreshesOnTheTimersFirstEventThenEveryThreeToTenMinutes) {
  test_support::HeadlessProgram p;
  const std::string caption = p.ui.WindowCaption();
  EXPECT_EQ(p.ui.BrowserAddress(Control::超文本浏览框1), "www.orvane.example") << "the front page until then";
  EXPECT_EQ(p.ui.TimerPeriod(Control::时钟1), 10000);
  std::set<int> periods;
  for (int refresh = 0; refresh < 40; ++refresh) {
    p.ui.SetWindowCaption("changed");
    p.ui.ElapseTimer(Control::时钟1);
    p.Pump();
    const int id = IdOf(p.ui.BrowserAddress(Control::超文本浏览框1));
    EXPECT_GE(id, 1) << p.ui.BrowserAddress(Control::超文本浏览框1);
    EXPECT_LE(id, 5129);
    const int period = p.ui.TimerPeriod(Control::时钟1);
    EXPECT_EQ(period % 60000, 0) << period;
    EXPECT_GE(period, 180000);
    EXPECT_LE(period, 600000);
    periods.insert(period);
    EXPECT_EQ(p.ui.WindowCaption(), caption) << "each refresh writes the same caption again";
  }
  EXPECT_GT(periods.size(), 3u) << "the interval is drawn anew each time";
}

TEST(HomePage, DrawsBothEndsOfBothRangesAndNothingOutside) {
  std::thread fresh([] {
    std::set<int> ids, minutes;
    for (int draw = 0; draw < 100000; ++draw) {
      ids.insert(homepage::RandomBetween(1, 5129));
      minutes.insert(homepage::RandomBetween(3, 10));
    }
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), 5129);
    EXPECT_EQ(minutes, (std::set<int>{3, 4, 5, 6, 7, 8, 9, 10}));
  });
  fresh.join();
}

TEST(HomePage, OpensTheSameAddressesInEveryRunBeforeTheFirstSeeding) {
  // Each run is a thread of its own, with a generator never seeded.
  auto run = [] {
    std::vector<std::string> opened;
    std::thread uiThread([&] {
      test_support::HeadlessProgram p;
      for (int click = 0; click < 5; ++click) p.ui.ReleaseLeftButton(Control::状态条1);
      p.Pump();
      opened = p.os.WebAddressesOpened();
      EXPECT_EQ(p.ui.LinkKind(Control::超级链接框1), 1);
      EXPECT_EQ(p.ui.LinkWebAddress(Control::超级链接框1), opened.back()) << "the hyperlink keeps the last";
      EXPECT_EQ(p.ui.BrowserAddress(Control::超文本浏览框1), "www.orvane.example") << "the browser is not touched";
      EXPECT_EQ(p.ui.TimerPeriod(Control::时钟1), 10000) << "nor the timer";
    });
    uiThread.join();
    return opened;
  };
  const std::vector<std::string> first = run();
  ASSERT_EQ(first.size(), 5u);
  for (const std::string& address : first) EXPECT_GE(IdOf(address), 1) << address;
  EXPECT_EQ(run(), first);
}

TEST(HomePage, SeedingsInTheSameMillisecondGiveDifferentSequences) {
  test_support::ObservedOs os;
  std::thread([&] {
    homepage::SeedRandom(os);
    const int a = homepage::RandomBetween(0, 1 << 30);
    homepage::SeedRandom(os);  // within the same millisecond, almost surely
    const int b = homepage::RandomBetween(0, 1 << 30);
    EXPECT_NE(a, b);
  }).join();
}

TEST(HomePage, TheFirstActivationStartsAStoppedTimerOnly) {
  test_support::HeadlessProgram p;
  p.ui.Activate();
  p.Pump();
  EXPECT_EQ(p.ui.TimerPeriod(Control::时钟1), 10000) << "running since creation: nothing to do";

  test_support::HeadlessProgram stopped;
  stopped.ui.SetTimerPeriod(Control::时钟1, 0);
  stopped.ui.SetWindowCaption("");
  stopped.ui.Activate();
  stopped.Pump();
  const int period = stopped.ui.TimerPeriod(Control::时钟1);
  EXPECT_GE(period, 3);
  EXPECT_LE(period, 10) << "milliseconds, as the handler is written";
  EXPECT_EQ(stopped.ui.WindowCaption(), app::ComposeCaption(stopped.program.texts));
}

TEST(HomePage, AnUndecodableBaseGivesTheBareDigits) {
  const unsigned char broken[] = {0x0D, 0x0F, 0x3E, 0x03, 5, 0, 0, 0, 1, 2, 3};
  const std::string address = homepage::ComposeContentAddress(broken);
  ASSERT_FALSE(address.empty());
  EXPECT_EQ(address.find_first_not_of("0123456789"), std::string::npos) << address;
  EXPECT_EQ(homepage::ComposeContentAddress().rfind(kBase, 0), 0u);
}

}  // namespace
