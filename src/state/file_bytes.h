#pragma once
// Reading a whole data file in one go, as the program's files are read.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace tov {

// The content of a regular file, at most its first `max_bytes` bytes; nullopt
// when the path is not a regular file (a folder, a device, a pipe, which could
// block or never end) or cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::size_t max_bytes);

}  // namespace tov
