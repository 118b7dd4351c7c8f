#pragma once
// The text of the help pages, for searching them.

#include <QString>
#include <vector>

#include "ui/logic/help_search.h"

namespace tov::qt {

// Every *.html page of `help_dir` as plain text with its title (the file name
// when it has none), in file-name order; an unreadable page is left out.
std::vector<HelpPageText> LoadHelpPages(const QString& help_dir);

}  // namespace tov::qt
