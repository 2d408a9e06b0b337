#include "os/win32/win32_os.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <thread>  // steady_clock too: <chrono> itself does not build for code page 936
#include <future>
#include <vector>

#include "os/win32/wide_text.h"
#include "wine/win_files.h"

namespace {

using test_support::Exists;
using test_support::MakeFile;
using test_support::MakeFolder;
using test_support::ReadContent;
using test_support::TempFolder;
using test_support::Verbatim;

using core::Text;
using os::DirectoryEntry;
using os::kNoSearch;
using os::win32::Win32Os;

// "誠" in code page 936: its second byte is the "\" byte.
const Text kTrailBackslash = "\xD5\x5C";

std::int64_t NanosecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                              start)
      .count();
}

class Win32OsTest : public ::testing::Test {
 protected:
  std::wstring Native(const std::wstring& name) const {
    return folder_.NativePath() + L"\\" + name;
  }

  std::map<Text, DirectoryEntry> List(const Text& pattern) {
    std::map<Text, DirectoryEntry> entries;
    DirectoryEntry entry;
    const os::SearchId search = os_.FindFirst(pattern, entry);
    if (search == kNoSearch) return entries;
    do {
      EXPECT_TRUE(entries.emplace(entry.name, entry).second) << "listed twice: " << entry.name;
    } while (os_.FindNext(search, entry));
    os_.FindClose(search);
    return entries;
  }

  std::vector<Text> Names(const Text& pattern) {
    std::vector<Text> names;
    for (const auto& [name, entry] : List(pattern)) names.push_back(name);
    return names;
  }

  TempFolder folder_;
  Win32Os os_;
};

TEST_F(Win32OsTest, SearchMatchesWildcards) {
  for (const wchar_t* name : {L"a.txt", L"B.TXT", L"c.dat", L"noext", L"ab.txt.bak"})
    ASSERT_TRUE(MakeFile(Native(name)));
  ASSERT_TRUE(MakeFolder(Native(L"sub")));
  const std::vector<Text> everything = {".",          "..",    "B.TXT", "a.txt",
                                        "ab.txt.bak", "c.dat", "noext", "sub"};

  const std::vector<std::pair<Text, std::vector<Text>>> cases = {
      {"*", everything},
      {"*.*", everything},
      {"*.txt", {"B.TXT", "a.txt"}},
      {"?.TxT", {"B.TXT", "a.txt"}},
      {"b.*", {"B.TXT"}},
      {"noext.*", {"noext"}},
      {"NOEXT", {"noext"}},
      {"*x*", {"B.TXT", "a.txt", "ab.txt.bak", "noext"}},
      {"a*.bak", {"ab.txt.bak"}},
      {"missing", {}},
  };
  for (const auto& [pattern, expected] : cases) {
    EXPECT_EQ(Names(folder_.Child(pattern)), expected) << "for " << pattern;
  }
  DirectoryEntry entry;
  EXPECT_EQ(os_.FindFirst(folder_.Child("missing\\*"), entry), kNoSearch);
  EXPECT_FALSE(os_.FindNext(kNoSearch, entry));
  os_.FindClose(kNoSearch);
}

TEST_F(Win32OsTest, SearchReportsFolders) {
  ASSERT_TRUE(MakeFile(Native(L"file")));
  ASSERT_TRUE(MakeFolder(Native(L"sub")));
  const std::map<Text, DirectoryEntry> entries = List(folder_.Child("*"));
  ASSERT_EQ(entries.size(), 4u);
  for (const auto& [name, directory] :
       std::map<Text, bool>{{".", true}, {"..", true}, {"sub", true}, {"file", false}}) {
    ASSERT_EQ(entries.count(name), 1u) << name << " not listed";
    EXPECT_EQ((entries.at(name).attributes & os::kAttributeDirectory) != 0, directory)
        << "for " << name;
    EXPECT_FALSE(entries.at(name).isLink) << "for " << name;
  }
}

TEST_F(Win32OsTest, SearchPassesOverNamesWithoutAnExactForm) {
  // The names that matter most are those the system would best-fit to a
  // name that could exist: "¹" to "1" (another file), "À" to "à" (the
  // same file to the system, but a name it does not have). Others become
  // "?".
  struct Unconvertible {
    std::wstring character;
    std::string bestFit;
  };
  const std::vector<Unconvertible> unconvertible = {
      {L"\u00C0", "\xA8\xA4"}, {L"\u00B9", "1"}, {L"\u00E4", "?"}, {L"\U0001F600", "??"}};
  for (const Unconvertible& u : unconvertible) {
    char buffer[8] = {};
    const int length =
        WideCharToMultiByte(936, 0, u.character.c_str(), static_cast<int>(u.character.size()),
                            buffer, sizeof(buffer), nullptr, nullptr);
    EXPECT_EQ(std::string(buffer, length > 0 ? length : 0), u.bestFit)
        << "the system converts differently here; the names below test less";
  }

  ASSERT_TRUE(MakeFolder(Native(L"odd")));
  for (const Unconvertible& u : unconvertible)
    ASSERT_TRUE(MakeFile(Native(L"odd\\x" + u.character + L".txt")));
  EXPECT_EQ(Names(folder_.Child("odd\\*")), (std::vector<Text>{".", ".."}));
  EXPECT_EQ(Names(folder_.Child("odd\\*.txt")), std::vector<Text>{});

  // Beside a name one of them would be taken for, and one with an exact
  // form.
  for (const wchar_t* name : {L"x1.txt", L"x\u597D.txt"})
    ASSERT_TRUE(MakeFile(Native(L"odd\\") + name));
  EXPECT_EQ(Names(folder_.Child("odd\\*.txt")), (std::vector<Text>{"x1.txt", "x好.txt"}));
}

TEST_F(Win32OsTest, NameWhoseSecondByteIsBackslashIsOneCharacter) {
  ASSERT_EQ(Text("誠"), kTrailBackslash);
  const Text name = kTrailBackslash + ".txt";
  ASSERT_TRUE(os_.WriteNewFile(folder_.Child(name), "abc", 3));
  EXPECT_EQ(ReadContent(Native(L"\u8AA0.txt")), "abc");
  EXPECT_EQ(Names(folder_.Child("*")), (std::vector<Text>{".", "..", name}));
  EXPECT_EQ(Names(folder_.Child("?.txt")), std::vector<Text>{name});

  const Text moved = kTrailBackslash + kTrailBackslash;
  ASSERT_TRUE(MakeFolder(Native(L"\u8AA0")));
  ASSERT_TRUE(
      os_.MoveNoReplace(folder_.Child(name), folder_.Child(kTrailBackslash + "\\" + moved)));
  EXPECT_FALSE(Exists(Native(L"\u8AA0.txt")));
  EXPECT_EQ(ReadContent(Native(L"\u8AA0\\\u8AA0\u8AA0")), "abc");
  EXPECT_EQ(Names(folder_.Child(kTrailBackslash + "\\*")), (std::vector<Text>{".", "..", moved}));
}

TEST_F(Win32OsTest, NamesTheSystemWouldChangeAreTakenLiterally) {
  // Without the verbatim form these would write "name", the console, or
  // nothing at all (NUL).
  const std::vector<Text> names = {"name.", "name ",      "con.txt", "NUL",
                                   "lpt1 ", "Aux.tar.gz", "dots..."};
  for (std::size_t i = 0; i < names.size(); ++i) {
    const Text& name = names[i];
    const TempFolder folder;
    ASSERT_TRUE(os_.WriteNewFile(folder.Child(name), "abc", 3)) << "for \"" << name << "\"";
    EXPECT_EQ(Names(folder.Child("*")), (std::vector<Text>{".", "..", name}))
        << "for \"" << name << "\"";
    EXPECT_EQ(Names(folder.Child(name)), std::vector<Text>{name}) << "for \"" << name << "\"";

    ASSERT_TRUE(os_.MoveNoReplace(folder.Child(name), folder.Child("plain")))
        << "for \"" << name << "\"";
    ASSERT_TRUE(os_.MoveNoReplace(folder.Child("plain"), folder.Child(name)))
        << "for \"" << name << "\"";
    EXPECT_FALSE(os_.MoveNoReplace(folder.Child("missing"), folder.Child(name)))
        << "for \"" << name << "\"";
    EXPECT_EQ(Names(folder.Child("*")), (std::vector<Text>{".", "..", name}))
        << "for \"" << name << "\"";
  }
  // Relative paths cannot have the verbatim form, so they are refused.
  for (const Text& refused : {Text("name."), Text("\\name."), Text("C:name.")}) {
    EXPECT_FALSE(os_.WriteNewFile(refused, "x", 1)) << "for \"" << refused << "\"";
    DirectoryEntry entry;
    EXPECT_EQ(os_.FindFirst(refused, entry), kNoSearch) << "for \"" << refused << "\"";
  }
}

TEST_F(Win32OsTest, PathsBeyondMaxPathWork) {
  const std::wstring longFolder = Native(std::wstring(200, L'd'));
  const Text longFolderText = folder_.Child(Text(200, 'd'));
  const Text name(100, 'f');
  const Text path = longFolderText + "\\" + name;
  ASSERT_GT(path.size(), 300u);
  ASSERT_TRUE(MakeFolder(longFolder));

  ASSERT_TRUE(os_.WriteNewFile(path, "abc", 3));
  EXPECT_EQ(ReadContent(longFolder + L"\\" + std::wstring(100, L'f')), "abc");
  EXPECT_EQ(Names(longFolderText + "\\*"), (std::vector<Text>{".", "..", name}));

  const Text moved(120, 'm');
  ASSERT_TRUE(os_.MoveNoReplace(path, longFolderText + "\\" + moved));
  EXPECT_FALSE(Exists(longFolder + L"\\" + std::wstring(100, L'f')));
  EXPECT_EQ(ReadContent(longFolder + L"\\" + std::wstring(120, L'm')), "abc");
}

TEST_F(Win32OsTest, MoveNeverReplaces) {
  ASSERT_TRUE(MakeFile(Native(L"from"), "old"));
  ASSERT_TRUE(MakeFile(Native(L"taken"), "kept"));

  EXPECT_FALSE(os_.MoveNoReplace(folder_.Child("from"), folder_.Child("taken")));
  EXPECT_EQ(ReadContent(Native(L"from")), "old");
  EXPECT_EQ(ReadContent(Native(L"taken")), "kept");

  EXPECT_TRUE(os_.MoveNoReplace(folder_.Child("from"), folder_.Child("from")));
  EXPECT_EQ(ReadContent(Native(L"from")), "old");

  EXPECT_FALSE(os_.MoveNoReplace(folder_.Child("missing"), folder_.Child("other")));
  EXPECT_FALSE(Exists(Native(L"other")));

  EXPECT_TRUE(os_.MoveNoReplace(folder_.Child("from"), folder_.Child("to")));
  EXPECT_FALSE(Exists(Native(L"from")));
  EXPECT_EQ(ReadContent(Native(L"to")), "old");

  ASSERT_TRUE(MakeFolder(Native(L"folder")));
  EXPECT_TRUE(os_.MoveNoReplace(folder_.Child("folder"), folder_.Child("moved folder")));
  EXPECT_TRUE(Exists(Native(L"moved folder")));
}

TEST_F(Win32OsTest, TextsWithoutAnExactFormAreRefused) {
  ASSERT_TRUE(MakeFile(Native(L"file")));
  const Text nul("file\0x", 6);
  for (const Text& bad :
       {folder_.Child("\x81\x20"), folder_.Child("end\x81"), folder_.Child(nul), Text()}) {
    EXPECT_FALSE(os_.WriteNewFile(bad, "x", 1)) << "for " << bad;
    EXPECT_FALSE(os_.MoveNoReplace(folder_.Child("file"), bad)) << "for " << bad;
    DirectoryEntry entry;
    EXPECT_EQ(os_.FindFirst(bad, entry), kNoSearch) << "for " << bad;
  }
  EXPECT_EQ(Names(folder_.Child("*")), (std::vector<Text>{".", "..", "file"}));
}

TEST_F(Win32OsTest, WriteNewFileCreatesOrTruncates) {
  const Text path = folder_.Child("data.bin");
  const std::string first(100000, '\x5A');
  ASSERT_TRUE(os_.WriteNewFile(path, first.data(), first.size()));
  EXPECT_EQ(ReadContent(Native(L"data.bin")), first);
  ASSERT_TRUE(os_.WriteNewFile(path, "ab\0c", 4));
  EXPECT_EQ(ReadContent(Native(L"data.bin")), std::string("ab\0c", 4));

  EXPECT_FALSE(os_.WriteNewFile(folder_.Child("missing\\data.bin"), "x", 1));
  ASSERT_TRUE(MakeFolder(Native(L"sub")));
  EXPECT_FALSE(os_.WriteNewFile(folder_.Child("sub"), "x", 1));
}

// Fulfils its promise when destroyed: shows when a thread's body is gone.
struct DestructionSignal {
  explicit DestructionSignal(std::promise<void>* promise) : promise(promise) {}
  ~DestructionSignal() { promise->set_value(); }
  std::promise<void>* promise;
};

TEST_F(Win32OsTest, StartThreadRunsTheBodyElsewhereAndFreesIt) {
  std::promise<DWORD> ran;
  std::promise<void> freed;
  std::future<DWORD> ranOn = ran.get_future();
  std::future<void> freedDone = freed.get_future();
  auto signal = std::make_shared<DestructionSignal>(&freed);
  ASSERT_TRUE(os_.StartThread([&ran, signal] { ran.set_value(GetCurrentThreadId()); }));
  signal.reset();

  ASSERT_EQ(ranOn.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_NE(ranOn.get(), GetCurrentThreadId());
  EXPECT_EQ(freedDone.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(os_.StartThread(std::function<void()>()));
}

// ---- Waiting

using WaitFunction = void (*)(Win32Os&, std::int64_t);

struct WaitWay {
  const char* name;
  WaitFunction wait;
};

const WaitWay kWaitWays[] = {
    {"waitable timer", [](Win32Os& os, std::int64_t dueTime) { os.WaitPumping(dueTime); }},
    {"without timer",
     [](Win32Os&, std::int64_t dueTime) { Win32Os::WaitPumpingWithoutTimer(dueTime); }},
};

TEST_F(Win32OsTest, WaitPumpingWaitsAtLeastItsTime) {
  for (const WaitWay& way : kWaitWays) {
    for (const std::int64_t hundredNanoseconds : {1, 15'000, 200'000, 1'000'000}) {
      const auto start = std::chrono::steady_clock::now();
      way.wait(os_, -hundredNanoseconds);
      EXPECT_GE(NanosecondsSince(start), hundredNanoseconds * 100)
          << way.name << " for " << hundredNanoseconds;
    }
    // A due time given as a moment in UTC.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::int64_t due =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                                  now.dwLowDateTime) +
        500'000;
    const auto start = std::chrono::steady_clock::now();
    way.wait(os_, due);
    // The system clock may be coarser than the counter: a tick of slack.
    EXPECT_GE(NanosecondsSince(start), 50'000'000 - 16'000'000)
        << way.name << " for a moment in UTC";
  }
}

TEST_F(Win32OsTest, TickCountCountsMilliseconds) {
  const std::uint32_t before = os_.TickCount();
  os_.WaitPumping(-1'000'000);
  const std::uint32_t ticks = os_.TickCount() - before;
  // The system's tick may be as coarse as 16 ms.
  EXPECT_GE(ticks + 16, 100u);
}

// A window on the test's thread, for messages from elsewhere.
class MessageWindow {
 public:
  static constexpr UINT kHandshake = WM_APP + 1;  // sent: answered only while the wait pumps
  static constexpr UINT kPosted = WM_APP + 2;
  static constexpr UINT kClose = WM_APP + 3;  // asks for the program's end

  MessageWindow() {
    static const ATOM windowClass = [] {
      WNDCLASSW description = {};
      description.lpfnWndProc = Procedure;
      description.hInstance = GetModuleHandleW(nullptr);
      description.lpszClassName = L"Win32OsTestMessages";
      return RegisterClassW(&description);
    }();
    EXPECT_NE(windowClass, 0);
    window_ = CreateWindowExW(0, L"Win32OsTestMessages", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window_, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~MessageWindow() { DestroyWindow(window_); }

  HWND Handle() const { return window_; }

  std::vector<UINT> handled;     // in the order handled
  std::vector<DWORD> handledOn;  // the thread each was handled on

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message >= kHandshake && message <= kClose) {
      self->handled.push_back(message);
      self->handledOn.push_back(GetCurrentThreadId());
      if (message == kClose) PostQuitMessage(7);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

// Another thread that, once the wait is pumping (its sent handshake has
// been answered), posts `message` to the window. Should the wait not pump,
// the handshake gives up after a while rather than hang the test.
std::thread PostWhilePumping(HWND window, UINT message) {
  return std::thread([window, message] {
    SendMessageTimeoutW(window, MessageWindow::kHandshake, 0, 0, SMTO_NORMAL, 10'000, nullptr);
    PostMessageW(window, message, 0, 0);
  });
}

// The quit request on the queue, taken off; -1 when there is none.
int TakeQuitRequest() {
  MSG message;
  if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return -1;
  return static_cast<int>(message.wParam);
}

constexpr std::int64_t kPumpingWait = 5'000'000;  // 500 ms, ample for the other thread

TEST_F(Win32OsTest, WaitPumpingHandlesMessagesWhileItWaits) {
  for (const WaitWay& way : kWaitWays) {
    SCOPED_TRACE(way.name);
    MessageWindow window;
    std::thread poster = PostWhilePumping(window.Handle(), MessageWindow::kPosted);
    way.wait(os_, -kPumpingWait);
    poster.join();
    EXPECT_EQ(window.handled,
              (std::vector<UINT>{MessageWindow::kHandshake, MessageWindow::kPosted}));
    EXPECT_EQ(window.handledOn, (std::vector<DWORD>(window.handled.size(), GetCurrentThreadId())));
    EXPECT_EQ(TakeQuitRequest(), -1);
  }
}

TEST_F(Win32OsTest, QuitRequestOutlastsTheWait) {
  for (const WaitWay& way : kWaitWays) {
    SCOPED_TRACE(way.name);
    {
      // Made while the wait pumps.
      MessageWindow window;
      std::thread poster = PostWhilePumping(window.Handle(), MessageWindow::kClose);
      const auto start = std::chrono::steady_clock::now();
      way.wait(os_, -kPumpingWait);
      const std::int64_t waited = NanosecondsSince(start);
      poster.join();
      EXPECT_EQ(window.handled,
                (std::vector<UINT>{MessageWindow::kHandshake, MessageWindow::kClose}));
      EXPECT_GE(waited, kPumpingWait * 100);
      EXPECT_EQ(TakeQuitRequest(), 7);
    }
    {
      // Made before the wait.
      PostQuitMessage(3);
      const auto start = std::chrono::steady_clock::now();
      way.wait(os_, -500'000);
      EXPECT_GE(NanosecondsSince(start), 50'000'000);
      EXPECT_EQ(TakeQuitRequest(), 3);
    }
  }
}

// ---- The rest

TEST_F(Win32OsTest, ProgramFilePathNamesTheRunningProgram) {
  const Text path = os_.ProgramFilePath();
  const std::map<Text, DirectoryEntry> found = List(path);
  ASSERT_EQ(found.size(), 1u) << "for " << path;
  const Text& name = found.begin()->first;
  EXPECT_EQ(path.substr(path.size() - name.size()), name);
  EXPECT_EQ(CharLowerA(Text(name.substr(name.size() - 4)).data()), std::string(".exe"));
  EXPECT_EQ(found.begin()->second.attributes & os::kAttributeDirectory, 0u);
}

TEST_F(Win32OsTest, WindowsFolderIsAFolderWithoutFinalBackslash) {
  const Text folder = os_.WindowsFolder();
  ASSERT_GE(folder.size(), 3u);
  if (folder.size() > 3) {
    EXPECT_NE(folder.back(), '\\') << folder;
  }
  const std::map<Text, DirectoryEntry> found = List(folder);
  ASSERT_EQ(found.size(), 1u) << "for " << folder;
  EXPECT_NE(found.begin()->second.attributes & os::kAttributeDirectory, 0u);
}

TEST_F(Win32OsTest, LoadLibraryAtTakesOnlyFullPaths) {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  ASSERT_GT(length, 0u);
  Text systemFolder;
  ASSERT_TRUE(os::win32::NarrowExact(std::wstring(system, length), systemFolder));

  const os::LibraryId library = os_.LoadLibraryAt(systemFolder + "\\kernel32.dll");
  ASSERT_NE(library, os::kNoLibrary);
  auto* processId =
      reinterpret_cast<DWORD(WINAPI*)()>(os_.FindFunction(library, "GetCurrentProcessId"));
  ASSERT_NE(processId, nullptr);
  EXPECT_EQ(processId(), GetCurrentProcessId());
  EXPECT_EQ(os_.FindFunction(library, "NoSuchFunctionHere"), nullptr);

  for (const Text& refused :
       {Text("kernel32.dll"), Text(".\\kernel32.dll"), Text("system32\\kernel32.dll"),
        systemFolder + "\\kernel32", folder_.Child("missing.dll")}) {
    EXPECT_EQ(os_.LoadLibraryAt(refused), os::kNoLibrary) << "for " << refused;
  }
}

TEST_F(Win32OsTest, StartProcessStartsAProgram) {
  const HANDLE change = FindFirstChangeNotificationW(folder_.NativePath().c_str(), FALSE,
                                                     FILE_NOTIFY_CHANGE_DIR_NAME);
  ASSERT_NE(change, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(os_.StartProcess("cmd.exe /c mkdir \"" + folder_.Child("started") + "\"",
                               os::ShowMode::Normal));
  // Bounded: the program runs on its own and reports back only through
  // the folder it makes.
  const DWORD deadline = GetTickCount() + 30'000;
  while (!Exists(Native(L"started"))) {
    const DWORD left = deadline - GetTickCount();
    if (static_cast<std::int32_t>(left) <= 0 || WaitForSingleObject(change, left) != WAIT_OBJECT_0)
      break;
    FindNextChangeNotification(change);
  }
  FindCloseChangeNotification(change);
  EXPECT_TRUE(Exists(Native(L"started")));

  EXPECT_FALSE(os_.StartProcess("no-such-program-here.exe", os::ShowMode::Maximized));
  EXPECT_FALSE(os_.StartProcess("", os::ShowMode::Normal));
}

}  // namespace
