#include "ui/logic/mas_exchange.h"

#include <optional>

#include "engines/curves.h"
#include "io/export_save.h"
#include "state/file_bytes.h"
#include "state/message_titles.h"
#include "state/number_text.h"
#include "ui/logic/design_controller.h"
#include "ui/logic/window_fields.h"

namespace tov {
namespace {

std::string NotExportedText(const std::string& path, const std::string& reason) {
  return "The MAS document could not be written as\r" + path + "\r\r" + reason +
         "\rAn existing file of that name has not been changed.";
}

std::string RefusedText(const std::string& path, const std::string& reason) {
  return "The file\r" + path + "\rgives no inputs this program can use.\r" + reason +
         "\r\rThe inputs have not been changed.";
}

// What the import took from the file and what it kept.
std::string ImportedText(const std::string& path, const DesignController& form,
                         const MasInputs& inputs) {
  std::string taken, kept;
  for (std::size_t k = 0; k < kInputFields.size(); ++k) {
    const InputField& field = kInputFields[k];
    if (inputs.value[k]) {
      taken.append(field.caption).append(": ").append((form.Model().*field.box).text).append("\r");
    } else {
      kept.append(kept.empty() ? "" : ", ").append(field.caption);
    }
  }
  std::string text = "From\r";
  text.append(path).append("\r\r").append(taken).append("\rKept as they were: ").append(kept);
  return text.append(".\r\rPress Calculate to design the choke.");
}

}  // namespace

MasExportResult ShownDesignMas(const DesignController& form) {
  const std::optional<DesignResult>& design = form.ShownDesign();
  if (!design) return {{}, "No design is shown, so there is no MAS document to write."};
  MasExportInput input;
  input.request = form.Request();
  input.design = *design;
  input.core = MasCoreRowOf(form.Cores(), design->row, design->e_core);
  input.worst = *form.ShownWorstCase();
  input.rolloff = RollOffSamplesOf(PermeabilityCurve(*design, form.Cores()), *design);
  return ExportMas(input);
}

MasImport ReadMasFile(const std::string& path) {
  const std::optional<std::string> bytes = ReadFileBytes(path, kMasMaxBytes + 1);
  if (!bytes) return {std::nullopt, "The file cannot be read."};
  return ImportMas(*bytes);
}

std::vector<std::string_view> ApplyMasInputs(DesignController& form, const MasInputs& inputs) {
  std::vector<std::string_view> filled;
  bool changed = false;
  for (std::size_t k = 0; k < kInputFields.size(); ++k) {
    if (!inputs.value[k]) continue;
    TextBox& box = form.Model().*kInputFields[k].box;
    const std::string text = PlainNumberText(*inputs.value[k], 15);
    changed = changed || box.text != text;
    box.text = text;
    filled.push_back(kInputFields[k].caption);
  }
  if (changed) form.InputEdited();
  return filled;
}

void ExportMasFile(DesignController& form) {
  const MasExportResult document = ShownDesignMas(form);
  if (document.text.empty()) {
    form.User().ShowMessage(kExportMasTitle, document.reason);
    return;
  }
  FileDialogRequest request;
  request.filter = "MAS Documents (*.json)|*.json|All Files (*.*)|*.*";
  request.filter_index = 1;
  request.default_extension = ".json";
  request.confirm_overwrite = true;
  request.title = kExportMasTitle;
  const std::optional<std::string> path = form.User().ChooseSaveFile(request);
  if (!path) return;
  const std::string failure = SaveExport(*path, document.text, form.DesignFile());
  if (!failure.empty()) form.User().ShowMessage(kExportMasTitle, NotExportedText(*path, failure));
}

void ImportMasFile(DesignController& form) {
  FileDialogRequest request;
  request.filter = "MAS Documents (*.json)|*.json|All Files (*.*)|*.*";
  request.filter_index = 1;
  request.title = kImportMasTitle;
  const std::optional<std::string> path = form.User().ChooseOpenFile(request);
  if (!path) return;
  const MasImport read = ReadMasFile(*path);
  if (!read.inputs) {
    form.User().ShowMessage(kImportMasTitle, RefusedText(*path, read.reason));
    return;
  }
  ApplyMasInputs(form, *read.inputs);
  form.User().ShowMessage(kImportMasTitle, ImportedText(*path, form, *read.inputs));
}

}  // namespace tov
