// A decorator over a real OS backend that counts what a rename run has in
// flight: its threads, its workers (threads started by a thread that was
// itself started here, which is how the dispatcher starts them) and its
// moves. Every call goes on to the real backend unchanged.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>

#include "os/os.h"

namespace bench {

using core::Text;

class CountingOs : public os::Os {
 public:
  explicit CountingOs(os::Os& real) : real_(real) {}

  bool StartThread(std::function<void()> body) override;
  void WaitPumping(std::int64_t dueTime) override { real_.WaitPumping(dueTime); }
  bool MoveNoReplace(const Text& from, const Text& to) override;
  os::SearchId FindFirst(const Text& pattern, os::DirectoryEntry& entry) override {
    return real_.FindFirst(pattern, entry);
  }
  bool FindNext(os::SearchId search, os::DirectoryEntry& entry) override { return real_.FindNext(search, entry); }
  void FindClose(os::SearchId search) override { real_.FindClose(search); }
  std::uint32_t TickCount() override { return real_.TickCount(); }
  Text ProgramFilePath() override { return real_.ProgramFilePath(); }
  Text WindowsFolder() override { return real_.WindowsFolder(); }
  bool WriteNewFile(const Text& path, const void* data, std::size_t size) override {
    return real_.WriteNewFile(path, data, size);
  }
  os::LibraryId LoadLibraryAt(const Text& fullPath) override { return real_.LoadLibraryAt(fullPath); }
  void* FindFunction(os::LibraryId library, const char* name) override { return real_.FindFunction(library, name); }
  bool StartProcess(const Text& commandLine, os::ShowMode show) override { return real_.StartProcess(commandLine, show); }
  bool OpenWebAddress(const Text& address) override { return real_.OpenWebAddress(address); }
  [[noreturn]] void EndProcess(int exitCode) override {
    real_.EndProcess(exitCode);
    std::abort();  // the compiler cannot see through the virtual call that it never returns
  }

  int ThreadsRunning() const { return threadsRunning_; }
  int WorkersStarted() const { return workersStarted_; }
  int MostWorkersInFlight() const { return mostWorkers_; }
  int MostMovesInFlight() const { return mostMoves_; }
  // Starts the counts of a new run; only while no thread runs.
  void Reset();

 private:
  os::Os& real_;
  std::atomic<int> threadsRunning_{0};
  std::atomic<int> workersRunning_{0};
  std::atomic<int> workersStarted_{0};
  std::atomic<int> mostWorkers_{0};
  std::atomic<int> movesInFlight_{0};
  std::atomic<int> mostMoves_{0};
};

}  // namespace bench
