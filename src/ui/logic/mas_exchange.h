#pragma once
// Exchanging the design with other magnetics tools as a MAS document:
// File > Export MAS... writes the design shown, File > Import MAS... fills the
// inputs from a document. tovcalc's --mas and --from-mas use the same code.

#include <string>
#include <string_view>
#include <vector>

#include "io/mas_export.h"
#include "io/mas_import.h"

namespace tov {

class DesignController;

// The document of the design shown, made from the window's inputs, the
// design, its core row, its worst case and its roll-off curve; refused
// (with the reason) without a design or when the inputs changed since.
MasExportResult ShownDesignMas(const DesignController& form);

// The inputs of the MAS document in the file `path`, or why it is refused.
MasImport ReadMasFile(const std::string& path);

// Puts the inputs the document gives into the input fields (as plain number
// texts) and marks the design shown as stale when one changed; the others
// keep their texts. Returns the captions of the fields filled, in the
// window's order.
std::vector<std::string_view> ApplyMasInputs(DesignController& form, const MasInputs& inputs);

// File > Export MAS...: asks for a .json file and writes the document of the
// design shown there; a refusal or a failure is told in a box.
void ExportMasFile(DesignController& form);

// File > Import MAS...: asks for a document, fills the inputs it gives and
// says which came from the file; a document it cannot use is refused in a
// box with the reason, nothing changed.
void ImportMasFile(DesignController& form);

}  // namespace tov
