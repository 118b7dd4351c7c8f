#pragma once
// File-dialog filters: the program's "Description|pattern|Description|pattern"
// list in the form the Qt file dialog takes.

#include <QStringList>
#include <string_view>

namespace tov::qt {

// One Qt name filter per description and pattern pair, e.g.
// "All Files (*.*)|*.*|DC Inductor Files (*.tov)|*.tov" gives
// "All Files (*)" and "DC Inductor Files (*.tov)". A pattern list may hold
// several patterns separated by ";"; "*.*" means every file, also those
// without a dot in their name. A description without a pattern is dropped.
QStringList QtNameFilters(std::string_view filter);

}  // namespace tov::qt
