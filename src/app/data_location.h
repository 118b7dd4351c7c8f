#pragma once
// Where the programs find their data, the core database and the help pages:
// beside the program (a build tree), then in share/<package> of the prefix
// the program is installed in (bin/../share/<package>), then in
// /usr/share/<package>.

#include <filesystem>
#include <string>
#include <vector>

namespace tov {

// The folders searched, in that order, without repeats.
std::vector<std::filesystem::path> DataFolders(const std::filesystem::path& program_dir);

// `name` (a file or a folder) in the first data folder that holds it; the
// path beside the program when none does.
std::filesystem::path LocateData(const std::filesystem::path& program_dir, const std::string& name);

// A message for the user that `name`, which holds `what` ("the core
// database"), is in none of the data folders, naming every path looked at.
// Line breaks are "\r".
std::string DataNotFoundMessage(const std::filesystem::path& program_dir, const std::string& name,
                                const std::string& what);

}  // namespace tov
