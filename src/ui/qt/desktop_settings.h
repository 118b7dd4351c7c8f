#pragma once
// What the desktop program keeps between runs, in the user's settings: the
// folder of the last file dialog, the recently used design files, the
// Project and Designed by lines of the report and the Compare Cores columns
// hidden. Nothing that shapes a design is kept: every run starts from the
// start-up state.

#include <QString>
#include <QStringList>

#include "ui/logic/engineering_report.h"

namespace tov::qt {

// The most design files the Recent Designs menu lists.
inline constexpr int kMaxRecentDesigns = 8;

// The folder the file dialogs open in: the last folder a file was chosen in,
// else the user's documents folder (the home folder when there is none).
QString LastFolder();
void SetLastFolder(const QString& folder);

// Design files opened or saved, the most recent first, at most kMaxRecentDesigns.
QStringList RecentDesigns();
// Puts `path` first, dropping an older entry of the same file.
void AddRecentDesign(const QString& path);
void RemoveRecentDesign(const QString& path);
void ClearRecentDesigns();

// The Project and Designed by lines last written into a report; empty at first.
ReportSignature RememberedSignature();
void RememberSignature(const ReportSignature& signature);

// The Compare Cores columns the user hid, each by its title in inches (a
// title that does not change with the units); empty at first.
QStringList HiddenCompareColumns();
void SetHiddenCompareColumns(const QStringList& titles);

}  // namespace tov::qt
