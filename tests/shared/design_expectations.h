// The main window as its design describes it, written out independently of
// the program's own design table, so that both toolkits can be held to it:
// the headless one natively, the real window under Wine.
#pragma once

#include <array>

#include "ui/control.h"

namespace expectations {

struct ExpectedControl {
  ui::Control control;
  const char* windowClass;  // Win32 class of its window; null for the timer
  const char* parent;       // "main", a page title or a control's name
  int x, y, width, height;  // within the parent; height 0: not fixed by the design
  const char* text;         // initial caption or text
  bool visible;
};

using C = ui::Control;

// Texts are code page 936 bytes, like the program's own.
inline const std::array<ExpectedControl, ui::kControlCount> kControls{{
    {C::高级选择夹1, "SysTabControl32", "main", 2, 2, 486, 446, "", true},
    {C::状态条1, "msctls_statusbar32", "main", 0, 0, 0, 0, nullptr, true},
    {C::外形框1, "Static", "操作界面", 2, 2, 480, 420, "", true},
    {C::标签1, "Static", "外形框1", 5, 3, 62, 24, "待操作目录", true},
    {C::编辑框1, "Edit", "外形框1", 68, 5, 248, 20, "C:\\", true},
    {C::打开文件夹, "Button", "外形框1", 319, 3, 76, 25, "打开文件夹", true},
    {C::读取文件, "Button", "外形框1", 398, 3, 71, 25, "搜索文件", true},
    {C::标签2, "Static", "外形框1", 5, 31, 80, 20, "文件类型：", true},
    {C::组合框1, "ComboBox", "外形框1", 68, 31, 135, 0, "*.*", true},
    {C::选择框1, "Button", "外形框1", 211, 31, 96, 20, "搜索子目录", true},
    {C::标签3, "Static", "外形框1", 5, 56, 134, 20, "共搜索   0     个文件", true},
    {C::共搜索, "Edit", "外形框1", 44, 56, 48, 20, "0", true},
    {C::标签4, "Static", "外形框1", 148, 56, 159, 20, "共替换           个文件", true},
    {C::编辑框2, "Edit", "外形框1", 187, 56, 62, 20, "0", true},
    {C::分组框1, "Button", "外形框1", 5, 75, 470, 208, "", true},
    {C::超级列表框1, "SysListView32", "分组框1", 5, 11, 458, 191, "", true},
    {C::分组框2, "Button", "外形框1", 6, 282, 469, 129, "", true},
    {C::选择框2, "Button", "分组框2", 6, 15, 16, 16, "", true},
    {C::标签5, "Static", "分组框2", 24, 12, 301, 20, "将内容：                   替换为：", true},
    {C::编辑框_欲原, "Edit", "分组框2", 69, 12, 112, 20, "", true},
    {C::编辑框_欲新, "Edit", "分组框2", 224, 12, 96, 20, "", true},
    {C::选择框_前, "Button", "分组框2", 6, 41, 128, 20, "文件前  加入文本：", true},
    {C::编辑框_加入, "Edit", "分组框2", 137, 41, 144, 20, "", true},
    {C::选择框_后, "Button", "分组框2", 6, 67, 128, 20, "文件后  加入文本：", true},
    {C::编辑框_加入1, "Edit", "分组框2", 136, 64, 144, 20, "", true},
    {C::单选框1, "Button", "分组框2", 5, 41, 80, 20, "文件前", true},
    {C::单选框2, "Button", "分组框2", 72, 41, 149, 20, "文件后  加文本：", true},
    {C::按钮1, "Button", "分组框2", 358, 18, 96, 56, "开始替换", true},
    {C::进度条1, "msctls_progress32", "分组框2", 4, 98, 458, 24, "", true},
    {C::透明标签1, "Static", "分组框2", 6, 98, 458, 24, "0%", true},
    {C::超文本浏览框1, "Static", "官方主页", 6, 6, 472, 416, nullptr, true},
    {C::超级链接框1, "SysLink", "官方主页", 270, 358, 80, 24, nullptr, false},
    {C::时钟1, nullptr, "官方主页", 294, 166, 26, 26, nullptr, false},
}};

// Where siblings overlap, the first lies in front of the second.
inline const std::array<std::pair<ui::Control, ui::Control>, 9> kInFront{{
    {C::编辑框_欲原, C::标签5},
    {C::编辑框_欲新, C::标签5},
    {C::共搜索, C::标签3},
    {C::编辑框2, C::标签4},
    {C::透明标签1, C::进度条1},
    {C::选择框_前, C::单选框1},
    {C::选择框_前, C::单选框2},
    {C::编辑框_加入, C::单选框1},
    {C::编辑框_加入, C::单选框2},
}};

inline constexpr const char* kWindowClass = "文件名替换";
inline constexpr int kWindowWidth = 496;
inline constexpr int kWindowHeight = 498;
inline constexpr const char* kPattern = "*.*";
inline constexpr int kTimerPeriod = 10000;
inline constexpr int kProgressMaximum = 100;

}  // namespace expectations
