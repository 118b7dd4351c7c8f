#include "app/data_location.h"

#include <algorithm>
#include <system_error>

namespace tov {

std::vector<std::filesystem::path> DataFolders(const std::filesystem::path& program_dir) {
  const std::filesystem::path candidates[] = {
      program_dir,
      program_dir / ".." / "share" / TOV_DATA_PACKAGE,
      std::filesystem::path("/usr/share") / TOV_DATA_PACKAGE,
  };
  std::vector<std::filesystem::path> folders;
  for (const std::filesystem::path& candidate : candidates) {
    const std::filesystem::path folder = candidate.lexically_normal();
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  }
  return folders;
}

std::filesystem::path LocateData(const std::filesystem::path& program_dir,
                                 const std::string& name) {
  const std::vector<std::filesystem::path> folders = DataFolders(program_dir);
  for (const std::filesystem::path& folder : folders) {
    std::error_code error;
    if (std::filesystem::exists(folder / name, error)) return folder / name;
  }
  return folders.front() / name;
}

std::string DataNotFoundMessage(const std::filesystem::path& program_dir, const std::string& name,
                                const std::string& what) {
  std::string text =
      "The file \"" + name + "\", " + what + ", was not found. The program looked for it at:\r";
  for (const std::filesystem::path& folder : DataFolders(program_dir)) {
    text += (folder / name).string() + "\r";
  }
  return text + "The program cannot run without it; reinstalling the program brings it back.";
}

}  // namespace tov
