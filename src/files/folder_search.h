// The folder search: fills the file list with every file of a folder that
// matches the pattern and, when 选择框1 is ticked, of all its subfolders.
// It runs on the UI thread inside the click handler of 读取文件 and handles
// pending events once at the start of every folder, which keeps the window
// alive and is where a stop request is seen.
#pragma once

#include "core/text.h"
#include "os/os.h"
#include "ui/toolkit.h"

namespace files {

struct FolderSearch {
  FolderSearch(ui::Toolkit& toolkit, os::Os& system) : ui(toolkit), os(system) {}

  ui::Toolkit& ui;
  os::Os& os;
  bool searchStop = false;  // UI thread only
};

// Click handler of 读取文件: starts a search, or asks the running one to stop.
void ToggleSearch(FolderSearch& search);

// The walk, depth first: a folder's own files, then each subfolder with all
// of its own. It keeps its levels on a stack of its own rather than the
// thread's, so no depth of tree can exhaust it.
void SearchFolder(FolderSearch& search, const core::Text& folder);

// Click handler of 打开文件夹: picks the folder with the folder dialog.
void BrowseFolder(ui::Toolkit& ui);

// Key-down handler of 组合框1: Enter adds the typed pattern to its list.
void AddPattern(ui::Toolkit& ui, int keyCode, int modifiers);

// The status bar's text when a folder is done.
core::Text CompletionText();

}  // namespace files
