#include "homepage/home_page.h"

#include "app/caption.h"
#include "app/stored_text.h"
#include "homepage/random.h"
#include "ui/design.h"

namespace homepage {

using ui::Control;

core::Text ComposeContentAddress(std::span<const unsigned char> baseBlock) {
  const core::Text base = app::InflateStoredText(baseBlock);
  return base + core::DecimalText(RandomBetween(kFirstPageId, kLastPageId));
}

core::Text ComposeContentAddress() { return ComposeContentAddress(app::HomePageBaseBlock()); }

void RefreshHomePage(ui::Toolkit& ui, os::Os& os, const app::SharedTexts& texts) {
  ui.SetTimerPeriod(Control::时钟1, 0);  // no tick can come during the refresh
  SeedRandom(os);
  ui.SetBrowserAddress(Control::超文本浏览框1, ComposeContentAddress());
  if (ui.TimerPeriod(Control::时钟1) != 0) return;
  ui.ProcessPendingEvents();
  const std::int32_t minutes = RandomBetween(kMinutesBetweenRefreshes[0], kMinutesBetweenRefreshes[1]);
  ui.SetTimerPeriod(Control::时钟1, minutes * kMillisecondsPerMinute);
  ui.SetWindowCaption(app::ComposeCaption(texts));
}

void MainWindowFirstActivated(ui::Toolkit& ui, const app::SharedTexts& texts) {
  // The timer has run since the window was created: normally nothing to do.
  if (ui.TimerPeriod(Control::时钟1) != 0) return;
  ui.ProcessPendingEvents();
  ui.SetTimerPeriod(Control::时钟1, RandomBetween(kMinutesBetweenRefreshes[0], kMinutesBetweenRefreshes[1]));
  ui.SetWindowCaption(app::ComposeCaption(texts));
}

void OpenHomePageExternally(ui::Toolkit& ui) { OpenThroughHyperlink(ui, Control::超级链接框1, ComposeContentAddress()); }

void OpenThroughHyperlink(ui::Toolkit& ui, ui::Control hyperlink, const core::Text& address) {
  ui.SetLinkKind(hyperlink, ui::design::kLinkKindWeb);
  ui.SetLinkWebAddress(hyperlink, address);
  ui.NavigateLink(hyperlink);
}

}  // namespace homepage
