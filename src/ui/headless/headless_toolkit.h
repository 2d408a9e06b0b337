// An in-memory main window with the same controls, states and rules as the
// real one, for tests. Events that a test injects are queued and run by
// ProcessPendingEvents on the UI thread (the thread that called
// Initialise), exactly where the real toolkit would run them.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ui/design.h"
#include "ui/toolkit.h"

namespace ui::headless {

struct Row {
  Text cells[2];
  bool selected = false;
};

// Everything a control holds; which fields matter depends on its kind.
struct ControlState {
  design::Kind kind{};
  Text text;
  bool disabled = false;
  bool checked = false;
  bool visible = true;
  std::vector<Text> items;  // combo box list
  int currentItem = -1;
  int progressMaximum = 0;
  int progressPosition = 0;
  int timerPeriod = 0;
  int linkKind = 0;
  Text linkWebAddress;
  Text browserAddress;
  std::vector<Row> rows;
  std::vector<Text> statusParts;
  std::vector<Text> textsWritten;  // every text the program set, in order
};

class HeadlessToolkit final : public Toolkit {
 public:
  explicit HeadlessToolkit(os::Os& os);

  // --- Toolkit ---
  void Initialise() override;
  void SetExitRoutine(std::function<void()> routine) override;
  bool LoadMainWindow(EventSink& sink) override;
  void RunMessageLoop() override;
  bool MainWindowExists() override;
  Text WindowCaption() override;
  void SetWindowCaption(const Text& caption) override;
  Text GetText(Control control) override;
  void SetText(Control control, const Text& text) override;
  bool IsDisabled(Control control) override;
  void SetDisabled(Control control, bool disabled) override;
  bool IsChecked(Control control) override;
  int CurrentItem(Control control) override;
  void SetCurrentItem(Control control, int index) override;
  void AddItem(Control control, const Text& item) override;
  int ItemCount(Control control) override;
  Text ItemText(Control control, int index) override;
  int ProgressMaximum(Control control) override;
  void SetProgressMaximum(Control control, int maximum) override;
  int ProgressPosition(Control control) override;
  void SetProgressPosition(Control control, int position) override;
  void AdvanceProgressPosition(Control control) override;
  int TimerPeriod(Control control) override;
  void SetTimerPeriod(Control control, int milliseconds) override;
  int LinkKind(Control control) override;
  void SetLinkKind(Control control, int kind) override;
  Text LinkWebAddress(Control control) override;
  void SetLinkWebAddress(Control control, const Text& address) override;
  void NavigateLink(Control control) override;
  Text BrowserAddress(Control control) override;
  void SetBrowserAddress(Control control, const Text& address) override;
  int AppendRow(Control list) override;
  void SetCell(Control list, int row, int column, const Text& text) override;
  Text GetCell(Control list, int row, int column) override;
  int RowCount(Control list) override;
  void DeleteRow(Control list, int row) override;
  void DeleteAllRows(Control list) override;
  int SelectedRow(Control list) override;
  Text StatusText(Control bar, int part) override;
  void SetStatusText(Control bar, int part, const Text& text) override;
  void PopupMenu(Menu menu) override;
  Text BrowseForFolder(const Text& title) override;
  bool RunCommandLine(const Text& commandLine, os::ShowMode show) override;
  void ShowFatalError(const Text& message) override;
  void ProcessPendingEvents() override;

  // --- What a user does, queued as the events it raises ---
  void Click(Control control);                   // nothing on a disabled control
  void PressKey(Control control, int keyCode, int modifiers = 0);
  void RightClick(Control list);
  void ElapseTimer(Control timer);               // nothing while the timer is stopped
  void Activate();                               // first activation once
  void ReleaseLeftButton(Control control);
  void Close();                                  // the close button
  void Type(Control control, const Text& text);  // replaces the field's text
  void SetChecked(Control control, bool checked);
  void SelectRows(Control list, const std::vector<int>& rows);
  // The answer to the next pop-up menu: an item, or none for a dismissal.
  void AnswerNextMenu(std::optional<MenuItem> item);
  // The answer to the next folder dialog; without one it is cancelled.
  void AnswerNextFolderDialog(const Text& path);

  // --- What a test can see ---
  ControlState Snapshot(Control control);
  std::vector<Control> ChildrenInZOrder(const design::Parent& parent);  // front first
  int MenusShown();
  Text LastFolderDialogTitle();
  std::vector<Text> CommandLinesRun();
  std::vector<Text> FatalErrorsShown();
  int ExitRoutineRuns();
  bool HasPendingEvents();

 private:
  struct Queued {
    Event event;
    bool close = false;
  };
  void Enqueue(Queued queued);
  bool OnUiThread() const;
  ControlState* Find(Control control);  // null while no window exists
  static int ClampProgress(int value);

  os::Os& os_;
  std::mutex lock_;  // guards every field below
  std::condition_variable eventQueued_;
  std::thread::id uiThread_;
  std::function<void()> exitRoutine_;
  int exitRoutineRuns_ = 0;
  EventSink* sink_ = nullptr;
  bool windowExists_ = false;
  bool activated_ = false;
  Text caption_;
  std::vector<ControlState> controls_;
  std::vector<std::vector<Control>> zOrder_;  // per parent key
  std::deque<Queued> queue_;
  std::deque<std::optional<MenuItem>> menuAnswers_;
  std::deque<Text> folderAnswers_;
  int menusShown_ = 0;
  Text lastFolderDialogTitle_;
  std::vector<Text> commandLines_;
  std::vector<Text> fatalErrors_;
};

}  // namespace ui::headless
