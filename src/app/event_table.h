// The one routine that handles every event of the main window, on the UI
// thread, by the window's event table.
#pragma once

#include "ui/event.h"

namespace app {

struct Program;

class EventTable final : public ui::EventSink {
 public:
  explicit EventTable(Program& program) : program_(program) {}
  void HandleEvent(const ui::Event& event) override;

 private:
  Program& program_;
};

}  // namespace app
