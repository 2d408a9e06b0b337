#include "rename/new_name_rule.h"

#include "core/text_operations.h"

namespace renaming {

using core::LastPosition;
using core::MiddlePart;
using core::ReplaceAll;
using ui::Control;

RuleOptions ReadRuleOptions(ui::Toolkit& ui) {
  RuleOptions options;
  options.replaceOn = ui.IsChecked(Control::选择框2);
  if (options.replaceOn) {
    options.findText = ui.GetText(Control::编辑框_欲原);
    options.replacementText = ui.GetText(Control::编辑框_欲新);
  }
  options.prefixOn = ui.IsChecked(Control::选择框_前);
  options.suffixOn = ui.IsChecked(Control::选择框_后);
  if (options.prefixOn) options.prefixText = ui.GetText(Control::编辑框_加入);
  if (options.suffixOn) options.suffixText = ui.GetText(Control::编辑框_加入1);
  return options;
}

RenamePaths ComposeNewPath(const Text& fullPath, const RuleOptions& options) {
  const auto length = static_cast<std::int32_t>(fullPath.size());
  const std::int32_t slash = LastPosition(fullPath, "\\");
  const Text folder = MiddlePart(fullPath, 1, slash);
  const Text name = MiddlePart(fullPath, slash + 1, length);

  const auto nameLength = static_cast<std::int32_t>(name.size());
  const std::int32_t dot = LastPosition(name, ".");
  // Without a "." the whole name is the base name: it must not be lost.
  const Text extension = dot == -1 ? Text{} : MiddlePart(name, dot, nameLength);
  const Text base = dot == -1 ? name : MiddlePart(name, 1, dot - 1);

  Text edited = options.replaceOn ? ReplaceAll(base, options.findText, options.replacementText) : base;
  if (options.prefixOn) edited = options.prefixText + edited;
  if (options.suffixOn) edited += options.suffixText;

  RenamePaths paths;
  paths.folder = folder;
  paths.newName = edited + extension;
  paths.oldPath = folder + name;
  paths.newPath = folder + paths.newName;
  return paths;
}

}  // namespace renaming
