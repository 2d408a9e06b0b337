#include "app/caption.h"

namespace app {

core::Text ComposeCaption(const SharedTexts& texts) {
  return texts.titleText + "  " + texts.versionText + " QQ:" + texts.contactText;
}

}  // namespace app
