#pragma once
// The few fonts of the desktop window: the large heading, the bold captions of
// labels, frames and buttons, and the regular prompt of the stack dialog.

#include <QFont>

namespace tov::qt {

// Heading of the main window: sans-serif, 26.25 pt, bold.
QFont TitleFont();

// Labels, frame captions and command buttons: sans-serif, 8.25 pt, bold.
QFont CaptionFont();

// Text fields and option buttons: sans-serif, 8.25 pt, regular.
QFont FieldFont();

// Prompt of the stack dialog: sans-serif, 9.75 pt, regular.
QFont PromptFont();

}  // namespace tov::qt
