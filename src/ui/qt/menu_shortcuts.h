#pragma once

class QMenuBar;

namespace tov::qt {

// Gives the shortcuts of the menu bar's entries priority over the keys a
// text field keeps for itself (Ctrl+E and Ctrl+K edit a line on this
// desktop), so that every entry's shortcut works whichever field has the
// focus. A key that is no enabled entry's shortcut reaches the field as
// before; a modal box keeps its keys.
void GiveShortcutsPriority(QMenuBar& bar);

}  // namespace tov::qt
