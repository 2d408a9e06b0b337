#include "app/event_table.h"

#include "app/entry.h"
#include "app/program.h"

namespace app {

void EventTable::HandleEvent(const ui::Event& event) {
  using ui::Control;
  using ui::EventKind;
  switch (event.kind) {
    case EventKind::WindowCreated:
      MainWindowCreated(program_);
      return;
    case EventKind::WindowFirstActivated:
      return;
    case EventKind::Clicked:
    case EventKind::KeyDown:
    case EventKind::RightClick:
    case EventKind::MenuSelected:
    case EventKind::TimerElapsed:
    case EventKind::LeftButtonUp:
      return;
  }
}

}  // namespace app
