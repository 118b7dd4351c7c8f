#pragma once
// tovcalc's MAS options: --from-mas FILE fills the inputs the command line
// does not give from a MAS document, --mas FILE writes the design shown as one.

#include <string>

#include "app/tovcalc/command_line.h"
#include "ui/logic/design_controller.h"

namespace tov::tovcalc {

// Puts the inputs of the document named by --from-mas into `given` where the
// command line gives none. Returns the empty text, or why the document is
// refused; `note` says which options the document set ("--idc 10 ...").
std::string TakeMasInputs(GivenOptions& given, std::string& note);

// --mas FILE: the document of the design shown, saved atomically and never
// over `design_file` (the design file given, or empty). Returns the
// run's status, or the failure's (kTooLarge without a document to write,
// kUnreadableFile when it cannot be written).
int WriteMasDocument(const DesignController& form, const std::string& file,
                     const std::string& design_file, int status);

}  // namespace tov::tovcalc
