#pragma once
// The menu bar of the main window: File (with the Recent Designs submenu),
// Options (with the Dimensions submenu), View, Tools and Help. The check marks
// are only ever set from the window model. Every shortcut works from any of
// the program's windows, whichever field has the focus.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tov::qt {

struct MainMenus {
  QAction* new_design = nullptr;
  QAction* mnuOpen = nullptr;
  QMenu* mnuRecent = nullptr;  // filled by the main window
  QAction* save = nullptr;     // Save Design, to the design's file
  QAction* mnuSaveAs = nullptr;
  QAction* mnuPrint = nullptr;
  QAction* print_report = nullptr;  // the engineering report through the print dialog
  QAction* mnuExportPdf = nullptr;
  QAction* mnuExportSpice = nullptr;  // enabled while a design is shown
  QAction* export_mas = nullptr;      // enabled while a design is shown
  QAction* import_mas = nullptr;
  QAction* mnuExit = nullptr;

  QAction* mnuTemp = nullptr;
  QAction* mnuStack = nullptr;
  QAction* full_load_l_max = nullptr;  // checkable
  QAction* single_layer = nullptr;     // checkable
  QAction* mnuALTolerance = nullptr;
  QAction* inches = nullptr;       // checkable, in the Dimensions submenu
  QAction* millimetres = nullptr;  // checkable, in the Dimensions submenu

  QAction* mnuCurves = nullptr;   // enabled while a design is shown
  QAction* part = nullptr;        // View > Part..., enabled while a design is shown
  QAction* mnuCompare = nullptr;  // Tools > Compare Cores...
  QAction* converter = nullptr;   // Tools > Converter...
  QAction* simulate = nullptr;    // Tools > Simulate Converter

  QAction* mnuContents = nullptr;
  QAction* mnuIndex = nullptr;
  QAction* mnuAbout = nullptr;
  QAction* mnuContact = nullptr;
};

// Fills `bar` with the menus and returns their entries.
MainMenus BuildMainMenus(QMenuBar& bar);

}  // namespace tov::qt
