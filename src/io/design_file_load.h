#pragma once
// Reading a design file from disk, with the reason when it cannot be used.

#include <cstddef>
#include <filesystem>

#include "io/design_file.h"

namespace tov {

// A design file is a few hundred bytes: only its first megabyte is read, so
// that a wrong pick such as a huge file cannot exhaust memory.
inline constexpr std::size_t kDesignFileReadLimit = 1 << 20;

// The record of the design file `file`, or why there is none: it does not
// exist, may not be read, is a folder or another file that is not a regular
// file (refused without waiting on it), cannot be read, or is not what a
// design file holds (ReadDesignFile names the first wrong record).
DesignFileRead LoadDesignFile(const std::filesystem::path& file);

}  // namespace tov
