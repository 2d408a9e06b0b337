#include <gtest/gtest.h>

#include <thread>

#include "app/caption.h"
#include "app/entry.h"
#include "support/headless_program.h"
#include "support/temp_folder.h"
#include "support/wait.h"

namespace {

using ui::Control;

TEST(StartUp, WritesTheCaptionExactly) {
  test_support::HeadlessProgram p;
  // "Orvane批量替换文件名  1.10 QQ:" and the contact digits, in code page 936.
  const std::string expected =
      "Orvane\xC5\xFA\xC1\xBF\xCC\xE6\xBB\xBB\xCE\xC4\xBC\xFE\xC3\xFB  1.10 QQ:0123456789";
  EXPECT_EQ(p.ui.WindowCaption(), expected);
  EXPECT_EQ(app::ComposeCaption(p.program.texts), expected);
}

TEST(StartUp, ShowsThePatternInTheComboBox) {
  test_support::HeadlessProgram p;
  EXPECT_EQ(p.ui.GetText(Control::组合框1), "*.*");
  EXPECT_EQ(p.ui.CurrentItem(Control::组合框1), 0);
}

TEST(StartUp, AnEmptyTitleLeavesTheCaptionBeginningWithTwoBlanks) {
  app::SharedTexts texts{"", "1.10", "0123456789"};
  EXPECT_EQ(app::ComposeCaption(texts), "  1.10 QQ:0123456789");
}

TEST(EntrySequence, ClosingTheWindowEndsTheLoopAfterTheExitRoutineRanOnce) {
  test_support::TempFolder folder;
  test_support::ObservedOs os;
  os.programFilePath = folder.Child("renamer.exe");
  ui::headless::HeadlessToolkit ui(os);
  app::Program program(ui, os);
  std::thread user([&ui] {
    // The user closes the window once it is there.
    ASSERT_TRUE(test_support::WaitUntil([&] { return ui.MainWindowExists(); }, std::chrono::seconds(10)));
    ui.Close();
  });
  app::RunEntrySequence(program);  // returns when the window is gone
  user.join();
  EXPECT_EQ(ui.ExitRoutineRuns(), 1);
  EXPECT_EQ(program.texts.titleText, "");
  EXPECT_EQ(program.texts.versionText, "");
  EXPECT_EQ(program.texts.contactText, "");
  EXPECT_EQ(app::runningTasks.load(), 0);
}

}  // namespace
