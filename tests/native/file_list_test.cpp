// The file list's right-click commands on the headless window.
#include "files/file_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/headless_program.h"

namespace {

using ui::Control;
using ui::MenuItem;

class FileList : public testing::Test {
 protected:
  void Fill(int rows) {
    for (int i = 0; i < rows; ++i) {
      const int row = p.ui.AppendRow(Control::超级列表框1);
      p.ui.SetCell(Control::超级列表框1, row, 0, std::to_string(row + 1));
      p.ui.SetCell(Control::超级列表框1, row, 1, "C:\\f\\" + std::to_string(row + 1) + ".txt");
    }
  }
  void Choose(MenuItem item) {
    p.ui.AnswerNextMenu(item);
    p.ui.RightClick(Control::超级列表框1);
    p.Pump();
  }
  // "number path" of every row.
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 0; i < p.ui.RowCount(Control::超级列表框1); ++i) {
      rows.push_back(p.ui.GetCell(Control::超级列表框1, i, 0) + " " + p.ui.GetCell(Control::超级列表框1, i, 1));
    }
    return rows;
  }

  test_support::HeadlessProgram p;
};

TEST_F(FileList, RemovingARowRenumbersTheRest) {
  Fill(5);
  p.ui.SelectRows(Control::超级列表框1, {2});
  Choose(MenuItem::不替换该文件名);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1 C:\\f\\1.txt", "2 C:\\f\\2.txt", "3 C:\\f\\4.txt",
                                              "4 C:\\f\\5.txt"}));
}

TEST_F(FileList, CommandsActOnTheLowestSelectedRowOnly) {
  Fill(5);
  p.ui.SelectRows(Control::超级列表框1, {3, 1});
  Choose(MenuItem::不替换该文件名);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1 C:\\f\\1.txt", "2 C:\\f\\3.txt", "3 C:\\f\\4.txt",
                                              "4 C:\\f\\5.txt"}));
  p.os.windowsFolder = "C:\\Windows";
  p.ui.SelectRows(Control::超级列表框1, {3, 2});
  Choose(MenuItem::打开文件夹路径);
  EXPECT_EQ(p.ui.CommandLinesRun(), (std::vector<std::string>{"\"C:\\Windows\\explorer.exe\" /select,\"C:\\f\\4.txt\""}));
}

TEST_F(FileList, RemovingTheOnlyRowLeavesAnEmptyList) {
  Fill(1);
  p.ui.SelectRows(Control::超级列表框1, {0});
  Choose(MenuItem::不替换该文件名);
  EXPECT_EQ(p.ui.RowCount(Control::超级列表框1), 0);
}

TEST_F(FileList, ARightClickWithoutASelectionShowsNoMenu) {
  Fill(3);
  p.ui.RightClick(Control::超级列表框1);
  p.Pump();
  EXPECT_EQ(p.ui.MenusShown(), 0);
  p.ui.SelectRows(Control::超级列表框1, {0});
  p.ui.RightClick(Control::超级列表框1);
  p.Pump();
  EXPECT_EQ(p.ui.MenusShown(), 1);
  EXPECT_EQ(p.ui.RowCount(Control::超级列表框1), 3) << "a dismissed menu does nothing";
}

TEST_F(FileList, TheFileManagerIsNotStartedWithoutAWindowsFolder) {
  Fill(1);
  p.ui.SelectRows(Control::超级列表框1, {0});
  Choose(MenuItem::打开文件夹路径);  // the POSIX backend has no Windows folder
  EXPECT_TRUE(p.ui.CommandLinesRun().empty());
}

TEST(RevealCommandLine, QuotesThePathAndStartsTheFileManagerByItsFullPath) {
  struct Case {
    std::string windows, path, commandLine;
  };
  const Case cases[] = {
      {"C:\\Windows", "C:\\a b,c=d\\x.txt", "\"C:\\Windows\\explorer.exe\" /select,\"C:\\a b,c=d\\x.txt\""},
      {"C:\\", "D:\\x", "\"C:\\explorer.exe\" /select,\"D:\\x\""},
      {"D:\\\xD5\x5C", "D:\\y", "\"D:\\\xD5\x5C\\explorer.exe\" /select,\"D:\\y\""},
      {"", "C:\\x", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(files::RevealCommandLine(c.windows, c.path), c.commandLine) << c.windows;
}

TEST_F(FileList, ARemovalHandledDuringTheRenumberingStillLeavesTheNumbersRight) {
  Fill(5);
  p.ui.SelectRows(Control::超级列表框1, {0, 2});
  // Two removals queued at once: the second runs inside the first one's
  // renumbering, which then meets a row that is no longer there.
  p.ui.AnswerNextMenu(MenuItem::不替换该文件名);
  p.ui.AnswerNextMenu(MenuItem::不替换该文件名);
  p.ui.RightClick(Control::超级列表框1);
  p.ui.RightClick(Control::超级列表框1);
  p.Pump();
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1 C:\\f\\2.txt", "2 C:\\f\\4.txt", "3 C:\\f\\5.txt"}));
}

}  // namespace
