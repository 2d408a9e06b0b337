// The file list: the rows of 超级列表框1 hold the work of the next rename
// run (cell 0 the row's 1-based number, cell 1 the file's full path). No
// copy of the rows is kept anywhere else.
#pragma once

#include "core/text.h"
#include "os/os.h"
#include "ui/toolkit.h"

namespace files {

// Rewrites every row's number, handling pending events before each row so
// that the window stays responsive in a long list.
void RenumberRows(ui::Toolkit& ui);

// Right click in the list: the menu "替换管理", when a row is selected.
void ShowListMenu(ui::Toolkit& ui);

// "不替换该文件名": takes the lowest selected row out of the list (the file
// itself is not touched) and renumbers the rest.
void RemoveSelectedRow(ui::Toolkit& ui);

// "打开文件夹路径": shows the lowest selected row's file in the file manager.
void RevealSelectedFile(ui::Toolkit& ui, os::Os& os);

// The file manager's command line that selects `path`: the manager started
// by its full path in the Windows folder (a bare name would find a planted
// explorer.exe in the program's folder first) and the path in quotes (the
// manager splits its arguments at commas and "="). Empty when there is no
// Windows folder to start it from.
core::Text RevealCommandLine(const core::Text& windowsFolder, const core::Text& path);

}  // namespace files
