#include "ui/design.h"

#include <array>

namespace ui::design {
namespace {

using C = ui::Control;

constexpr const char* kHost = "www.orvane.example";

constexpr Parent kMain{Parent::Type::MainWindow};
constexpr Parent OnPage(Page page) { return {Parent::Type::TabPage, page}; }
constexpr Parent In(C control) { return {Parent::Type::Control, Page::操作界面, control}; }

// Table order is creation order; StackingOrder() settles overlaps.
const std::array<ControlEntry, kControlCount> kControls{{
    {C::高级选择夹1, "高级选择夹1", Kind::TabControl, kMain, {2, 2, 486, 446}, "", 1001},
    {C::状态条1, "状态条1", Kind::StatusBar, kMain, {0, 0, 0, 0}, "", 1002},
    {C::外形框1, "外形框1", Kind::ShapeBox, OnPage(Page::操作界面), {2, 2, 480, 420}, "", 1003},
    {C::标签1, "标签1", Kind::Label, In(C::外形框1), {5, 3, 62, 24}, "待操作目录", 1004},
    {C::编辑框1, "编辑框1", Kind::EditBox, In(C::外形框1), {68, 5, 248, 20}, "C:\\", 1005, Border::Thin},
    {C::打开文件夹, "打开文件夹", Kind::Button, In(C::外形框1), {319, 3, 76, 25}, "打开文件夹", 1006},
    {C::读取文件, "读取文件", Kind::Button, In(C::外形框1), {398, 3, 71, 25}, "搜索文件", 1007},
    {C::标签2, "标签2", Kind::Label, In(C::外形框1), {5, 31, 80, 20}, "文件类型：", 1008},
    {C::组合框1, "组合框1", Kind::ComboBox, In(C::外形框1), {68, 31, 135, 20}, "", 1009},
    {C::选择框1, "选择框1", Kind::CheckBox, In(C::外形框1), {211, 31, 96, 20}, "搜索子目录", 1010},
    {C::标签3, "标签3", Kind::Label, In(C::外形框1), {5, 56, 134, 20}, "共搜索   0     个文件", 1011},
    {C::共搜索, "共搜索", Kind::EditBox, In(C::外形框1), {44, 56, 48, 20}, "0", 1012, Border::None, Align::Center},
    {C::标签4, "标签4", Kind::Label, In(C::外形框1), {148, 56, 159, 20}, "共替换           个文件", 1013},
    {C::编辑框2, "编辑框2", Kind::EditBox, In(C::外形框1), {187, 56, 62, 20}, "0", 1014, Border::None, Align::Center},
    {C::分组框1, "分组框1", Kind::GroupBox, In(C::外形框1), {5, 75, 470, 208}, "", 1015},
    {C::超级列表框1, "超级列表框1", Kind::ListView, In(C::分组框1), {5, 11, 458, 191}, "", 1016, Border::Sunken},
    {C::分组框2, "分组框2", Kind::GroupBox, In(C::外形框1), {6, 282, 469, 129}, "", 1017},
    {C::选择框2, "选择框2", Kind::CheckBox, In(C::分组框2), {6, 15, 16, 16}, "", 1018},
    {C::标签5, "标签5", Kind::Label, In(C::分组框2), {24, 12, 301, 20}, "将内容：                   替换为：", 1019},
    {C::编辑框_欲原, "编辑框_欲原", Kind::EditBox, In(C::分组框2), {69, 12, 112, 20}, "", 1020, Border::Thin},
    {C::编辑框_欲新, "编辑框_欲新", Kind::EditBox, In(C::分组框2), {224, 12, 96, 20}, "", 1021, Border::Thin},
    {C::选择框_前, "选择框_前", Kind::CheckBox, In(C::分组框2), {6, 41, 128, 20}, "文件前  加入文本：", 1022},
    {C::编辑框_加入, "编辑框_加入", Kind::EditBox, In(C::分组框2), {137, 41, 144, 20}, "", 1023, Border::Sunken},
    {C::选择框_后, "选择框_后", Kind::CheckBox, In(C::分组框2), {6, 67, 128, 20}, "文件后  加入文本：", 1024},
    {C::编辑框_加入1, "编辑框_加入1", Kind::EditBox, In(C::分组框2), {136, 64, 144, 20}, "", 1025, Border::Sunken},
    {C::单选框1, "单选框1", Kind::RadioButton, In(C::分组框2), {5, 41, 80, 20}, "文件前", 1026, Border::None, Align::Left, true},
    {C::单选框2, "单选框2", Kind::RadioButton, In(C::分组框2), {72, 41, 149, 20}, "文件后  加文本：", 1027},
    {C::按钮1, "按钮1", Kind::Button, In(C::分组框2), {358, 18, 96, 56}, "开始替换", 1028},
    {C::进度条1, "进度条1", Kind::ProgressBar, In(C::分组框2), {4, 98, 458, 24}, "", 1029, Border::Thin},
    {C::透明标签1, "透明标签1", Kind::TransparentLabel, In(C::分组框2), {6, 98, 458, 24}, "0%", 1030, Border::None, Align::Center},
    {C::超文本浏览框1, "超文本浏览框1", Kind::WebBrowser, OnPage(Page::官方主页), {6, 6, 472, 416}, "", 1031},
    {C::超级链接框1, "超级链接框1", Kind::Hyperlink, OnPage(Page::官方主页), {270, 358, 80, 24}, kHost, 1032, Border::None, Align::Left, false, true},
    {C::时钟1, "时钟1", Kind::Timer, OnPage(Page::官方主页), {294, 166, 26, 26}, "", 1033},
}};

const std::array<Stacking, 10> kStacking{{
    {C::编辑框_欲原, C::标签5},
    {C::编辑框_欲新, C::标签5},
    {C::共搜索, C::标签3},
    {C::编辑框2, C::标签4},
    {C::透明标签1, C::进度条1},
    {C::选择框_前, C::单选框1},
    {C::选择框_前, C::单选框2},
    {C::编辑框_加入, C::单选框1},
    {C::编辑框_加入, C::单选框2},
    // The pattern box reaches under the end of its label; the field must
    // not be hidden behind the label's empty right part.
    {C::组合框1, C::标签2},
}};

}  // namespace

std::span<const ControlEntry> Controls() { return kControls; }

const ControlEntry& Entry(ui::Control control) { return kControls[Index(control)]; }

std::span<const Stacking> StackingOrder() { return kStacking; }

const char* const kWindowClass = "文件名替换";

const char* const kMakerHost = kHost;
const char* const kMakerHomePage = "http://www.orvane.example/";
const char* const kMakerNotice = "Orvane 工作室出品 · 免费软件，欢迎使用";

core::Text InitialStatusText() { return core::Text(37, ' ') + kMakerNotice; }

const char* const kPageTitles[kPageCount] = {"操作界面", "官方主页"};
const char* const kPatternItems[1] = {"*.*"};
const Column kListColumns[2] = {{"ID", 30}, {"文件路径", 400}};
const char* const kSimSunFace = "SimSun";

const char* const kMenuTitle = "替换管理";
const char* const kMenuItemTexts[kMenuItemCount] = {"不替换该文件名", "打开文件夹路径"};

}  // namespace ui::design
