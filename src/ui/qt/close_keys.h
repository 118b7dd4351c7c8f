#pragma once

class QWidget;

namespace tov::qt {

// Makes Escape and Ctrl+W close the tool window, whichever of its parts has
// the focus, as other viewers do.
void CloseOnEscapeOrCtrlW(QWidget& window);

}  // namespace tov::qt
