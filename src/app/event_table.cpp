#include "app/event_table.h"

#include "app/entry.h"
#include "app/program.h"
#include "files/file_list.h"
#include "files/folder_search.h"
#include "homepage/home_page.h"
#include "rename/rename_run.h"

namespace app {

void EventTable::HandleEvent(const ui::Event& event) {
  using ui::Control;
  using ui::EventKind;
  switch (event.kind) {
    case EventKind::WindowCreated:
      MainWindowCreated(program_);
      return;
    case EventKind::WindowFirstActivated:
      homepage::MainWindowFirstActivated(program_.ui, program_.texts);
      return;
    case EventKind::Clicked:
      if (event.control == Control::按钮1) renaming::ClickRenameButton(program_.rename);
      if (event.control == Control::读取文件) files::ToggleSearch(program_.search);
      if (event.control == Control::打开文件夹) files::BrowseFolder(program_.ui);
      return;
    case EventKind::KeyDown:
      if (event.control == Control::组合框1) files::AddPattern(program_.ui, event.keyCode, event.modifiers);
      return;
    case EventKind::RightClick:
      if (event.control == Control::超级列表框1) files::ShowListMenu(program_.ui);
      return;
    case EventKind::MenuSelected:
      if (event.item == ui::MenuItem::不替换该文件名) files::RemoveSelectedRow(program_.ui);
      if (event.item == ui::MenuItem::打开文件夹路径) files::RevealSelectedFile(program_.ui, program_.os);
      return;
    case EventKind::TimerElapsed:
      if (event.control == Control::时钟1) homepage::RefreshHomePage(program_.ui, program_.os, program_.texts);
      return;
    case EventKind::LeftButtonUp:
      if (event.control == Control::状态条1) homepage::OpenHomePageExternally(program_.ui);
      return;
  }
}

}  // namespace app
