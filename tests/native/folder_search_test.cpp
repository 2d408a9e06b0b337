// The folder search on real folders, with the headless window handling the
// events that arrive at the start of each folder.
#include "files/folder_search.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/file_tree.h"
#include "support/headless_program.h"
#include "support/temp_folder.h"

namespace {

using test_support::MakeFile;
using test_support::MakeFolder;
using ui::Control;

class FolderSearch : public testing::Test {
 protected:
  void SetUp() override {
    // root: b.txt a.log; sub1: c.txt, sub1\deep: d.txt; sub2: e.txt
    ASSERT_TRUE(MakeFile(dir.Child("b.txt")));
    ASSERT_TRUE(MakeFile(dir.Child("a.log")));
    ASSERT_TRUE(MakeFolder(dir.Child("sub1")));
    ASSERT_TRUE(MakeFile(dir.Child("sub1\\c.txt")));
    ASSERT_TRUE(MakeFolder(dir.Child("sub1\\deep")));
    ASSERT_TRUE(MakeFile(dir.Child("sub1\\deep\\d.txt")));
    ASSERT_TRUE(MakeFolder(dir.Child("sub2")));
    ASSERT_TRUE(MakeFile(dir.Child("sub2\\e.txt")));
  }

  void Search(const std::string& folder, const std::string& pattern, bool subfolders) {
    p.ui.Type(Control::编辑框1, folder);
    p.ui.Type(Control::组合框1, pattern);
    p.ui.SetChecked(Control::选择框1, subfolders);
    p.ui.Click(Control::读取文件);
    p.Pump();
  }

  // The rows' paths, relative to the folder, in the list's order; each
  // row's number must be its place.
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    const std::string prefix = dir.Path() + "\\";
    for (int i = 0; i < p.ui.RowCount(Control::超级列表框1); ++i) {
      EXPECT_EQ(p.ui.GetCell(Control::超级列表框1, i, 0), std::to_string(i + 1));
      std::string path = p.ui.GetCell(Control::超级列表框1, i, 1);
      if (path.rfind(prefix, 0) == 0) path = path.substr(prefix.size());
      rows.push_back(path);
    }
    return rows;
  }
  bool Listed(const std::string& path) {
    const std::vector<std::string> rows = Rows();
    return std::find(rows.begin(), rows.end(), path) != rows.end();
  }

  // Depth first, but in each folder the file system's own order: sort
  // the entries of one folder the same way to compare.
  static std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  }

  test_support::TempFolder dir;
  test_support::HeadlessProgram p;
};

TEST_F(FolderSearch, ListsAFoldersOwnFilesBeforeThoseOfItsSubfolders) {
  Search(dir.Path(), "*.txt", true);
  const std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 4u) << testing::PrintToString(rows);
  // sub1 with all of its own before sub2, or after it: the file system's
  // order decides which subfolder comes first.
  const bool sub1First = rows[1] == "sub1\\c.txt";
  const std::vector<std::string> expected =
      sub1First ? std::vector<std::string>{"b.txt", "sub1\\c.txt", "sub1\\deep\\d.txt", "sub2\\e.txt"}
                : std::vector<std::string>{"b.txt", "sub2\\e.txt", "sub1\\c.txt", "sub1\\deep\\d.txt"};
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(p.ui.GetText(Control::共搜索), "4");
  EXPECT_EQ(p.ui.StatusText(Control::状态条1, 0), files::CompletionText());
  EXPECT_EQ(p.ui.GetText(Control::读取文件), "搜索文件");
  EXPECT_FALSE(p.ui.IsDisabled(Control::读取文件));
  EXPECT_FALSE(p.ui.IsDisabled(Control::打开文件夹));
  EXPECT_EQ(p.ui.GetText(Control::透明标签1), "0%");
}

TEST_F(FolderSearch, WithoutSubfoldersListsOnlyTheFolderItself) {
  Search(dir.Path() + "\\", "*.*", false);  // a trailing "\" gets no second one
  EXPECT_EQ(Sorted(Rows()), (std::vector<std::string>{"a.log", "b.txt"}));
  for (const std::string& pattern : p.os.FindPatterns()) {
    EXPECT_EQ(pattern.find("\\\\"), std::string::npos) << pattern;
  }
}

TEST_F(FolderSearch, StillWalksSubfoldersWhenThePatternMatchesNothingHere) {
  Search(dir.Path(), "d.*", true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"sub1\\deep\\d.txt"}));
  Search(dir.Path(), "", true);  // an empty pattern matches no file anywhere
  EXPECT_TRUE(Rows().empty());
  EXPECT_GE(p.os.FindPatterns().size(), 8u) << "the subfolders were still walked";
  EXPECT_EQ(p.ui.GetText(Control::共搜索), "1") << "the count goes on across searches";
}

TEST_F(FolderSearch, AnEmptyFolderTextSearchesTheRootOfTheCurrentDrive) {
  Search("", "*.nothing-has-this", false);
  const std::vector<std::string> patterns = p.os.FindPatterns();
  ASSERT_FALSE(patterns.empty());
  EXPECT_EQ(patterns.back(), "\\*.nothing-has-this");
}

TEST_F(FolderSearch, GoesOnCountingFromWhatTheCountBoxShows) {
  p.ui.Type(Control::共搜索, "40");
  Search(dir.Path(), "*.txt", false);
  EXPECT_EQ(p.ui.GetText(Control::共搜索), "41");
  p.ui.Type(Control::共搜索, "abc");
  Search(dir.Path(), "*.txt", false);
  EXPECT_EQ(p.ui.GetText(Control::共搜索), "1");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"b.txt"})) << "a new search starts with an empty list";
}

TEST_F(FolderSearch, AStopInTheFirstEventProcessingListsNothing) {
  p.ui.SetStatusText(Control::状态条1, 0, "before");
  p.ui.Type(Control::编辑框1, dir.Path());
  p.ui.SetChecked(Control::选择框1, true);
  p.ui.Click(Control::读取文件);
  p.ui.Click(Control::读取文件);  // queued right behind the first
  p.Pump();
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(p.ui.GetText(Control::共搜索), "0");
  EXPECT_EQ(p.ui.StatusText(Control::状态条1, 0), "before");
  EXPECT_EQ(p.ui.GetText(Control::读取文件), "搜索文件");
  EXPECT_FALSE(p.ui.IsDisabled(Control::读取文件));
  EXPECT_FALSE(p.program.search.searchStop);
}

TEST_F(FolderSearch, AStopInTheMiddleSkipsTheFoldersEnteredAfterIt) {
  // The stop click arrives while sub1 is being listed: it is handled when
  // the next folder is entered, which is then skipped with all after it.
  p.os.onFindFirst = [&](const std::string& pattern) {
    if (pattern == dir.Child("sub1\\*.*")) p.ui.Click(Control::读取文件);
  };
  Search(dir.Path(), "*.*", true);
  EXPECT_TRUE(Listed("sub1\\c.txt")) << testing::PrintToString(Rows());
  EXPECT_FALSE(Listed("sub1\\deep\\d.txt")) << "deep was entered after the stop";
  EXPECT_EQ(p.ui.StatusText(Control::状态条1, 0), files::CompletionText());
  EXPECT_EQ(p.ui.GetText(Control::读取文件), "搜索文件");
  EXPECT_EQ(p.os.SearchesOpen(), 0);
}

TEST_F(FolderSearch, TakesAPatternOrSwitchChangedDuringTheSearchForLaterFolders) {
  p.os.onFindFirst = [&](const std::string& pattern) {
    if (pattern == dir.Child("*.txt")) {
      // Typed while the root is listed: seen from the next folder on.
      p.ui.Type(Control::组合框1, "*.nothing");
    }
  };
  Search(dir.Path(), "*.txt", true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"b.txt"}));
  EXPECT_GE(p.os.FindPatterns().size(), 5u) << "the subfolders were still walked";

  p.os.onFindFirst = [&](const std::string& pattern) {
    if (pattern == dir.Child("*.txt")) p.ui.SetChecked(Control::选择框1, false);
  };
  Search(dir.Path(), "*.txt", true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"b.txt"})) << "the switch is read after the files";
}

TEST_F(FolderSearch, ClosingTheWindowStopsTheSearchAtOnce) {
  p.os.onFindFirst = [&](const std::string& pattern) {
    if (pattern == dir.Child("sub1\\*.*")) p.ui.Close();
  };
  Search(dir.Path(), "*.*", true);
  EXPECT_FALSE(p.ui.MainWindowExists());
  // Nothing was looked for after the window was gone, and nothing is open.
  const std::vector<std::string> patterns = p.os.FindPatterns();
  EXPECT_EQ(patterns.back(), dir.Child("sub1\\*.*")) << testing::PrintToString(patterns);
  EXPECT_EQ(p.os.SearchesOpen(), 0);
}

TEST_F(FolderSearch, WalksADeepTreeToItsFullDepth) {
  // Deeper than a search on the thread's own stack would comfortably go.
  constexpr int kDepth = 400;
  std::string folder = dir.Path() + "\\deep";
  for (int level = 0; level < kDepth; ++level) {
    ASSERT_TRUE(MakeFolder(folder)) << level;
    folder += "\\d";
  }
  ASSERT_TRUE(MakeFile(folder.substr(0, folder.size() - 2) + "\\bottom.txt"));
  Search(dir.Path() + "\\deep", "bottom.txt", true);
  ASSERT_EQ(p.ui.RowCount(Control::超级列表框1), 1);
  EXPECT_EQ(p.os.MostSearchesOpen(), kDepth) << "one open search per level";
  EXPECT_EQ(p.os.SearchesOpen(), 0);
}

TEST_F(FolderSearch, NamesWithTwoByteCharactersEndingInTheByteOfABackslash) {
  // D5 5C: a character whose second byte is "\". As the folder text's last
  // character it must still get a backslash after it.
  const std::string folder = dir.Child("\xD5\x5C");
  ASSERT_TRUE(MakeFolder(folder));
  ASSERT_TRUE(MakeFile(folder + "\\\xCE\xC4\xBC\xFE.txt"));
  ASSERT_TRUE(MakeFile(folder + "\\\x95\x5C.txt"));
  Search(folder, "*.txt", false);
  std::vector<std::string> paths;
  for (int i = 0; i < p.ui.RowCount(Control::超级列表框1); ++i) paths.push_back(p.ui.GetCell(Control::超级列表框1, i, 1));
  EXPECT_EQ(Sorted(paths), Sorted({folder + "\\\x95\x5C.txt", folder + "\\\xCE\xC4\xBC\xFE.txt"}));
}

TEST_F(FolderSearch, DoesNotFollowLinksToFolders) {
  // A link back to the folder itself would lead round for ever.
  ASSERT_EQ(symlink(dir.NativePath().c_str(), (dir.NativePath() / "sub2" / "loop").c_str()), 0);
  Search(dir.Path(), "*.txt", true);
  EXPECT_EQ(Rows().size(), 4u) << testing::PrintToString(Rows());
}

TEST(BrowseFolder, WritesTheChosenFolderAndKeepsTheTextWhenCancelled) {
  test_support::HeadlessProgram p;
  p.ui.AnswerNextFolderDialog("D:\\");
  p.ui.Click(Control::打开文件夹);
  p.Pump();
  EXPECT_EQ(p.ui.GetText(Control::编辑框1), "D:\\");
  EXPECT_EQ(p.ui.LastFolderDialogTitle(), "选择文件目录");
  p.ui.Click(Control::打开文件夹);  // cancelled
  p.Pump();
  EXPECT_EQ(p.ui.GetText(Control::编辑框1), "D:\\");
  EXPECT_EQ(p.ui.RowCount(Control::超级列表框1), 0) << "the dialog starts no search";
}

TEST(AddPattern, EachEnterAddsTheTypedPattern) {
  test_support::HeadlessProgram p;
  p.ui.Type(Control::组合框1, "*.jpg");
  p.ui.PressKey(Control::组合框1, 13);
  p.ui.PressKey(Control::组合框1, 13);
  p.ui.PressKey(Control::组合框1, 'A');
  p.Pump();
  EXPECT_EQ(p.ui.ItemCount(Control::组合框1), 3);
  EXPECT_EQ(p.ui.ItemText(Control::组合框1, 1), "*.jpg");
  EXPECT_EQ(p.ui.ItemText(Control::组合框1, 2), "*.jpg");
}

}  // namespace
