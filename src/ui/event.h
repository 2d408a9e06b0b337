// Events that the program handles, as the toolkit delivers them to the one
// routine that dispatches them (always on the UI thread).
#pragma once

#include "ui/control.h"

namespace ui {

enum class EventKind {
  WindowCreated,         // the window and all its controls exist; not yet shown
  WindowFirstActivated,  // once, the first time the window becomes active
  Clicked,               // a button: control
  KeyDown,               // a key pressed in a control with the focus: control, keyCode, modifiers
  RightClick,            // right button in the rows area of a list view: control
  MenuSelected,          // an item chosen in a pop-up menu: item
  TimerElapsed,          // a timer's period has run out: control
  LeftButtonUp,          // the left mouse button released over a control: control
};

struct Event {
  EventKind kind;
  Control control = Control::高级选择夹1;  // not used by the window's own events
  MenuItem item = MenuItem::不替换该文件名;  // MenuSelected only
  int keyCode = 0;
  int modifiers = 0;
};

class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void HandleEvent(const Event& event) = 0;
};

}  // namespace ui
