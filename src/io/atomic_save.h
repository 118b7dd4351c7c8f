#pragma once
// Saving a file so that it holds either its old content or all of the new
// one, also when the save fails, the program is killed or the power fails.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tov {

// How a save goes about it; the defaults are the program's. Tests take the
// named temporary file and stop a save half-way.
struct AtomicSaveOptions {
  // false: a named temporary file even where the file system offers an unnamed one
  bool unnamed_temporary = true;
  // runs once the new content is written and on disk, before it takes the file's place
  std::function<void()> before_replace;
};

// Makes `bytes` the content of `file`. The new content goes to a temporary
// file in the same folder, is flushed to disk and then renamed over the file,
// so that the file holds its old content until the new one is complete; the
// folder is flushed after the rename. Where the file system allows it, the
// temporary file has no name until it is complete, so that a killed save
// leaves nothing behind; a named one is removed on every failure, and one
// left by a killed save is removed by the next save of the same file.
// - A symbolic link is followed and kept; a dangling one creates its target.
// - An existing file keeps its mode and, where permitted, its owner and group.
// - A file with several hard links, or one in a folder that takes no new
//   file, is written where it stands (which cannot be atomic); a failure then
//   puts the old content back as far as it can.
// - Refused with nothing changed: a name that is a folder, a named pipe, a
//   device or a socket; a read-only file (write permission for no one); a
//   file the user may not write.
// Returns the empty text on success, otherwise why it failed as a sentence
// for the user ("Permission denied."); the file is then as it was.
std::string AtomicSave(const std::filesystem::path& file, std::string_view bytes,
                       const AtomicSaveOptions& options = {});

}  // namespace tov
