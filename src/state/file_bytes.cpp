#include "state/file_bytes.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace tov {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file, std::size_t max_bytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::FILE* in = std::fopen(file.c_str(), "rb");
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  while (bytes.size() < max_bytes) {
    const std::size_t wanted = std::min(sizeof buffer, max_bytes - bytes.size());
    const std::size_t got = std::fread(buffer, 1, wanted, in);
    bytes.append(buffer, got);
    if (got < wanted) break;
  }
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (failed) return std::nullopt;
  return bytes;
}

}  // namespace tov
