// The home-page tab: the embedded browser shows a content page of the
// maker's site chosen at random, again every 3 to 10 whole minutes, and a
// release of the left button over the status bar opens such a page in the
// default web browser through the hidden hyperlink.
#pragma once

#include <span>

#include "app/shared_state.h"
#include "core/text.h"
#include "os/os.h"
#include "ui/toolkit.h"

namespace homepage {

constexpr std::int32_t kFirstPageId = 1;
constexpr std::int32_t kLastPageId = 5129;
constexpr std::int32_t kMinutesBetweenRefreshes[2] = {3, 10};
constexpr std::int32_t kMillisecondsPerMinute = 60000;

// The home-page base address followed by a page id from 1 to 5129; the
// bare digits when the base block does not inflate.
core::Text ComposeContentAddress(std::span<const unsigned char> baseBlock);
core::Text ComposeContentAddress();

// Handler of 时钟1's periodic event: a new page in the browser, a newly
// drawn interval and the caption written again.
void RefreshHomePage(ui::Toolkit& ui, os::Os& os, const app::SharedTexts& texts);

// Handler of the window's first activation.
void MainWindowFirstActivated(ui::Toolkit& ui, const app::SharedTexts& texts);

// Handler of the left button released over 状态条1.
void OpenHomePageExternally(ui::Toolkit& ui);

// Makes the hyperlink open `address` in the default web browser.
void OpenThroughHyperlink(ui::Toolkit& ui, ui::Control hyperlink, const core::Text& address);

}  // namespace homepage
