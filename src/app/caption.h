#pragma once

#include "app/shared_state.h"
#include "core/text.h"

namespace app {

// The main window's caption: title, two blanks, version, " QQ:", contact.
core::Text ComposeCaption(const SharedTexts& texts);

}  // namespace app
