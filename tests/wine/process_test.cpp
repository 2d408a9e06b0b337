// The program as the user starts it: its own process, ended by closing the
// window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/wait.h"
#include "wine/real_program.h"

namespace {

// The program's exe in the same build tree as this test's exe.
std::wstring ProgramExe() {
  wchar_t self[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  std::wstring path = self;
  path.resize(path.find_last_of(L'\\'));          // ...\tests
  path.resize(path.find_last_of(L'\\') + 1);      // build folder
  return path + L"src\\main\\renamer.exe";
}

struct Found {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM found) {
  auto* f = reinterpret_cast<Found*>(found);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == f->process && test_support::Narrow(test_support::ClassOf(window)) == "文件名替换") {
    f->window = window;
    return FALSE;
  }
  return TRUE;
}

TEST(ProgramProcess, OpensItsWindowAndEndsWhenItIsClosed) {
  std::wstring commandLine = L"\"" + ProgramExe() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process))
      << "cannot start " << test_support::Narrow(commandLine) << ": error " << GetLastError();

  Found found{process.dwProcessId, nullptr};
  const bool opened = test_support::WaitUntil(
      [&] {
        EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&found));
        return found.window != nullptr;
      },
      std::chrono::seconds(30));
  EXPECT_TRUE(opened) << "no window of class 文件名替换 appeared";
  if (opened) {
    EXPECT_EQ(test_support::Narrow(test_support::TextOf(found.window)),
              "Orvane\xC5\xFA\xC1\xBF\xCC\xE6\xBB\xBB\xCE\xC4\xBC\xFE\xC3\xFB  1.10 QQ:0123456789");
    PostMessageW(found.window, WM_CLOSE, 0, 0);
  }
  const DWORD waited = WaitForSingleObject(process.hProcess, 30000);
  EXPECT_EQ(waited, WAIT_OBJECT_0) << "the process did not end after its window was closed";
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
