// The new-name rule: turns the full path of a listed file into the path it
// is renamed to. Only the base name is edited; the folder and the
// extension are kept.
#pragma once

#include "core/text.h"
#include "ui/toolkit.h"

namespace renaming {

using core::Text;

struct RuleOptions {
  bool replaceOn = false;  // 选择框2
  Text findText;           // 编辑框_欲原
  Text replacementText;    // 编辑框_欲新
  bool prefixOn = false;   // 选择框_前
  Text prefixText;         // 编辑框_加入
  bool suffixOn = false;   // 选择框_后
  Text suffixText;         // 编辑框_加入1
};

struct RenamePaths {
  Text oldPath;  // folder part + file name
  Text newPath;  // folder part + new name
  Text folder;   // the folder part, up to and including its last "\"
  Text newName;  // new base name + extension
};

// Reads the options from the controls, each with a read of its own; a text
// whose switch is off is not read and counts as empty.
RuleOptions ReadRuleOptions(ui::Toolkit& ui);

// A pure function of the path and the options; it compares nothing, so
// options that change nothing give a new path equal to the old one. A name
// without any "." is all base name, with an empty extension.
RenamePaths ComposeNewPath(const Text& fullPath, const RuleOptions& options);

}  // namespace renaming
