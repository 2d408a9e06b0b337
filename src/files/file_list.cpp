#include "files/file_list.h"

namespace files {

using ui::Control;

void RenumberRows(ui::Toolkit& ui) {
  const int rows = ui.RowCount(Control::超级列表框1);
  for (int i = 1; i <= rows; ++i) {
    ui.ProcessPendingEvents();
    if (!ui.MainWindowExists()) return;
    ui.SetCell(Control::超级列表框1, i - 1, 0, core::DecimalText(i));
  }
}

void ShowListMenu(ui::Toolkit& ui) {
  if (ui.SelectedRow(Control::超级列表框1) == -1) return;
  ui.PopupMenu(ui::Menu::替换管理);
}

void RemoveSelectedRow(ui::Toolkit& ui) {
  ui.DeleteRow(Control::超级列表框1, ui.SelectedRow(Control::超级列表框1));
  RenumberRows(ui);
}

core::Text RevealCommandLine(const core::Text& windowsFolder, const core::Text& path) {
  if (windowsFolder.empty()) return {};
  const core::Text separator = core::EndsWithBackslash(windowsFolder) ? "" : "\\";
  return "\"" + windowsFolder + separator + "explorer.exe\" /select,\"" + path + "\"";
}

void RevealSelectedFile(ui::Toolkit& ui, os::Os& os) {
  const int row = ui.SelectedRow(Control::超级列表框1);
  const core::Text path = ui.GetCell(Control::超级列表框1, row, 1);
  if (path.empty()) return;
  const core::Text commandLine = RevealCommandLine(os.WindowsFolder(), path);
  if (commandLine.empty()) return;
  ui.RunCommandLine(commandLine, os::ShowMode::Maximized);
}

}  // namespace files
