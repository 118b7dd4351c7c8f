#include "app/tovcalc/mas_options.h"

#include <array>
#include <cstdio>

#include "io/export_save.h"
#include "state/number_text.h"
#include "ui/logic/mas_exchange.h"

namespace tov::tovcalc {
namespace {

// The option of each input of a document, in the order of MasInputs.
constexpr std::array<OptionId, kMasInputCount> kInputOptions = {
    OptionId::Idc, OptionId::Ripple, OptionId::Freq, OptionId::Density,
    OptionId::Lfl, OptionId::Lnl,    OptionId::Trise};

void Error(const std::string& text) {
  const std::string line = "tovcalc: " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace

std::string TakeMasInputs(GivenOptions& given, std::string& note) {
  const std::string& file = *given[OptionId::FromMas];
  const MasImport read = ReadMasFile(file);
  if (!read.inputs) return file + ": " + read.reason;
  for (std::size_t k = 0; k < kInputOptions.size(); ++k) {
    const OptionId option = kInputOptions[k];
    if (!read.inputs->value[k] || given.Has(option)) continue;
    given[option] = PlainNumberText(*read.inputs->value[k], 15);
    note += (note.empty() ? "" : " ") + std::string("--") + std::string(EntryOf(option).name) +
            " " + *given[option];
  }
  return {};
}

int WriteMasDocument(const DesignController& form, const std::string& file,
                     const std::string& design_file, int status) {
  const MasExportResult document = ShownDesignMas(form);
  if (document.text.empty()) {
    Error(document.reason + " No MAS document was written.");
    return status == kDesignShown ? kTooLarge : status;
  }
  const std::string failure = SaveExport(file, document.text, design_file);
  if (!failure.empty()) {
    Error("The MAS document could not be written as " + file + ": " + failure);
    return kUnreadableFile;
  }
  return status;
}

}  // namespace tov::tovcalc
