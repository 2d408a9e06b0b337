// Everything one run of the program holds: the two platform seams and the
// process-wide state. It must outlive every thread the program starts, so
// the entry keeps it until the process ends.
#pragma once

#include "app/event_table.h"
#include "app/shared_state.h"
#include "os/os.h"
#include "ui/toolkit.h"

namespace app {

struct Program {
  Program(ui::Toolkit& toolkit, os::Os& system) : ui(toolkit), os(system) {}

  ui::Toolkit& ui;
  os::Os& os;
  SharedTexts texts;
  EventTable events{*this};
};

}  // namespace app
