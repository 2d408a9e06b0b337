// The main window's fixed design: every control with its kind, parent,
// place, size, texts and initial state, the stacking of overlapping
// siblings and the menu. Both toolkit backends build the window from it.
#pragma once

#include <span>

#include "core/text.h"
#include "ui/control.h"

namespace ui::design {

enum class Kind {
  TabControl,
  StatusBar,
  ShapeBox,
  Label,
  EditBox,
  Button,
  CheckBox,
  RadioButton,
  ComboBox,
  GroupBox,
  ListView,
  ProgressBar,
  TransparentLabel,
  WebBrowser,
  Hyperlink,
  Timer,
};

// The pages of 高级选择夹1, in order.
enum class Page { 操作界面, 官方主页 };
constexpr int kPageCount = 2;

struct Parent {
  enum class Type { MainWindow, TabPage, Control };
  Type type;
  Page page = Page::操作界面;       // TabPage
  ui::Control control = ui::Control::外形框1;  // Control
};

struct Rect {
  int x, y, width, height;
};

enum class Border { None, Thin, Sunken };
enum class Align { Left, Center };

struct ControlEntry {
  ui::Control control;
  const char* name;  // the design's name, code page 936
  Kind kind;
  Parent parent;
  Rect place;        // within the parent's client area; a tab page's starts at the tab's corner
  const char* text;  // caption or initial text
  int controlId;     // fixed identifier of the control's window
  Border border = Border::None;
  Align align = Align::Left;
  bool checked = false;  // check boxes and radio buttons
  bool hidden = false;
};

std::span<const ControlEntry> Controls();
const ControlEntry& Entry(ui::Control control);

// Where siblings overlap, `front` lies in front of `behind`.
struct Stacking {
  ui::Control front;
  ui::Control behind;
};
std::span<const Stacking> StackingOrder();

struct Column {
  const char* title;
  int width;
};

// --- The main window ---
extern const char* const kWindowClass;  // "文件名替换"
constexpr int kWindowWidth = 496;
constexpr int kWindowHeight = 498;

// --- Texts of the maker ---
extern const char* const kMakerHost;       // host name of the maker's web server
extern const char* const kMakerHomePage;   // the home page's address
extern const char* const kMakerNotice;     // one-line notice about the maker
core::Text InitialStatusText();            // 37 blanks, then the notice

// --- Details by kind ---
extern const char* const kPageTitles[kPageCount];
extern const char* const kPatternItems[1];  // 组合框1's list
constexpr int kPatternCurrentItem = 0;
constexpr int kPatternDroppedHeight = 160;  // the box together with its dropped list
extern const Column kListColumns[2];
constexpr int kProgressMaximum = 100;
constexpr int kStatusPartRightEdge = 500;
constexpr int kTimerPeriod = 10000;
constexpr int kLinkKindWeb = 1;
// SimSun at 9 points, the tab headers' font; every other control uses the
// system's default GUI font, which on Chinese Windows is this same font.
extern const char* const kSimSunFace;
constexpr int kSimSunHeight = -12;
constexpr int kSimSunWeight = 400;

// --- Menu ---
extern const char* const kMenuTitle;                    // "替换管理", hidden
extern const char* const kMenuItemTexts[kMenuItemCount];  // in MenuItem order
constexpr int kMenuItemIdBase = 2001;                   // item i has identifier base + i

}  // namespace ui::design
