#include "io/export_save.h"

#include <sys/stat.h>

#include "io/atomic_save.h"

namespace tov {

std::string SaveExport(const std::filesystem::path& file, std::string_view bytes,
                       const std::filesystem::path& design_file) {
  struct stat target, design;
  if (!design_file.empty() && stat(file.c_str(), &target) == 0 &&
      stat(design_file.c_str(), &design) == 0 && target.st_dev == design.st_dev &&
      target.st_ino == design.st_ino) {
    return kExportOverDesignFile;
  }
  return AtomicSave(file, bytes);
}

}  // namespace tov
