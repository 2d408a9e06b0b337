// Rename runs on real files in a temporary folder, with real threads, the
// headless window and the POSIX backend.
#include "rename/rename_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/file_tree.h"
#include "support/headless_program.h"
#include "support/temp_folder.h"
#include "support/wait.h"

namespace {

using test_support::ContentOf;
using test_support::Exists;
using test_support::MakeFile;
using ui::Control;

class RenameRun : public testing::Test {
 protected:
  // Lists each file as the search would, after making it.
  void List(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      ASSERT_TRUE(MakeFile(dir.Child(name), "content of " + name));
      const int row = p.ui.AppendRow(Control::超级列表框1);
      p.ui.SetCell(Control::超级列表框1, row, 0, std::to_string(row + 1));
      p.ui.SetCell(Control::超级列表框1, row, 1, dir.Child(name));
    }
  }
  void Prefix(const std::string& text) {
    p.ui.SetChecked(Control::选择框_前, true);
    p.ui.Type(Control::编辑框_加入, text);
  }
  void Suffix(const std::string& text) {
    p.ui.SetChecked(Control::选择框_后, true);
    p.ui.Type(Control::编辑框_加入1, text);
  }
  void Replace(const std::string& find, const std::string& replacement) {
    p.ui.SetChecked(Control::选择框2, true);
    p.ui.Type(Control::编辑框_欲原, find);
    p.ui.Type(Control::编辑框_欲新, replacement);
  }
  void Click() {
    p.ui.Click(Control::按钮1);
    p.Pump();
  }
  std::string Caption() { return p.ui.GetText(Control::按钮1); }
  // Until the run is idle again and every thread it started has ended.
  bool WaitForIdle(int seconds = 30) {
    return test_support::WaitUntil(
        [&] {
          return Caption() == "开始替换" && !p.ui.IsDisabled(Control::按钮1) && p.os.ThreadsRunning() == 0;
        },
        std::chrono::seconds(seconds), [&] { p.Pump(); });
  }

  test_support::TempFolder dir;
  test_support::HeadlessProgram p;
};

TEST_F(RenameRun, AnEmptyListStartsNoWorkerAndEndsAfterOneBatch) {
  p.ui.SetProgressPosition(Control::进度条1, 9);
  Click();
  ASSERT_TRUE(WaitForIdle());
  // Without a row there is nothing to wait for: the run may be over already.
  EXPECT_EQ(p.ui.Snapshot(Control::按钮1).textsWritten, (std::vector<std::string>{"停止替换", "开始替换"}));
  EXPECT_EQ(p.os.ThreadsStarted(), 1) << "only the dispatcher";
  EXPECT_EQ(p.ui.ProgressPosition(Control::进度条1), 0);
  EXPECT_EQ(p.ui.GetText(Control::透明标签1), "0%");
}

TEST_F(RenameRun, RenamesEveryRowInItsOwnFolderAndShowsProgress) {
  List({"a1.txt", "a2.txt", "a3.txt", "a4.txt", "a5.txt"});
  Prefix("new_");
  Click();
  ASSERT_TRUE(WaitForIdle());
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_FALSE(Exists(dir.Child("a" + n + ".txt")));
    EXPECT_EQ(ContentOf(dir.Child("new_a" + n + ".txt")), "content of a" + n + ".txt");
  }
  EXPECT_EQ(p.os.ThreadsStarted(), 6);
  EXPECT_EQ(p.ui.ProgressMaximum(Control::进度条1), 4);
  EXPECT_EQ(p.ui.ProgressPosition(Control::进度条1), 5);
  EXPECT_EQ(p.ui.Snapshot(Control::透明标签1).textsWritten,
            (std::vector<std::string>{"0%", "25%", "50%", "75%", "100%"}));
  EXPECT_EQ(p.ui.GetText(Control::编辑框2), "5");
  EXPECT_EQ(p.runningTasks.load(), 0);
  // The rows stay as they were: a run removes nothing.
  EXPECT_EQ(p.ui.RowCount(Control::超级列表框1), 5);
}

TEST_F(RenameRun, AppliesEveryRuleOptionWithTwoByteNames) {
  // 文件名 with a character whose second byte is "\" (D5 5C) in the name.
  const std::string name = "\xCE\xC4\xBC\xFE\xD5\x5C.txt";
  List({name});
  Replace("\xBC\xFE", "-");
  Prefix("[");
  Suffix("]");
  Click();
  ASSERT_TRUE(WaitForIdle());
  EXPECT_FALSE(Exists(dir.Child(name)));
  EXPECT_TRUE(Exists(dir.Child("[\xCE\xC4-\xD5\x5C].txt")));
  EXPECT_EQ(p.ui.GetText(Control::透明标签1), "100%") << "one row: all done";
}

TEST_F(RenameRun, NeverReplacesAnExistingFile) {
  List({"a.txt"});
  ASSERT_TRUE(MakeFile(dir.Child("x_a.txt"), "the other file"));
  Prefix("x_");
  Click();
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(ContentOf(dir.Child("a.txt")), "content of a.txt");
  EXPECT_EQ(ContentOf(dir.Child("x_a.txt")), "the other file");
  EXPECT_EQ(p.ui.ProgressPosition(Control::进度条1), 0);
  EXPECT_EQ(p.ui.GetText(Control::透明标签1), "0%");
  EXPECT_EQ(p.ui.GetText(Control::编辑框2), "0");
  EXPECT_EQ(p.runningTasks.load(), 0);
}

TEST_F(RenameRun, RefusesANewNameThatIsNotOnePlainName) {
  struct Case {
    const char* what;
    std::string replacement;  // for the whole base name "a"
  };
  const Case cases[] = {
      {"into another folder", "sub\\a"},
      {"up and out", "..\\a"},
      {"a stream", "b:c"},
      {"a device", "con"},
      {"a trailing dot", "a."},
      {"a trailing blank", "a "},
      {"nothing left", ""},
  };
  List({"a"});  // no extension: the replacement is the whole new name
  ASSERT_TRUE(test_support::MakeFolder(dir.Child("sub")));
  for (const Case& c : cases) {
    Replace("a", c.replacement);
    Click();
    ASSERT_TRUE(WaitForIdle()) << c.what;
    EXPECT_EQ(ContentOf(dir.Child("a")), "content of a") << c.what;
    EXPECT_FALSE(Exists(dir.Child("sub\\a"))) << c.what;
    EXPECT_EQ(p.ui.ProgressPosition(Control::进度条1), 0) << c.what;
    EXPECT_EQ(p.runningTasks.load(), 0) << c.what;
  }
}

TEST_F(RenameRun, NeverHasMoreThanSixWorkersInFlight) {
  List({"f01", "f02", "f03", "f04", "f05", "f06", "f07", "f08", "f09", "f10"});
  Suffix("_done");
  p.os.CloseGate();
  Click();
  // Six workers are held at the gate; the seventh row waits for a slot.
  ASSERT_TRUE(test_support::WaitUntil([&] { return p.os.MovesWaitingAtGate() == 6; },
                                      std::chrono::seconds(10), [&] { p.Pump(); }));
  EXPECT_EQ(p.runningTasks.load(), 6);
  EXPECT_EQ(p.os.ThreadsStarted(), 7) << "the dispatcher and six workers";
  p.os.OpenGate();
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(p.os.MostMovesInFlight(), 6);
  EXPECT_EQ(p.ui.GetText(Control::编辑框2), "10");
  EXPECT_TRUE(Exists(dir.Child("f10_done")));
}

TEST_F(RenameRun, AStopTakesEffectWithinOneBatch) {
  std::vector<std::string> names;
  for (int i = 0; i < 20; ++i) names.push_back("s" + std::to_string(i));
  List(names);
  Suffix("_x");
  Click();
  ASSERT_TRUE(test_support::WaitUntil([&] { return p.os.ThreadsStarted() >= 2; }, std::chrono::seconds(10)));
  Click();  // stop
  EXPECT_TRUE(p.ui.IsDisabled(Control::按钮1));
  EXPECT_EQ(Caption(), "停止替换");
  ASSERT_TRUE(WaitForIdle());
  // The batch under way runs to its end: at most five rows, two batches at
  // most since the first start was seen.
  const int workers = p.os.ThreadsStarted() - 1;
  EXPECT_GE(workers, 1);
  EXPECT_LE(workers, 10);
  EXPECT_LT(workers, 20);
  EXPECT_EQ(p.ui.GetText(Control::编辑框2), std::to_string(workers));
  EXPECT_EQ(p.program.rename.renameStop.load(), 0);
}

TEST_F(RenameRun, ASecondRunSharesTheCapWithWorkersStillInFlight) {
  List({"r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8"});
  Suffix("_1");
  p.os.CloseGate();
  // Only the first six rows are there for the first run.
  p.ui.DeleteRow(Control::超级列表框1, 7);
  p.ui.DeleteRow(Control::超级列表框1, 6);
  Click();
  ASSERT_TRUE(test_support::WaitUntil([&] { return Caption() == "开始替换"; }, std::chrono::seconds(10),
                                      [&] { p.Pump(); }));
  EXPECT_EQ(p.runningTasks.load(), 6) << "the first run's workers are still in flight";
  // The second run lists the other two and must wait for slots.
  p.ui.DeleteAllRows(Control::超级列表框1);
  for (const char* name : {"r7", "r8"}) {
    const int row = p.ui.AppendRow(Control::超级列表框1);
    p.ui.SetCell(Control::超级列表框1, row, 1, dir.Child(name));
  }
  Click();
  // Its dispatcher is the eighth thread; long enough for one back-off, no
  // ninth may start while six are in flight.
  EXPECT_FALSE(test_support::WaitUntil([&] { return p.os.ThreadsStarted() >= 9; }, std::chrono::milliseconds(1500),
                                       [&] { p.Pump(); }))
      << "no worker may start while six are in flight";
  EXPECT_EQ(p.os.ThreadsStarted(), 8);
  p.os.OpenGate();
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(p.os.MostMovesInFlight(), 6);
  for (const char* name : {"r1", "r6", "r7", "r8"}) EXPECT_TRUE(Exists(dir.Child(std::string(name) + "_1")));
}

TEST_F(RenameRun, AWorkerThatCannotStartGivesItsSlotBack) {
  List({"t1", "t2", "t3"});
  Suffix("_z");
  p.os.threadsThatStart = 2;  // the dispatcher and the first worker
  Click();
  ASSERT_TRUE(WaitForIdle());
  EXPECT_TRUE(Exists(dir.Child("t1_z")));
  EXPECT_TRUE(Exists(dir.Child("t2")));
  EXPECT_TRUE(Exists(dir.Child("t3")));
  EXPECT_EQ(p.runningTasks.load(), 0);
  EXPECT_EQ(p.ui.GetText(Control::编辑框2), "1");
}

TEST_F(RenameRun, CountsOnlyFilesThatGotAnotherNameAndKeepsCounting) {
  List({"c1", "c2"});
  Click();  // every switch off: each move keeps the name
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(p.ui.ProgressPosition(Control::进度条1), 2) << "a move to the same name succeeds";
  EXPECT_EQ(p.ui.GetText(Control::编辑框2), "0");
  Suffix("_n");
  Click();
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(p.ui.GetText(Control::编辑框2), "2");
  p.ui.DeleteAllRows(Control::超级列表框1);
  List({"c3"});
  Click();
  ASSERT_TRUE(WaitForIdle());
  EXPECT_EQ(p.ui.GetText(Control::编辑框2), "3") << "a new run goes on counting";
}

TEST(ShowProgress, ShowsTheRowsShareAsAWholePercentage) {
  struct Case {
    int rows, row;
    const char* label;
    int maximum;
  };
  const Case cases[] = {
      {4, 0, "0%", 3},   {4, 1, "33%", 3},  {4, 2, "67%", 3}, {4, 3, "100%", 3},
      {9, 1, "13%", 8},  {9, 3, "38%", 8},  // halves away from zero
      {1, 0, "100%", 0},                     // one row
      {0, 0, "0%", 0},                       // the search's reset: 0 / -1 is a zero
  };
  for (const Case& c : cases) {
    test_support::HeadlessProgram p;
    for (int i = 0; i < c.rows; ++i) p.ui.AppendRow(Control::超级列表框1);
    p.ui.SetProgressPosition(Control::进度条1, 7);
    renaming::ShowProgress(p.ui, c.row);
    EXPECT_EQ(p.ui.GetText(Control::透明标签1), c.label) << c.rows << " rows, row " << c.row;
    EXPECT_EQ(p.ui.ProgressMaximum(Control::进度条1), c.maximum);
    EXPECT_EQ(p.ui.ProgressPosition(Control::进度条1), 8);
  }
}

TEST(DueTime, CountsHundredNanosecondIntervalsFromNow) {
  struct Case {
    int amount, unit;
    std::int64_t due;
  };
  const Case cases[] = {
      {100, 0, -1'000'000},      {1000, 0, -10'000'000},   {7, 1, -70},
      {2, 2, -20'000'000},       {1, 3, -600'000'000},     {1, 4, -36'000'000'000},
      {1, 5, -864'000'000'000},  {3, 9, -270'000},  // any other unit u: u ms
      {2147483647, 5, -9'200'000'000'000'000'000},  // kept within 64 bits
  };
  for (const Case& c : cases) EXPECT_EQ(renaming::DueTime(c.amount, c.unit), c.due) << c.amount << " " << c.unit;
}

TEST(WorkerSlots, NeverCountMoreThanSixOrLessThanZero) {
  std::atomic<std::int64_t> tasks{0};
  int reserved = 0;
  while (renaming::ReserveWorkerSlot(tasks)) ++reserved;
  EXPECT_EQ(reserved, 6);
  EXPECT_EQ(tasks.load(), 6);
  for (int i = 0; i < 8; ++i) renaming::ReleaseWorkerSlot(tasks);
  EXPECT_EQ(tasks.load(), 0);
}

}  // namespace
