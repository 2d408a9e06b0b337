// The whole job against the real window and real files: search a folder,
// set the rule, run, stop, and take a row out with the right-click menu.
// The test's thread acts as the user: clicks and keys go in as input (real
// mouse and keyboard events through SendInput) or as the messages a click
// sends, and it reads the controls back through their windows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/folder_search.h"
#include "wine/real_program.h"
#include "wine/win_files.h"

namespace {

using test_support::Exists;
using test_support::Narrow;
using test_support::ReadContent;
using test_support::TextOf;
using test_support::Wide;
using ui::Control;

// 报告 ("report"), and 誠 whose second byte in code page 936 is "\".
const std::string kReport = "\xB1\xA8\xB8\xE6";
const std::string kTrailBackslash = "\xD5\x5C";

class WholeJob : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(p.Main(), nullptr);
    // A folder whose own name ends in the byte of "\".
    folder = dir.Child("\xCE\xC4\xBC\xFE" + kTrailBackslash);  // 文件誠
    ASSERT_TRUE(test_support::MakeFolder(Wide(folder)));
    for (const std::string& name : {kReport + "1.txt", kTrailBackslash + "2.txt", std::string("plain3.txt")}) {
      ASSERT_TRUE(test_support::MakeFile(Wide(folder + "\\" + name), "content " + name));
    }
  }
  void TearDown() override {
    // Every worker is done before the program and the folder go.
    test_support::WaitUntil([&] { return app::runningTasks.load() == 0; }, std::chrono::seconds(30));
  }

  HWND W(Control c) { return p.Window(c); }
  void Type(Control c, const std::string& text) { SendMessageW(W(c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())); }
  void Click(Control c) { test_support::ClickButton(W(c)); }
  void Tick(Control c) { SendMessageW(W(c), BM_SETCHECK, BST_CHECKED, 0); }
  std::string Caption(Control c) { return Narrow(TextOf(W(c))); }
  bool WaitForCaption(Control c, const std::string& caption, int seconds = 30) {
    return test_support::WaitUntil([&] { return Caption(c) == caption && IsWindowEnabled(W(c)); },
                                   std::chrono::seconds(seconds));
  }
  int Rows() { return static_cast<int>(SendMessageW(W(Control::超级列表框1), LVM_GETITEMCOUNT, 0, 0)); }
  std::string Cell(int row, int column) { return p.ui.GetCell(Control::超级列表框1, row, column); }

  void Search() {
    Type(Control::编辑框1, folder);
    Click(Control::读取文件);
    ASSERT_TRUE(test_support::WaitUntil([&] { return Rows() == 3 && Caption(Control::读取文件) == "搜索文件"; },
                                        std::chrono::seconds(30)))
        << Rows() << " rows";
  }

  test_support::TempFolder dir;
  std::string folder;
  test_support::RealProgram p;
};

// Real input: the pointer moves to a point of the screen, then buttons.
void ClickAt(POINT at, DWORD down, DWORD up) {
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = at.x * 65535 / width;
    input.mi.dy = at.y * 65535 / height;
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = down | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = up | MOUSEEVENTF_ABSOLUTE;
  SendInput(3, inputs, sizeof(INPUT));
}

void PressKey(WORD key) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

TEST_F(WholeJob, SearchesRenamesWithEveryOptionAndShowsIt) {
  Search();
  EXPECT_EQ(Caption(Control::共搜索), "3");
  std::vector<std::string> listed;
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Cell(row, 0), std::to_string(row + 1));
    listed.push_back(Cell(row, 1));
  }
  std::vector<std::string> expected = {folder + "\\" + kReport + "1.txt", folder + "\\plain3.txt",
                                       folder + "\\" + kTrailBackslash + "2.txt"};
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);

  // Replace "1" by "一" (D2 BB), add "新" (D0 C2) before and "_v" after.
  Tick(Control::选择框2);
  Type(Control::编辑框_欲原, "1");
  Type(Control::编辑框_欲新, "\xD2\xBB");
  Tick(Control::选择框_前);
  Type(Control::编辑框_加入, "\xD0\xC2");
  Tick(Control::选择框_后);
  Type(Control::编辑框_加入1, "_v");
  Click(Control::按钮1);
  ASSERT_TRUE(WaitForCaption(Control::按钮1, "停止替换", 10));
  ASSERT_TRUE(WaitForCaption(Control::按钮1, "开始替换"));
  ASSERT_TRUE(test_support::WaitUntil([] { return app::runningTasks.load() == 0; }, std::chrono::seconds(30)));

  const std::string newFolder = folder + "\\";
  EXPECT_EQ(ReadContent(Wide(newFolder + "\xD0\xC2" + kReport + "\xD2\xBB_v.txt")), "content " + kReport + "1.txt");
  EXPECT_EQ(ReadContent(Wide(newFolder + "\xD0\xC2" + kTrailBackslash + "2_v.txt")),
            "content " + kTrailBackslash + "2.txt");
  EXPECT_EQ(ReadContent(Wide(newFolder + "\xD0\xC2plain3_v.txt")), "content plain3.txt");
  EXPECT_FALSE(Exists(Wide(newFolder + kReport + "1.txt")));
  EXPECT_EQ(Rows(), 3) << "a run leaves the rows as they were";
  EXPECT_EQ(Caption(Control::透明标签1), "100%");
  EXPECT_EQ(Caption(Control::编辑框2), "3");
  EXPECT_EQ(p.ui.ProgressPosition(Control::进度条1), 3);
}

TEST_F(WholeJob, AStopEndsTheRunWithinABatch) {
  // Enough files that the run is still going when the stop comes.
  for (int i = 0; i < 17; ++i) {
    ASSERT_TRUE(test_support::MakeFile(Wide(folder + "\\more" + std::to_string(i) + ".txt")));
  }
  Type(Control::编辑框1, folder);
  Click(Control::读取文件);
  ASSERT_TRUE(test_support::WaitUntil([&] { return Rows() == 20; }, std::chrono::seconds(30)));
  Tick(Control::选择框_后);
  Type(Control::编辑框_加入1, "_s");
  Click(Control::按钮1);
  // The stop comes once the run has renamed a file.
  ASSERT_TRUE(test_support::WaitUntil([&] { return Caption(Control::编辑框2) != "0"; }, std::chrono::seconds(10)));
  Click(Control::按钮1);
  ASSERT_TRUE(test_support::WaitUntil([&] { return !IsWindowEnabled(W(Control::按钮1)); }, std::chrono::seconds(5)))
      << "a stop disables the button at once";
  EXPECT_EQ(Caption(Control::按钮1), "停止替换");
  ASSERT_TRUE(WaitForCaption(Control::按钮1, "开始替换"));
  ASSERT_TRUE(test_support::WaitUntil([] { return app::runningTasks.load() == 0; }, std::chrono::seconds(30)));
  const int renamed = std::stoi(Caption(Control::编辑框2));
  EXPECT_GE(renamed, 1);
  EXPECT_LE(renamed, 10) << "one batch under way, and at most one more, after the stop";
}

TEST_F(WholeJob, ALongSearchShowsAllItWroteOnceItIsDone) {
  // Enough folders that the search handles events many times over a while,
  // its texts shown only now and then meanwhile.
  for (int f = 0; f < 60; ++f) {
    const std::string sub = folder + "\\sub" + std::to_string(f);
    ASSERT_TRUE(test_support::MakeFolder(Wide(sub)));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(test_support::MakeFile(Wide(sub + "\\f" + std::to_string(i) + ".txt")));
  }
  Type(Control::编辑框1, folder);
  Tick(Control::选择框1);
  Click(Control::读取文件);
  // Some files are counted while the search goes on; the caption is back
  // once it is over.
  ASSERT_TRUE(test_support::WaitUntil(
      [&] { return Caption(Control::共搜索) != "0" && Caption(Control::读取文件) == "搜索文件"; },
      std::chrono::seconds(60)));
  // A call waits until the UI thread is done showing what the search wrote.
  p.ui.MainWindowExists();
  EXPECT_EQ(Rows(), 303);
  EXPECT_EQ(Caption(Control::共搜索), "303");
  HWND bar = W(Control::状态条1);
  std::wstring status(512, L'\0');
  status.resize(LOWORD(SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(status.data()))));
  EXPECT_EQ(Narrow(status), files::CompletionText());
  wchar_t shown[MAX_PATH] = {};
  LVITEMW cell{};
  cell.iSubItem = 0;
  cell.pszText = shown;
  cell.cchTextMax = MAX_PATH;
  SendMessageW(W(Control::超级列表框1), LVM_GETITEMTEXTW, 302, reinterpret_cast<LPARAM>(&cell));
  EXPECT_EQ(Narrow(shown), "303");
}

TEST_F(WholeJob, TheRightClickMenuTakesARowOut) {
  Search();
  HWND list = W(Control::超级列表框1);
  const std::string second = Cell(1, 1);
  const std::string third = Cell(2, 1);
  // A real left click on the second row selects it; a real right click
  // brings up the menu; Down and Enter choose its first item.
  SetForegroundWindow(p.Main());
  RECT item{};
  item.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(list, &at);
  ClickAt(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(test_support::WaitUntil([&] { return p.ui.SelectedRow(Control::超级列表框1) == 1; },
                                      std::chrono::seconds(10)));
  ClickAt(at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(test_support::WaitUntil([] { return FindWindowW(L"#32768", nullptr) != nullptr; },
                                      std::chrono::seconds(10)))
      << "no pop-up menu appeared";
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  // Removed, then renumbered.
  ASSERT_TRUE(test_support::WaitUntil([&] { return Rows() == 2 && Cell(1, 0) == "2"; }, std::chrono::seconds(10)))
      << Rows() << " rows";
  EXPECT_EQ(Cell(1, 1), third);
  EXPECT_NE(Cell(0, 1), second);
  EXPECT_TRUE(Exists(Wide(second))) << "the file itself stays";
}

}  // namespace
