// The POSIX backend with a window onto what the program asks of it, for
// tests: threads still running, moves in flight (optionally held at a gate
// until the test opens it), directory searches open, and hooks where a test
// acts in the middle of a walk. Every file call still goes to the real
// backend, so the rules are the real ones. Three things a native process
// cannot do for real are stood in for: the program's own path can be set,
// ending the process throws ProcessEnded, and a library "loads" when a
// regular file is at the full path, its one function being a native
// stand-in for the skin engine that records how it was called.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "os/posix/posix_os.h"

namespace test_support {

using core::Text;

class ObservedOs final : public os::Os {
 public:
  bool StartThread(std::function<void()> body) override;
  void WaitPumping(std::int64_t dueTime) override { real_.WaitPumping(dueTime); }
  bool MoveNoReplace(const Text& from, const Text& to) override;
  os::SearchId FindFirst(const Text& pattern, os::DirectoryEntry& entry) override;
  bool FindNext(os::SearchId search, os::DirectoryEntry& entry) override { return real_.FindNext(search, entry); }
  void FindClose(os::SearchId search) override;
  std::uint32_t TickCount() override { return real_.TickCount(); }
  Text ProgramFilePath() override { return programFilePath.value_or(real_.ProgramFilePath()); }
  Text WindowsFolder() override { return windowsFolder.value_or(real_.WindowsFolder()); }
  bool WriteNewFile(const Text& path, const void* data, std::size_t size) override {
    return real_.WriteNewFile(path, data, size);
  }
  os::LibraryId LoadLibraryAt(const Text& fullPath) override;
  void* FindFunction(os::LibraryId library, const char* name) override;
  bool StartProcess(const Text& commandLine, os::ShowMode show) override { return real_.StartProcess(commandLine, show); }
  bool OpenWebAddress(const Text& address) override;
  [[noreturn]] void EndProcess(int exitCode) override { throw ProcessEnded{exitCode}; }

  struct ProcessEnded {
    int exitCode;
  };
  // How the stand-in engine was last called.
  struct EngineCall {
    const void* skinData = nullptr;
    std::int32_t size = 0;
    const char* name = nullptr;
    int calls = 0;
  };
  static EngineCall LastEngineCall();

  // --- Set by the test ---
  std::optional<Text> windowsFolder;
  std::optional<Text> programFilePath;
  Text libraryLoaded;  // the path of the last library loaded
  // Threads after this many started ones cannot be created.
  std::optional<int> threadsThatStart;
  // Called with the pattern of every FindFirst, before it runs.
  std::function<void(const Text& pattern)> onFindFirst;
  // While closed, moves wait at the gate.
  void CloseGate();
  void OpenGate();

  // --- Seen by the test ---
  int ThreadsStarted() const { return threadsStarted_; }
  int ThreadsRunning() const { return threadsRunning_; }
  int MovesInFlight() const { return movesInFlight_; }
  int MostMovesInFlight() const { return mostMovesInFlight_; }
  int MovesWaitingAtGate() const { return movesAtGate_; }
  int MostSearchesOpen() const { return mostSearchesOpen_; }
  int SearchesOpen() const { return searchesOpen_; }
  std::vector<Text> FindPatterns();
  std::vector<Text> WebAddressesOpened();
  // Waits (bounded) until no thread started through this backend runs.
  bool WaitForThreads(int seconds = 30);

 private:
  os::posix::PosixOs real_;
  std::atomic<int> threadsStarted_{0};
  std::atomic<int> threadsRunning_{0};
  std::atomic<int> movesInFlight_{0};
  std::atomic<int> mostMovesInFlight_{0};
  std::atomic<int> movesAtGate_{0};
  std::atomic<int> searchesOpen_{0};
  std::atomic<int> mostSearchesOpen_{0};
  std::mutex lock_;  // guards gateOpen_, patterns_ and addresses_
  std::condition_variable gateChanged_;
  bool gateOpen_ = true;
  std::vector<Text> patterns_;
  std::vector<Text> addresses_;
};

}  // namespace test_support
