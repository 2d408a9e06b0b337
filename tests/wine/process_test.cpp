// The program as the user starts it: its own process, from a folder of its
// own, ended by closing the window or by the fatal error without its skin
// engine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "support/wait.h"
#include "wine/real_program.h"
#include "wine/win_files.h"

namespace {

using test_support::Narrow;
using test_support::ReadContent;

// A file of the build tree, found from this test's exe (build\tests\).
std::wstring BuildFile(const std::wstring& relative) {
  wchar_t self[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  std::wstring path = self;
  path.resize(path.find_last_of(L'\\'));      // ...\tests
  path.resize(path.find_last_of(L'\\') + 1);  // the build folder
  return path + relative;
}

const std::string kCaption = "Orvane\xC5\xFA\xC1\xBF\xCC\xE6\xBB\xBB\xCE\xC4\xBC\xFE\xC3\xFB  1.10 QQ:0123456789";

struct WindowSearch {
  DWORD process;
  std::wstring windowClass;
  HWND found;
};

BOOL CALLBACK NoteWindowOfProcess(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || test_support::ClassOf(window) != search->windowClass) return TRUE;
  search->found = window;
  return FALSE;
}

// The first top-level window of the process whose class is `windowClass`.
HWND FindWindowOf(DWORD process, const std::wstring& windowClass) {
  WindowSearch search{process, windowClass, nullptr};
  EnumWindows(NoteWindowOfProcess, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The program started from a copy of its exe in `folder`.
class Started {
 public:
  explicit Started(const std::wstring& folder) {
    exe_ = folder + L"\\renamer.exe";
    if (!CopyFileW(BuildFile(L"src\\main\\renamer.exe").c_str(), exe_.c_str(), FALSE)) return;
    std::wstring commandLine = L"\"" + exe_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                              &startup, &process_) != FALSE;
  }
  ~Started() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool Running() const { return started_; }

  // Waits for a top-level window of the program of that class to be shown:
  // the program shows its window once every control is there.
  HWND WaitForWindow(const wchar_t* windowClass) {
    HWND window = nullptr;
    test_support::WaitUntil(
        [&] {
          window = FindWindowOf(process_.dwProcessId, windowClass);
          return window != nullptr && IsWindowVisible(window);
        },
        std::chrono::seconds(30));
    return window;
  }
  // Waits for the process to end; its exit code, or -1 when it did not.
  int WaitForEnd() {
    if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) return -1;
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
  }

 private:
  std::wstring exe_;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

TEST(ProgramProcess, OpensItsWindowAndEndsWhenItIsClosed) {
  test_support::TempFolder folder;
  Started program(folder.NativePath());
  ASSERT_TRUE(program.Running()) << "error " << GetLastError();
  HWND window = program.WaitForWindow(L"文件名替换");
  ASSERT_NE(window, nullptr) << "no window of class 文件名替换 appeared";
  EXPECT_EQ(Narrow(test_support::TextOf(window)), kCaption);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForEnd(), 0);
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK NoteControlWithId(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<ControlSearch*>(parameter);
  if (GetDlgCtrlID(window) != search->id) return TRUE;
  search->found = window;
  return FALSE;
}

// A control of the program's window, by the fixed identifier of its design.
HWND Control(HWND main, int id) {
  ControlSearch search{id, nullptr};
  EnumChildWindows(main, NoteControlWithId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

constexpr int kShapeBox = 1003, kFolderBox = 1005, kSearchButton = 1007, kPatternBox = 1009, kSubfolders = 1010, kList = 1016, kRenameButton = 1028,
              kSuffixSwitch = 1024, kSuffixBox = 1025;

void SetText(HWND window, const std::wstring& text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

TEST(ProgramProcess, ClosingDuringASearchEndsTheProgramNormally) {
  test_support::TempFolder folder;
  // Enough folders that the search is still going when the close comes.
  for (int i = 0; i < 300; ++i) {
    const std::wstring sub = folder.NativePath() + L"\\f" + std::to_wstring(i);
    ASSERT_TRUE(test_support::MakeFolder(sub));
    ASSERT_TRUE(test_support::MakeFile(sub + L"\\x.txt"));
  }
  Started program(folder.NativePath());
  HWND main = program.WaitForWindow(L"文件名替换");
  ASSERT_NE(main, nullptr);
  SetText(Control(main, kFolderBox), folder.NativePath());
  SendMessageW(Control(main, kSubfolders), BM_SETCHECK, BST_CHECKED, 0);
  test_support::ClickButton(Control(main, kSearchButton));
  ASSERT_TRUE(test_support::WaitUntil(
      [&] { return SendMessageW(Control(main, kList), LVM_GETITEMCOUNT, 0, 0) > 0; }, std::chrono::seconds(30)));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForEnd(), 0);
}

TEST(ProgramProcess, ClosingWhileRenameWorkersAreInFlightEndsTheProgramNormally) {
  test_support::TempFolder folder;
  for (int i = 0; i < 30; ++i) {
    ASSERT_TRUE(test_support::MakeFile(folder.NativePath() + L"\\r" + std::to_wstring(i) + L".dat"));
  }
  Started program(folder.NativePath());
  HWND main = program.WaitForWindow(L"文件名替换");
  ASSERT_NE(main, nullptr);
  SetText(Control(main, kFolderBox), folder.NativePath());
  SetText(Control(main, kPatternBox), L"*.dat");  // not the program and its engine beside them
  test_support::ClickButton(Control(main, kSearchButton));
  ASSERT_TRUE(test_support::WaitUntil(
      [&] { return SendMessageW(Control(main, kList), LVM_GETITEMCOUNT, 0, 0) == 30; }, std::chrono::seconds(30)));
  SendMessageW(Control(main, kSuffixSwitch), BM_SETCHECK, BST_CHECKED, 0);
  SetText(Control(main, kSuffixBox), L"_x");
  test_support::ClickButton(Control(main, kRenameButton));
  ASSERT_TRUE(test_support::WaitUntil(
      [&] { return test_support::Exists(folder.NativePath() + L"\\r0_x.dat"); }, std::chrono::seconds(30)));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForEnd(), 0);
}

// Compares two files' bytes without printing them.
bool SameBytes(const std::string& a, const std::string& b) { return a.size() == b.size() && a == b; }

TEST(ProgramProcess, PlacesItsSkinEngineOnceAndThenLeavesItAlone) {
  test_support::TempFolder folder;
  const std::wstring engine = folder.NativePath() + L"\\SkinCore.dll";
  const std::string built = ReadContent(BuildFile(L"src\\skincore\\SkinCore.dll"));
  ASSERT_NE(built, "(missing)");
  {
    Started program(folder.NativePath());
    HWND window = program.WaitForWindow(L"文件名替换");
    ASSERT_NE(window, nullptr);
    // Skinned: the page's face, right of the count boxes, is the skin's
    // window.face (#E4EAF1), not the system's button face.
    POINT face{400, 65};
    ClientToScreen(Control(window, kShapeBox), &face);
    COLORREF seen = 0;
    const bool skinned = test_support::WaitUntil(
        [&] {
          HDC screen = GetDC(nullptr);
          seen = GetPixel(screen, face.x, face.y);
          ReleaseDC(nullptr, screen);
          return seen == RGB(0xE4, 0xEA, 0xF1);
        },
        std::chrono::seconds(10));
    EXPECT_TRUE(skinned) << "the face is #" << std::hex << (GetRValue(seen) << 16 | GetGValue(seen) << 8 | GetBValue(seen));
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForEnd(), 0);
  }
  const std::string placed = ReadContent(engine);
  EXPECT_TRUE(SameBytes(placed, built)) << "the first start writes the engine as it was built: " << placed.size()
                                        << " bytes placed, " << built.size() << " built";
  // Changed, though still a library that loads: bytes after its end.
  const std::string changed = built + "appended by the test";
  ASSERT_TRUE(test_support::MakeFile(engine, changed));
  {
    Started program(folder.NativePath());
    HWND window = program.WaitForWindow(L"文件名替换");
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(program.WaitForEnd(), 0);
  }
  EXPECT_TRUE(SameBytes(ReadContent(engine), changed)) << "a present engine is never written again";
}

// The texts of a dialog's static controls, one after another.
std::string StaticTexts(HWND dialog) {
  std::string texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (CompareStringOrdinal(test_support::ClassOf(child).c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL)
      texts += Narrow(test_support::TextOf(child));
  }
  return texts;
}

TEST(ProgramProcess, AFolderNamedLikeTheEngineEndsTheProgramWithAFatalError) {
  test_support::TempFolder folder;
  ASSERT_TRUE(test_support::MakeFolder(folder.NativePath() + L"\\SkinCore.dll"));
  Started program(folder.NativePath());
  HWND box = program.WaitForWindow(L"#32770");
  ASSERT_NE(box, nullptr) << "no message box appeared";
  const std::string message = StaticTexts(box);
  EXPECT_NE(message.find("SkinCore.dll"), std::string::npos) << message;
  EXPECT_NE(message.find("SkinCore_AttachRes"), std::string::npos) << message;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  const int code = program.WaitForEnd();
  EXPECT_NE(code, 0);
  EXPECT_NE(code, -1) << "the program did not end";
  EXPECT_TRUE(test_support::Exists(folder.NativePath() + L"\\SkinCore.dll"));
}

}  // namespace
