#pragma once
// Saving an export of a design (a PDF, a picture, a table, a SPICE model):
// as every file is saved, and never over the design file it was made from.

#include <filesystem>
#include <string>
#include <string_view>

namespace tov {

// What SaveExport answers when `file` is the design file itself.
inline constexpr const char* kExportOverDesignFile =
    "That is the design file the export was made from; choose another name.";

// Makes `bytes` the content of `file` as AtomicSave does, unless `file` is
// (by this name, a symbolic link or a hard link) the file `design_file`
// (empty: none). Returns the empty text on success, otherwise why nothing
// was written, as a sentence for the user.
std::string SaveExport(const std::filesystem::path& file, std::string_view bytes,
                       const std::filesystem::path& design_file);

}  // namespace tov
