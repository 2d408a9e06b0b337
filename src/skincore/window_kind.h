// What a window is to the skin, from its class and styles.
#pragma once

#include <windows.h>

namespace skincore {

enum class WindowKind : int {
  None,        // left alone: message-only, menus, tooltips, IME windows...
  Plain,       // a window of its own class: colours its children only
  FaceWindow,  // its class erases with the button face: the skin's face instead
  Dialog,
  Static,
  Edit,
  Button,
  ComboBox,
  ListBox,  // also the list of a combo box
  ListView,
  Header,
  Tab,
  StatusBar,
  ProgressBar,
};

WindowKind KindOf(HWND window);
// For a window being created, whose parent is known before it is linked in.
WindowKind KindOfNew(HWND window, HWND parent);

bool ClassIs(HWND window, const wchar_t* name);
// An edit without any border: on the window's face, as read-only counts are.
bool IsBorderlessEdit(HWND edit);
// A container control (a Static or group box used as a panel) holds
// windows of its own; a plain one only lies under its siblings.
bool HasChildren(HWND window);
UINT ButtonType(HWND button);

}  // namespace skincore
