#pragma once
// What a file that is not a regular file is, in the words of a message.

#include <sys/types.h>

#include <string>

namespace tov {

// "a folder", "a named pipe", "a device", "a socket" or "a special file",
// from the st_mode of a file that is not a regular file.
std::string NonRegularFileKind(mode_t mode);

// The reason a file that could not be opened or written gives the user: the
// system's text for the error number with a full stop ("Permission denied.").
std::string ErrorText(int error);

}  // namespace tov
