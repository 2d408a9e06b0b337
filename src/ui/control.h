// The controls, menus and menu items of the main window, by the names of
// the window's design. The main window itself has no name.
#pragma once

namespace ui {

enum class Control {
  高级选择夹1,
  状态条1,
  外形框1,
  标签1,
  编辑框1,
  打开文件夹,
  读取文件,
  标签2,
  组合框1,
  选择框1,
  标签3,
  共搜索,
  标签4,
  编辑框2,
  分组框1,
  超级列表框1,
  分组框2,
  选择框2,
  标签5,
  编辑框_欲原,
  编辑框_欲新,
  选择框_前,
  编辑框_加入,
  选择框_后,
  编辑框_加入1,
  单选框1,
  单选框2,
  按钮1,
  进度条1,
  透明标签1,
  超文本浏览框1,
  超级链接框1,
  时钟1,
};
constexpr int kControlCount = static_cast<int>(Control::时钟1) + 1;

inline int Index(Control c) { return static_cast<int>(c); }

// The one menu tree of the window, shown only as the file list's pop-up.
enum class Menu { 替换管理 };

enum class MenuItem {
  不替换该文件名,
  打开文件夹路径,
};
constexpr int kMenuItemCount = 2;

}  // namespace ui
