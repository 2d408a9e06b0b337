// Start-up and shutdown of the program.
#pragma once

#include "app/program.h"

namespace app {

extern const char* const kVersionText;  // "1.10"
extern const char* const kContactText;  // the author's contact number
constexpr int kFatalExitCode = 3;       // the skin engine could not be reached

// The whole life of the program on the calling (UI) thread: initialise the
// toolkit, register the exit routine, StartUp, the message loop, the exit
// routine. Returns when the main window is gone.
void RunEntrySequence(Program& program);

// Sets the shared texts and loads the main window; returns once it is loaded.
void StartUp(Program& program);

// Handler of the main window's created event: attaches the skin (or ends
// the program with a fatal error when the engine cannot be reached), puts
// the pattern into view and writes the caption.
void MainWindowCreated(Program& program);

// The exit routine: releases the shared texts.
void ReleaseSharedState(Program& program);

}  // namespace app
