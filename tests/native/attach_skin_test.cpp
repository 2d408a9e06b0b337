// Placing and attaching the skin engine, on real folders, with a stand-in
// for loading a Windows library.
#include "skin/attach_skin.h"

#include <gtest/gtest.h>

#include <string>

#include "app/entry.h"
#include "support/file_tree.h"
#include "support/headless_program.h"
#include "support/temp_folder.h"

namespace {

using test_support::ContentOf;
using test_support::Exists;
using test_support::ObservedOs;

std::string BlockText(std::span<const unsigned char> block) { return std::string(block.begin(), block.end()); }

class AttachSkin : public testing::Test {
 protected:
  void SetUp() override { os.programFilePath = folder.Child("renamer.exe"); }
  skin::Attachment Attach() { return skin::AttachSkin(os, skin::LibraryFileBlock(), skin::SkinDataBlock()); }
  std::string Library() const { return folder.Child("SkinCore.dll"); }

  test_support::TempFolder folder;
  ObservedOs os;
};

TEST_F(AttachSkin, WritesAMissingLibraryAndCallsTheEngineWithTheSkin) {
  const int callsBefore = ObservedOs::LastEngineCall().calls;
  const skin::Attachment attached = Attach();
  EXPECT_TRUE(attached.reached);
  EXPECT_EQ(attached.result, 1);
  EXPECT_EQ(ContentOf(Library()), BlockText(skin::LibraryFileBlock()));
  EXPECT_EQ(os.libraryLoaded, Library()) << "loaded by its full path in the program's folder";
  const ObservedOs::EngineCall call = ObservedOs::LastEngineCall();
  EXPECT_EQ(call.calls, callsBefore + 1);
  EXPECT_EQ(call.skinData, skin::SkinDataBlock().data());
  EXPECT_EQ(call.size, 24894);
  EXPECT_EQ(call.name, nullptr);
  EXPECT_EQ(skin::SkinDataBlock().size(), 24894u);
}

TEST_F(AttachSkin, LeavesAPresentFileAloneWhateverItHolds) {
  ASSERT_TRUE(test_support::MakeFile(Library(), "someone else's library"));
  EXPECT_TRUE(Attach().reached);
  EXPECT_EQ(ContentOf(Library()), "someone else's library");
}

TEST_F(AttachSkin, AFolderOfThatNameCountsAsPresentAndCannotBeLoaded) {
  ASSERT_TRUE(test_support::MakeFolder(Library()));
  EXPECT_FALSE(Attach().reached);
  EXPECT_TRUE(Exists(Library()));
  EXPECT_EQ(os.libraryLoaded, "");
}

TEST_F(AttachSkin, AFolderThatTakesNoFilesGetsNoneAndSaysNothing) {
  os.programFilePath = folder.Child("missing\\renamer.exe");
  EXPECT_FALSE(Attach().reached);
  EXPECT_FALSE(Exists(folder.Child("missing")));
}

TEST(ProgramFolder, KeepsThePathUpToItsLastBackslash) {
  struct Case {
    std::string program, folder;
  };
  const Case cases[] = {
      {"C:\\Tools\\renamer.exe", "C:\\Tools\\"},
      {"C:\\renamer.exe", "C:\\"},
      {"D:\\\xD5\x5C\\renamer.exe", "D:\\\xD5\x5C\\"},  // the folder's name ends in the byte of "\"
      {"", ""},
  };
  for (const Case& c : cases) {
    ObservedOs os;
    os.programFilePath = c.program;
    EXPECT_EQ(skin::ProgramFolder(os), c.folder) << c.program;
  }
}

TEST(MainWindowCreated, EndsTheProgramWhenTheEngineCannotBeReached) {
  test_support::TempFolder folder;
  ASSERT_TRUE(test_support::MakeFolder(folder.Child("SkinCore.dll")));
  ObservedOs os;
  os.programFilePath = folder.Child("renamer.exe");
  ui::headless::HeadlessToolkit ui(os);
  app::Program program(ui, os);
  ui.Initialise();
  try {
    app::StartUp(program);
    FAIL() << "the program went on without its skin engine";
  } catch (const ObservedOs::ProcessEnded& ended) {
    EXPECT_NE(ended.exitCode, 0);
  }
  const std::vector<std::string> shown = ui.FatalErrorsShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("SkinCore.dll"), std::string::npos) << shown[0];
  EXPECT_NE(shown[0].find("SkinCore_AttachRes"), std::string::npos) << shown[0];
  EXPECT_EQ(ui.WindowCaption(), "") << "nothing after the error ran";
}

}  // namespace
