// Rules that every toolkit backend keeps, written once and run against the
// headless window natively and against the real window under Wine. Each
// function expects a freshly loaded main window.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "ui/toolkit.h"

namespace rules {

using ui::Control;

inline void ProgressValuesAreClampedAndStored(ui::Toolkit& ui) {
  struct Case {
    int written;
    int read;
  };
  for (const Case c : {Case{-1, 0}, Case{0, 0}, Case{57, 57}, Case{32767, 32767}, Case{40000, 32767}}) {
    ui.SetProgressMaximum(Control::进度条1, c.written);
    EXPECT_EQ(ui.ProgressMaximum(Control::进度条1), c.read) << "maximum written " << c.written;
    ui.SetProgressPosition(Control::进度条1, c.written);
    EXPECT_EQ(ui.ProgressPosition(Control::进度条1), c.read) << "position written " << c.written;
  }
  // A position beyond the range is kept as written; only the bar clamps it.
  ui.SetProgressMaximum(Control::进度条1, 3);
  ui.SetProgressPosition(Control::进度条1, 3);
  ui.AdvanceProgressPosition(Control::进度条1);
  EXPECT_EQ(ui.ProgressPosition(Control::进度条1), 4);
  ui.SetProgressPosition(Control::进度条1, 32767);
  ui.AdvanceProgressPosition(Control::进度条1);
  EXPECT_EQ(ui.ProgressPosition(Control::进度条1), 32767);
}

inline void ListRowsKeepTheirRulesAtTheEdges(ui::Toolkit& ui) {
  const Control list = Control::超级列表框1;
  EXPECT_EQ(ui.RowCount(list), 0);
  EXPECT_EQ(ui.SelectedRow(list), -1);
  EXPECT_EQ(ui.GetCell(list, 0, 1), "");
  ui.SetCell(list, 0, 1, "nothing");  // no such row: nothing happens
  ui.DeleteRow(list, 0);
  EXPECT_EQ(ui.RowCount(list), 0);

  EXPECT_EQ(ui.AppendRow(list), 0);
  EXPECT_EQ(ui.AppendRow(list), 1);
  EXPECT_EQ(ui.GetCell(list, 1, 0), "");  // appended rows are empty
  // A path of any length and two-byte characters whose second byte is "\".
  const std::string longPath = "C:\\" + std::string(1500, 'x') + "\\\xD5\x5C\x95\x5C.txt";
  ui.SetCell(list, 1, 1, longPath);
  ui.SetCell(list, 1, 0, "2");
  EXPECT_EQ(ui.GetCell(list, 1, 1), longPath);
  EXPECT_EQ(ui.GetCell(list, 1, 0), "2");
  EXPECT_EQ(ui.GetCell(list, 2, 1), "");
  EXPECT_EQ(ui.GetCell(list, -1, 1), "");
  ui.DeleteRow(list, 5);
  ui.DeleteRow(list, -1);
  EXPECT_EQ(ui.RowCount(list), 2);
  ui.DeleteRow(list, 0);
  EXPECT_EQ(ui.RowCount(list), 1);
  EXPECT_EQ(ui.GetCell(list, 0, 1), longPath);  // the rows after it move up
  EXPECT_EQ(ui.SelectedRow(list), -1);
  ui.DeleteAllRows(list);
  EXPECT_EQ(ui.RowCount(list), 0);
}

inline void ComboItemsClampAndFillTheField(ui::Toolkit& ui) {
  const Control combo = Control::组合框1;
  ui.AddItem(combo, "*.txt");
  ui.AddItem(combo, "*.txt");  // duplicates are kept
  ui.AddItem(combo, "");       // so is an empty item
  EXPECT_EQ(ui.ItemCount(combo), 4);
  EXPECT_EQ(ui.ItemText(combo, 1), "*.txt");
  EXPECT_EQ(ui.ItemText(combo, 9), "");
  ui.SetCurrentItem(combo, 99);  // beyond the last: the last
  EXPECT_EQ(ui.CurrentItem(combo), 3);
  EXPECT_EQ(ui.GetText(combo), "");
  ui.SetCurrentItem(combo, 1);
  EXPECT_EQ(ui.CurrentItem(combo), 1);
  EXPECT_EQ(ui.GetText(combo), "*.txt");
  ui.SetText(combo, "*.doc");  // a text written before gives way to the chosen item's
  ui.SetCurrentItem(combo, 2);
  EXPECT_EQ(ui.GetText(combo), "*.txt");
  ui.SetCurrentItem(combo, 1);
  ui.SetCurrentItem(combo, -4);  // below 0: none, and an empty field
  EXPECT_EQ(ui.CurrentItem(combo), -1);
  EXPECT_EQ(ui.GetText(combo), "");
}

inline void StatusTimerLinkAndBrowserRules(ui::Toolkit& ui) {
  ui.SetStatusText(Control::状态条1, 0, "\xC8\xAB\xB2\xBF");  // 全部
  EXPECT_EQ(ui.StatusText(Control::状态条1, 0), "\xC8\xAB\xB2\xBF");
  ui.SetStatusText(Control::状态条1, 1, "outside");  // the bar has one part
  EXPECT_EQ(ui.StatusText(Control::状态条1, 1), "");
  EXPECT_EQ(ui.StatusText(Control::状态条1, 0), "\xC8\xAB\xB2\xBF");

  EXPECT_EQ(ui.TimerPeriod(Control::时钟1), 10000);
  ui.SetTimerPeriod(Control::时钟1, -5);
  EXPECT_EQ(ui.TimerPeriod(Control::时钟1), 0);
  ui.SetTimerPeriod(Control::时钟1, 600000);
  EXPECT_EQ(ui.TimerPeriod(Control::时钟1), 600000);

  EXPECT_EQ(ui.LinkKind(Control::超级链接框1), 1);
  ui.SetLinkKind(Control::超级链接框1, 7);
  EXPECT_EQ(ui.LinkKind(Control::超级链接框1), 1);
  ui.SetLinkKind(Control::超级链接框1, -2);
  EXPECT_EQ(ui.LinkKind(Control::超级链接框1), 0);

  ui.SetBrowserAddress(Control::超文本浏览框1, "");
  EXPECT_EQ(ui.BrowserAddress(Control::超文本浏览框1), "about:blank");
  ui.SetBrowserAddress(Control::超文本浏览框1, "http://www.orvane.example/content.asp?id=5129");
  EXPECT_EQ(ui.BrowserAddress(Control::超文本浏览框1), "http://www.orvane.example/content.asp?id=5129");
}

inline void TextsAndStatesRoundTrip(ui::Toolkit& ui) {
  const std::string chinese = "\xCE\xC4\xBC\xFE\xC3\xFB";  // 文件名
  ui.SetText(Control::编辑框_欲原, chinese);
  EXPECT_EQ(ui.GetText(Control::编辑框_欲原), chinese);
  ui.SetWindowCaption(chinese + "  1.10");
  EXPECT_EQ(ui.WindowCaption(), chinese + "  1.10");
  EXPECT_FALSE(ui.IsDisabled(Control::按钮1));
  ui.SetDisabled(Control::按钮1, true);
  EXPECT_TRUE(ui.IsDisabled(Control::按钮1));
  ui.SetDisabled(Control::按钮1, false);
  EXPECT_FALSE(ui.IsDisabled(Control::按钮1));
  EXPECT_FALSE(ui.IsChecked(Control::选择框1));
  EXPECT_TRUE(ui.IsChecked(Control::单选框1));
}

// Calls from a thread other than the UI thread take effect before they return.
inline void CallsFromAnotherThreadTakeEffect(ui::Toolkit& ui) {
  ui.SetProgressPosition(Control::进度条1, 0);
  ui.DeleteAllRows(Control::超级列表框1);
  std::thread other([&ui] {
    for (int i = 0; i < 50; ++i) {
      const int row = ui.AppendRow(Control::超级列表框1);
      ui.SetCell(Control::超级列表框1, row, 0, std::to_string(i + 1));
      ui.AdvanceProgressPosition(Control::进度条1);
    }
    ui.SetText(Control::透明标签1, "50%");
  });
  other.join();
  EXPECT_EQ(ui.RowCount(Control::超级列表框1), 50);
  EXPECT_EQ(ui.GetCell(Control::超级列表框1, 49, 0), "50");
  EXPECT_EQ(ui.ProgressPosition(Control::进度条1), 50);
  EXPECT_EQ(ui.GetText(Control::透明标签1), "50%");
}

// Once the main window is gone, nothing happens and reads are empty.
inline void NothingHappensAfterTheWindowIsGone(ui::Toolkit& ui) {
  EXPECT_FALSE(ui.MainWindowExists());
  ui.SetText(Control::按钮1, "x");
  EXPECT_EQ(ui.GetText(Control::按钮1), "");
  EXPECT_EQ(ui.WindowCaption(), "");
  EXPECT_EQ(ui.AppendRow(Control::超级列表框1), -1);
  EXPECT_EQ(ui.RowCount(Control::超级列表框1), 0);
  EXPECT_EQ(ui.SelectedRow(Control::超级列表框1), -1);
  EXPECT_EQ(ui.CurrentItem(Control::组合框1), -1);
  EXPECT_EQ(ui.ProgressPosition(Control::进度条1), 0);
  EXPECT_EQ(ui.TimerPeriod(Control::时钟1), 0);
  EXPECT_EQ(ui.StatusText(Control::状态条1, 0), "");
  EXPECT_EQ(ui.BrowseForFolder("x"), "");
  ui.AdvanceProgressPosition(Control::进度条1);
  ui.PopupMenu(ui::Menu::替换管理);
  ui.ProcessPendingEvents();
}

}  // namespace rules
