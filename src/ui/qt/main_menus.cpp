#include "ui/qt/main_menus.h"

#include <QKeySequence>
#include <QMenu>

#include "ui/qt/menu_shortcuts.h"

namespace tov::qt {
namespace {

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& title) {
  QMenu* menu = bar.addMenu(title);
  menu->setObjectName(name);
  return menu;
}

QAction* AddEntry(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut = {}, bool checkable = false) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::ApplicationShortcut);
  action->setCheckable(checkable);
  return action;
}

void AddSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(name);
}

}  // namespace

MainMenus BuildMainMenus(QMenuBar& bar) {
  MainMenus m;

  QMenu* file = AddMenu(bar, "mnuFile", "&File");
  m.new_design = AddEntry(file, "newDesign", "&New Design", QKeySequence(Qt::CTRL | Qt::Key_N));
  m.mnuOpen = AddEntry(file, "mnuOpen", "Open Design...", QKeySequence(Qt::CTRL | Qt::Key_O));
  m.mnuRecent = file->addMenu("&Recent Designs");
  m.mnuRecent->setObjectName("mnuRecent");
  m.save = AddEntry(file, "saveDesign", "&Save Design", QKeySequence(Qt::CTRL | Qt::Key_S));
  m.mnuSaveAs = AddEntry(file, "mnuSaveAs", "Save &Design As...");
  AddSeparator(file, "mnuSep1");
  m.mnuPrint = AddEntry(file, "mnuPrint", "Print", QKeySequence(Qt::CTRL | Qt::Key_P));
  m.print_report = AddEntry(file, "printReport", "Print &Report...");
  m.mnuExportPdf =
      AddEntry(file, "mnuExportPdf", "&Export PDF...", QKeySequence(Qt::CTRL | Qt::Key_E));
  m.mnuExportSpice = AddEntry(file, "mnuExportSpice", "Export SPICE &Model...");
  m.export_mas = AddEntry(file, "exportMas", "Export M&AS...");
  m.import_mas = AddEntry(file, "importMas", "&Import MAS...");
  AddSeparator(file, "mnuSep2");
  m.mnuExit = AddEntry(file, "mnuExit", "Exit", QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* options = AddMenu(bar, "mnuOptions", "&Options");
  m.mnuTemp = AddEntry(options, "mnuTemp", "&Ambient Temperature...");
  m.mnuStack = AddEntry(options, "mnuStack", "&Stack Cores...");
  m.full_load_l_max = AddEntry(options, "mnuLfl", "&Full Load L Maximum", {}, true);
  m.single_layer = AddEntry(options, "mnuSingleLayer", "Single &Layer Choke", {}, true);
  m.mnuALTolerance = AddEntry(options, "mnuALTolerance", "AL &Tolerance...");
  QMenu* dimensions = options->addMenu("&Dimensions");
  dimensions->setObjectName("mnuDim");
  m.inches = AddEntry(dimensions, "mnuDimEng", "&English", {}, true);
  m.millimetres = AddEntry(dimensions, "mnuDimMet", "&Metric", {}, true);

  QMenu* view = AddMenu(bar, "mnuView", "&View");
  m.mnuCurves = AddEntry(view, "mnuCurves", "&Curves...", QKeySequence(Qt::CTRL | Qt::Key_G));
  m.part = AddEntry(view, "part", "&Part...");
  QMenu* tools = AddMenu(bar, "mnuTools", "&Tools");
  m.mnuCompare =
      AddEntry(tools, "mnuCompare", "&Compare Cores...", QKeySequence(Qt::CTRL | Qt::Key_K));
  m.converter = AddEntry(tools, "converter", "Con&verter...");
  m.simulate = AddEntry(tools, "simulate", "&Simulate Converter");

  QMenu* help = AddMenu(bar, "mnuHelp", "&Help");
  m.mnuContents = AddEntry(help, "mnuContents", "Contents", QKeySequence(Qt::Key_F1));
  m.mnuIndex = AddEntry(help, "mnuIndex", "&Index");
  AddSeparator(help, "mnuSep3");
  m.mnuAbout = AddEntry(help, "mnuAbout", "&About");
  m.mnuContact = AddEntry(help, "mnuContact", "Contact &Us");
  GiveShortcutsPriority(bar);
  return m;
}

}  // namespace tov::qt
