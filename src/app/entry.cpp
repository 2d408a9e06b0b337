#include "app/entry.h"

#include "app/caption.h"
#include "app/stored_text.h"
#include "skin/attach_skin.h"

namespace app {

const char* const kVersionText = "1.10";
// Digits only; no QQ number begins with 0, so this one belongs to no one.
const char* const kContactText = "0123456789";

void RunEntrySequence(Program& program) {
  program.ui.Initialise();
  runningTasks.store(0);
  program.ui.SetExitRoutine([&program] { ReleaseSharedState(program); });
  StartUp(program);
  // A window that could not be loaded leaves nothing to loop over: the
  // loop returns at once and the exit routine still runs.
  program.ui.RunMessageLoop();
}

void StartUp(Program& program) {
  program.texts.titleText = InflateStoredText(TitleBlock());
  program.texts.versionText = kVersionText;
  program.texts.contactText = kContactText;
  program.ui.LoadMainWindow(program.events);
}

void MainWindowCreated(Program& program) {
  // The program is not to run without its skin engine.
  if (!skin::AttachSkin(program.os, skin::LibraryFileBlock(), skin::SkinDataBlock()).reached) {
    program.ui.ShowFatalError(skin::FatalErrorText());
    program.os.EndProcess(kFatalExitCode);
  }
  program.ui.SetCurrentItem(ui::Control::组合框1, 0);
  program.ui.SetWindowCaption(ComposeCaption(program.texts));
}

void ReleaseSharedState(Program& program) {
  program.texts = SharedTexts{};
}

}  // namespace app
