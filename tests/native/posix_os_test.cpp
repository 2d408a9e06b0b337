#include "os/posix/posix_os.h"

#include <dlfcn.h>
#include <gnu/libc-version.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <map>
#include <string>
#include <thread>  // steady_clock too: <chrono> itself does not build for code page 936
#include <vector>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using core::Text;
using os::DirectoryEntry;
using os::kNoSearch;
using os::posix::PosixOs;
using test_support::TempFolder;

// "誠" in code page 936: its second byte is the "\" byte.
const Text kTrailBackslash = "\xD5\x5C";

// Native file names are UTF-8.
fs::path Utf8(const char8_t* name) { return fs::path(name); }

void MakeFile(const fs::path& path, const std::string& content = "x") {
  std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class PosixOsTest : public ::testing::Test {
 protected:
  // Every entry a search gives, by name; a name given twice is a failure.
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
  PosixOs os_;
};

TEST_F(PosixOsTest, SearchMatchesWildcardsAsWindowsDoes) {
  // "*x" and "?" can be POSIX names, and must not confuse the matching.
  for (const char* name : {"a.txt", "B.TXT", "c.dat", "noext", "ab.txt.bak", "*x", "?"})
    MakeFile(folder_.NativePath() / name);
  fs::create_directory(folder_.NativePath() / "sub");
  const std::vector<Text> everything = {"*x",    ".",          "..",    "?",     "B.TXT",
                                        "a.txt", "ab.txt.bak", "c.dat", "noext", "sub"};

  const std::vector<std::pair<Text, std::vector<Text>>> cases = {
      {"*", everything},
      {"*.*", everything},
      {"*.txt", {"B.TXT", "a.txt"}},
      {"?.TxT", {"B.TXT", "a.txt"}},
      {"??.txt", {}},
      {"b.*", {"B.TXT"}},
      {"noext.*", {"noext"}},
      {"NOEXT", {"noext"}},
      {"*x*", {"*x", "B.TXT", "a.txt", "ab.txt.bak", "noext"}},
      {"?", {".", "?"}},
      {"a*.bak", {"ab.txt.bak"}},
      {"missing", {}},
  };
  for (const auto& [pattern, expected] : cases) {
    EXPECT_EQ(Names(folder_.Child(pattern)), expected) << "for " << pattern;
  }
}

TEST_F(PosixOsTest, SearchReportsFoldersHiddenNamesAndLinks) {
  MakeFile(folder_.NativePath() / "file");
  MakeFile(folder_.NativePath() / ".hidden");
  fs::create_directory(folder_.NativePath() / "sub");
  fs::create_directory_symlink(folder_.NativePath() / "sub", folder_.NativePath() / "to-sub");
  fs::create_symlink(folder_.NativePath() / "file", folder_.NativePath() / "to-file");
  fs::create_symlink(folder_.NativePath() / "gone", folder_.NativePath() / "dangling");

  struct Expected {
    std::uint32_t attributes;
    bool isLink;
  };
  const std::map<Text, Expected> expected = {
      {".", {os::kAttributeDirectory, false}},
      {"..", {os::kAttributeDirectory, false}},
      {"file", {0, false}},
      {".hidden", {0x02, false}},
      {"sub", {os::kAttributeDirectory, false}},
      {"to-sub", {os::kAttributeDirectory | 0x400, true}},
      {"to-file", {0x400, true}},
      {"dangling", {0x400, true}},
  };
  const std::map<Text, DirectoryEntry> entries = List(folder_.Child("*"));
  ASSERT_EQ(entries.size(), expected.size());
  for (const auto& [name, want] : expected) {
    const auto found = entries.find(name);
    ASSERT_NE(found, entries.end()) << name << " not listed";
    EXPECT_EQ(found->second.attributes, want.attributes) << "for " << name;
    EXPECT_EQ(found->second.isLink, want.isLink) << "for " << name;
  }
}

TEST_F(PosixOsTest, NameWhoseSecondByteIsBackslashIsOneCharacter) {
  // The compiler's code page is the program's: a literal is the same bytes.
  ASSERT_EQ(Text("誠"), kTrailBackslash);
  const Text name = kTrailBackslash + ".txt";
  ASSERT_TRUE(os_.WriteNewFile(folder_.Child(name), "abc", 3));
  EXPECT_EQ(ReadFile(folder_.NativePath() / Utf8(u8"誠.txt")), "abc");

  EXPECT_EQ(Names(folder_.Child("*")), (std::vector<Text>{".", "..", name}));
  EXPECT_EQ(Names(folder_.Child("?.txt")), std::vector<Text>{name});
  EXPECT_EQ(Names(folder_.Child(kTrailBackslash + "*")), std::vector<Text>{name});

  // As a folder in the middle of a path, too.
  const Text moved = kTrailBackslash + kTrailBackslash;
  fs::create_directory(folder_.NativePath() / Utf8(u8"誠"));
  ASSERT_TRUE(
      os_.MoveNoReplace(folder_.Child(name), folder_.Child(kTrailBackslash + "\\" + moved)));
  EXPECT_FALSE(fs::exists(folder_.NativePath() / Utf8(u8"誠.txt")));
  EXPECT_EQ(ReadFile(folder_.NativePath() / Utf8(u8"誠") / Utf8(u8"誠誠")), "abc");
  EXPECT_EQ(Names(folder_.Child(kTrailBackslash + "\\*")), (std::vector<Text>{".", "..", moved}));
}

TEST_F(PosixOsTest, SearchPassesOverNamesWithoutAnExactForm) {
  const fs::path odd = folder_.NativePath() / "odd";
  fs::create_directory(odd);
  MakeFile(odd / Utf8(u8"😀.txt"));       // no code page 936 form
  MakeFile(odd / Utf8(u8"\u00C0.txt"));  // nor this
  MakeFile(odd / "a\\b.txt");            // would read as a folder and a name
  MakeFile(odd / "\xFF.txt");            // not UTF-8 at all
  EXPECT_EQ(Names(folder_.Child("odd\\*")), (std::vector<Text>{".", ".."}));
  EXPECT_EQ(Names(folder_.Child("odd\\*.txt")), std::vector<Text>{});

  MakeFile(odd / Utf8(u8"好.txt"));
  EXPECT_EQ(Names(folder_.Child("odd\\*.txt")), std::vector<Text>{"好.txt"});
}

TEST_F(PosixOsTest, SearchRefusesWhatItCannotRead) {
  MakeFile(folder_.NativePath() / "file");
  for (const Text& pattern :
       {folder_.Child("missing\\*"), folder_.Child("file\\*"), folder_.Path() + "\\",
        folder_.Child("\x81\x20*"), folder_.Child("*\xFF")}) {
    DirectoryEntry entry;
    EXPECT_EQ(os_.FindFirst(pattern, entry), kNoSearch) << "for " << pattern;
  }
  DirectoryEntry entry;
  EXPECT_FALSE(os_.FindNext(kNoSearch, entry));
  os_.FindClose(kNoSearch);
}

using MoveFunction = bool (*)(PosixOs&, const Text&, const Text&);

struct MoveWay {
  const char* name;
  MoveFunction move;
};

const MoveWay kMoveWays[] = {
    {"renaming",
     [](PosixOs& os, const Text& from, const Text& to) { return os.MoveNoReplace(from, to); }},
    {"linking", [](PosixOs&, const Text& from,
                   const Text& to) { return PosixOs::MoveNoReplaceByLinking(from, to); }},
};

TEST_F(PosixOsTest, MoveNeverReplaces) {
  for (const MoveWay& way : kMoveWays) {
    SCOPED_TRACE(way.name);
    const TempFolder folder;
    MakeFile(folder.NativePath() / "from", "old");
    MakeFile(folder.NativePath() / "taken", "kept");

    EXPECT_FALSE(way.move(os_, folder.Child("from"), folder.Child("taken")));
    EXPECT_EQ(ReadFile(folder.NativePath() / "from"), "old");
    EXPECT_EQ(ReadFile(folder.NativePath() / "taken"), "kept");

    EXPECT_TRUE(way.move(os_, folder.Child("from"), folder.Child("from")));
    EXPECT_EQ(ReadFile(folder.NativePath() / "from"), "old");

    EXPECT_FALSE(way.move(os_, folder.Child("missing"), folder.Child("other")));
    EXPECT_FALSE(way.move(os_, folder.Child("missing"), folder.Child("missing")));
    EXPECT_FALSE(fs::exists(folder.NativePath() / "other"));

    EXPECT_TRUE(way.move(os_, folder.Child("from"), folder.Child("to")));
    EXPECT_FALSE(fs::exists(folder.NativePath() / "from"));
    EXPECT_EQ(ReadFile(folder.NativePath() / "to"), "old");
  }
}

TEST_F(PosixOsTest, MoveTakesFoldersButLinkingOnlyFiles) {
  fs::create_directory(folder_.NativePath() / "a");
  fs::create_directory(folder_.NativePath() / "c");
  EXPECT_FALSE(PosixOs::MoveNoReplaceByLinking(folder_.Child("a"), folder_.Child("b")));
  EXPECT_TRUE(os_.MoveNoReplace(folder_.Child("a"), folder_.Child("b")));
  EXPECT_TRUE(fs::is_directory(folder_.NativePath() / "b"));
  EXPECT_FALSE(os_.MoveNoReplace(folder_.Child("b"), folder_.Child("c")));
}

TEST_F(PosixOsTest, TextsWithoutAnExactFormAreRefused) {
  MakeFile(folder_.NativePath() / "file");
  const Text nul("file\0x", 6);
  for (const Text& bad :
       {folder_.Child("\x81\x20"), folder_.Child("end\x81"), folder_.Child(nul), Text()}) {
    EXPECT_FALSE(os_.WriteNewFile(bad, "x", 1)) << "for " << bad;
    EXPECT_FALSE(os_.MoveNoReplace(folder_.Child("file"), bad)) << "for " << bad;
  }
  EXPECT_EQ(Names(folder_.Child("*")), (std::vector<Text>{".", "..", "file"}));
}

TEST_F(PosixOsTest, WriteNewFileCreatesOrTruncates) {
  const Text path = folder_.Child("data.bin");
  const std::string first(100000, '\x5A');
  ASSERT_TRUE(os_.WriteNewFile(path, first.data(), first.size()));
  EXPECT_EQ(ReadFile(folder_.NativePath() / "data.bin"), first);
  ASSERT_TRUE(os_.WriteNewFile(path, "ab\0c", 4));
  EXPECT_EQ(ReadFile(folder_.NativePath() / "data.bin"), std::string("ab\0c", 4));
  ASSERT_TRUE(os_.WriteNewFile(path, nullptr, 0));
  EXPECT_EQ(fs::file_size(folder_.NativePath() / "data.bin"), 0u);

  EXPECT_FALSE(os_.WriteNewFile(folder_.Child("missing\\data.bin"), "x", 1));
  fs::create_directory(folder_.NativePath() / "sub");
  EXPECT_FALSE(os_.WriteNewFile(folder_.Child("sub"), "x", 1));
}

// Fulfils its promise when destroyed: shows when a thread's body is gone.
struct DestructionSignal {
  explicit DestructionSignal(std::promise<void>* promise) : promise(promise) {}
  DestructionSignal(DestructionSignal&& other) noexcept
      : promise(std::exchange(other.promise, nullptr)) {}
  ~DestructionSignal() {
    if (promise != nullptr) promise->set_value();
  }
  std::promise<void>* promise;
};

TEST_F(PosixOsTest, StartThreadRunsTheBodyElsewhereAndFreesIt) {
  std::promise<std::thread::id> ran;
  std::promise<void> freed;
  std::future<std::thread::id> ranOn = ran.get_future();
  std::future<void> freedDone = freed.get_future();
  auto signal = std::make_shared<DestructionSignal>(&freed);
  ASSERT_TRUE(os_.StartThread([&ran, signal] { ran.set_value(std::this_thread::get_id()); }));
  signal.reset();

  ASSERT_EQ(ranOn.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_NE(ranOn.get(), std::this_thread::get_id());
  EXPECT_EQ(freedDone.wait_for(std::chrono::seconds(10)), std::future_status::ready);

  EXPECT_FALSE(os_.StartThread(std::function<void()>()));
}

TEST_F(PosixOsTest, WaitPumpingWaitsAtLeastItsTime) {
  for (const std::int64_t hundredNanoseconds : {1, 15'000, 200'000, 1'000'000}) {
    const auto start = std::chrono::steady_clock::now();
    const std::uint32_t startTick = os_.TickCount();
    os_.WaitPumping(-hundredNanoseconds);
    // Counts, not durations: printing a duration needs a character that
    // code page 936 lacks.
    const std::int64_t waited = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count();
    const std::uint32_t ticks = os_.TickCount() - startTick;
    EXPECT_GE(waited, hundredNanoseconds * 100) << "for " << hundredNanoseconds;
    // Whole milliseconds, each end cut down: one less at most.
    EXPECT_GE(ticks + 1, static_cast<std::uint32_t>(hundredNanoseconds / 10'000))
        << "for " << hundredNanoseconds;
  }
}

TEST_F(PosixOsTest, ProgramFilePathNamesTheRunningProgram) {
  const Text path = os_.ProgramFilePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '\\');
  const std::map<Text, DirectoryEntry> found = List(path);
  ASSERT_EQ(found.size(), 1u) << "for " << path;
  EXPECT_EQ(path.substr(path.size() - found.begin()->first.size()), found.begin()->first);
  EXPECT_EQ(found.begin()->second.attributes & os::kAttributeDirectory, 0u);
}

TEST_F(PosixOsTest, LoadLibraryAtTakesOnlyFullPaths) {
  Dl_info info = {};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&gnu_get_libc_version), &info), 0);
  std::string libc = info.dli_fname;
  ASSERT_EQ(libc.front(), '/') << libc;
  const Text seamForm = [&] {
    Text text = libc;
    for (char& c : text)
      if (c == '/') c = '\\';
    return text;
  }();

  const os::LibraryId library = os_.LoadLibraryAt(seamForm);
  ASSERT_NE(library, os::kNoLibrary) << "for " << seamForm;
  auto* version =
      reinterpret_cast<const char* (*)()>(os_.FindFunction(library, "gnu_get_libc_version"));
  ASSERT_NE(version, nullptr);
  EXPECT_STREQ(version(), gnu_get_libc_version());
  EXPECT_EQ(os_.FindFunction(library, "no_such_function_here"), nullptr);

  const Text bare = seamForm.substr(seamForm.rfind('\\') + 1);
  for (const Text& refused : {bare, "lib\\" + bare, folder_.Child("missing.so")}) {
    EXPECT_EQ(os_.LoadLibraryAt(refused), os::kNoLibrary) << "for " << refused;
  }
}

TEST_F(PosixOsTest, WhatOnlyWindowsHasIsAbsent) {
  EXPECT_EQ(os_.WindowsFolder(), "");
  EXPECT_FALSE(os_.StartProcess("notepad.exe", os::ShowMode::Normal));
  EXPECT_FALSE(os_.OpenWebAddress("http://example.com/"));
}

}  // namespace
