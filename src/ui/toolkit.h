// The window-toolkit seam: every operation the program's handlers use on
// the main window and its controls. Backends: win32/ (the real window) and
// headless/ (an in-memory window for tests), held to the same rules.
//
// Rules every backend keeps:
// - Every operation is safe from any thread and has taken effect when it
//   returns; the controls themselves belong to the UI thread.
// - Before the main window exists and after it is gone, operations do
//   nothing and reads give empty text, false, 0 or -1 (for indexes).
// - Texts are code page 936 at this interface.
#pragma once

#include <functional>

#include "core/text.h"
#include "os/os.h"
#include "ui/control.h"
#include "ui/event.h"

namespace ui {

using core::Text;

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // --- Start and end (UI thread) ---
  // The working directory becomes the program's folder; OLE is initialised
  // on the calling thread, which becomes the UI thread.
  virtual void Initialise() = 0;
  // Run once by RunMessageLoop when the program ends.
  virtual void SetExitRoutine(std::function<void()> routine) = 0;
  // Creates the main window and its controls from the design, raises
  // WindowCreated, then shows the window. False when it could not be created.
  virtual bool LoadMainWindow(EventSink& sink) = 0;
  // Handles events while the main window exists, then runs the exit routine.
  virtual void RunMessageLoop() = 0;
  virtual bool MainWindowExists() = 0;

  // --- The main window ---
  virtual Text WindowCaption() = 0;
  virtual void SetWindowCaption(const Text& caption) = 0;

  // --- Properties ---
  // Caption or text of buttons, labels, edit boxes and the combo box's field.
  virtual Text GetText(Control control) = 0;
  virtual void SetText(Control control, const Text& text) = 0;
  virtual bool IsDisabled(Control control) = 0;
  virtual void SetDisabled(Control control, bool disabled) = 0;
  virtual bool IsChecked(Control control) = 0;  // check boxes and radio buttons

  // Combo box: current item 0-based, -1 for none; a written index beyond
  // the last item selects the last, below 0 selects none. Selecting an item
  // puts its text into the edit field.
  virtual int CurrentItem(Control control) = 0;
  virtual void SetCurrentItem(Control control, int index) = 0;
  virtual void AddItem(Control control, const Text& item) = 0;  // at the end; duplicates and empty kept
  virtual int ItemCount(Control control) = 0;
  virtual Text ItemText(Control control, int index) = 0;  // empty for no such item

  // Progress bar: written values are clamped to 0..32767; reads give the
  // stored value; the bar draws the position clamped into its range.
  virtual int ProgressMaximum(Control control) = 0;
  virtual void SetProgressMaximum(Control control, int maximum) = 0;
  virtual int ProgressPosition(Control control) = 0;
  virtual void SetProgressPosition(Control control, int position) = 0;
  // Position + 1 as one step, so that callers on several threads lose none.
  virtual void AdvanceProgressPosition(Control control) = 0;

  // Timer period in milliseconds: 0 or less stops it, a new positive value
  // restarts the count, the same value changes nothing.
  virtual int TimerPeriod(Control control) = 0;
  virtual void SetTimerPeriod(Control control, int milliseconds) = 0;

  // Hyperlink: link kind 0 e-mail, 1 web address (other values clamped).
  virtual int LinkKind(Control control) = 0;
  virtual void SetLinkKind(Control control, int kind) = 0;
  virtual Text LinkWebAddress(Control control) = 0;
  virtual void SetLinkWebAddress(Control control, const Text& address) = 0;
  // Opens the web address with the system's default handler; an empty
  // address opens nothing.
  virtual void NavigateLink(Control control) = 0;

  // Web browser: writing the address navigates at once.
  virtual Text BrowserAddress(Control control) = 0;
  virtual void SetBrowserAddress(Control control, const Text& address) = 0;

  // --- List view (report view) ---
  virtual int AppendRow(Control list) = 0;  // index of the new row, cells empty
  virtual void SetCell(Control list, int row, int column, const Text& text) = 0;
  virtual Text GetCell(Control list, int row, int column) = 0;  // empty for no such row
  virtual int RowCount(Control list) = 0;
  virtual void DeleteRow(Control list, int row) = 0;  // nothing for no such row
  virtual void DeleteAllRows(Control list) = 0;
  virtual int SelectedRow(Control list) = 0;  // lowest selected index, -1 for none

  // --- Status bar ---
  virtual Text StatusText(Control bar, int part) = 0;
  virtual void SetStatusText(Control bar, int part, const Text& text) = 0;  // outside the parts: nothing

  // --- Menus, dialogs, programs ---
  // Pops the menu up at the mouse pointer; a chosen item raises
  // MenuSelected after the menu has closed.
  virtual void PopupMenu(Menu menu) = 0;
  // Modal folder dialog; the chosen folder's path (a trailing "\" only at
  // a drive root), or empty when cancelled or no file-system folder.
  virtual Text BrowseForFolder(const Text& title) = 0;
  virtual bool RunCommandLine(const Text& commandLine, os::ShowMode show) = 0;
  // A modal message that something the program cannot do without failed.
  virtual void ShowFatalError(const Text& message) = 0;

  // Handles the calling thread's pending events until none is left; a
  // request to quit stays queued.
  virtual void ProcessPendingEvents() = 0;
};

}  // namespace ui
