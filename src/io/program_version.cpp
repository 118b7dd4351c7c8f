#include "io/program_version.h"

namespace tov {

std::string_view ProgramVersion() {
  return TOV_PROGRAM_VERSION;
}

}  // namespace tov
