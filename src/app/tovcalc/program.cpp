#include "app/tovcalc/program.h"

#include <cstdio>
#include <optional>

#include "app/data_location.h"
#include "app/tovcalc/batch_run.h"
#include "app/tovcalc/command_line.h"
#include "app/tovcalc/converter_options.h"
#include "app/tovcalc/curve_output.h"
#include "app/tovcalc/design_actions.h"
#include "app/tovcalc/design_json.h"
#include "app/tovcalc/json_writer.h"
#include "app/tovcalc/mas_options.h"
#include "app/tovcalc/run.h"
#include "io/atomic_save.h"
#include "io/design_file.h"
#include "io/design_file_load.h"
#include "io/export_save.h"
#include "state/core_table_loader.h"
#include "ui/logic/apply_design_file.h"
#include "ui/logic/report.h"

namespace tov::tovcalc {
namespace {

void Error(const std::string& text) {
  const std::string line = "tovcalc: " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

void WriteCoreList(const WindowModel& w, bool json, StandardOutput& out) {
  std::string& text = out.Buffer();
  if (!json) {
    for (std::size_t p = 0; p < w.core_list.size(); ++p) {
      text += std::to_string(ListPositionToRow(w.material, static_cast<int16_t>(p)));
      text.append("\t").append(w.core_list[p]).append("\n");
    }
    return;
  }
  JsonWriter writer(text, JsonLayout::Indented);
  writer.BeginObject();
  writer.Key("cores");
  writer.BeginArray();
  for (std::size_t p = 0; p < w.core_list.size(); ++p) {
    writer.BeginObject();
    writer.Key("row");
    writer.Int(ListPositionToRow(w.material, static_cast<int16_t>(p)));
    writer.Key("text");
    writer.String(w.core_list[p]);
    writer.EndObject();
  }
  writer.EndArray();
  writer.Key("material");
  writer.String(MaterialOptionName(w.material));
  writer.EndObject();
}

// --spice FILE: the SPICE model of the design shown, saved atomically and
// never over `design_file` (the design file given, or empty). Returns the
// run's status, or the failure's.
int WriteSpiceModel(const DesignController& form, const std::string& file,
                    const std::string& design_file, int status) {
  const std::optional<std::string> model = form.SpiceModelText();
  if (!model) {
    Error(form.ShownDesign() ? "The design shown has no inductance to model, so no SPICE model "
                               "was written."
                             : "No design is shown, so there is no SPICE model to write.");
    return status == kDesignShown ? kTooLarge : status;
  }
  const std::string failure = SaveExport(file, *model, design_file);
  if (!failure.empty()) {
    Error("The SPICE model could not be written as " + file + ": " + failure);
    return kUnreadableFile;
  }
  return status;
}

// One request: the report, the JSON object or the core list, and the save.
int RunSingle(const Settings& s, const CoreTable& cores, const DesignFileRecord* design_file,
              StandardOutput& out) {
  Designer designer(cores, design_file, !s.json);
  const RunOutcome outcome = designer.Run(s);
  if (!outcome.error.empty()) {
    Error(outcome.error);
    return outcome.status;
  }
  const WindowModel& w = designer.Form().Model();
  if (s.candidates) {
    const CandidateComparison compared(designer.Form().Request(), cores, *s.candidates);
    if (!s.json) {
      // The boxes a design run would show, as a single run echoes them.
      for (const Notice& notice : compared.Notices()) {
        const std::string line = MessageLine(notice.title, notice.text) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
      }
    }
    compared.Write(out);
    return compared.Status();
  }
  if (s.list) {
    WriteCoreList(w, s.json, out);
    return kDesignShown;
  }
  if (s.curve) {
    const std::optional<std::string> csv = CurveOutput(designer.Form(), *s.curve);
    if (!csv) {
      Error("No design is shown, so there is no curve to print.");
      return kTooLarge;
    }
    out.Buffer() += *csv;
    return s.spice ? WriteSpiceModel(designer.Form(), *s.spice, s.design_file.value_or(""),
                                     outcome.status)
                   : outcome.status;
  }
  const std::vector<std::string> report = RenderReportText(BuildReport(w));
  const ConverterRun converter = RunConverter(s, designer.Form());
  if (!converter.error.empty()) Error(converter.error);
  if (s.json) {
    JsonWriter json(out.Buffer(), JsonLayout::Indented);
    WriteDesignJson(json, designer.Form(), designer.Ui().Messages(), nullptr,
                    s.report ? &report : nullptr, converter.json);
  } else {
    out.Buffer() += converter.text;
    for (const std::string& line : report) out.Buffer().append(line).push_back('\n');
  }
  WriteCheckNotes(designer.Form());
  int status =
      converter.error.empty() ? StrictStatus(s, designer.Form(), outcome.status) : kUnreadableFile;
  if (s.save) {
    const std::string failure = AtomicSave(*s.save, WriteDesignFile(RecordFromWindow(w)));
    if (!failure.empty()) {
      Error("The design could not be saved as " + *s.save + ": " + failure);
      status = kUnreadableFile;
    }
  }
  if (s.spice)
    status = WriteSpiceModel(designer.Form(), *s.spice, s.design_file.value_or(""), status);
  if (s.mas) status = WriteMasDocument(designer.Form(), *s.mas, s.design_file.value_or(""), status);
  return status;
}

}  // namespace

int RunProgram(const std::vector<std::string>& arguments, const std::filesystem::path& program_dir,
               StandardOutput& out) {
  ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (!parsed.help_text.empty()) {
    out.Write(parsed.help_text);
    return kDesignShown;
  }
  if (parsed.settings && parsed.settings->from_mas) {
    std::string note;
    if (const std::string refused = TakeMasInputs(parsed.given, note); !refused.empty()) {
      Error(refused);
      return kUnreadableFile;
    }
    if (!note.empty()) Error("from " + *parsed.settings->from_mas + ": " + note);
    SettingsOrError read = ReadSettings(parsed.given);
    parsed.settings = std::move(read.settings);
    parsed.error = std::move(read.error);
  }
  if (!parsed.settings) {
    Error(parsed.error + "\nTry 'tovcalc --help'.");
    return kUsageError;
  }
  const Settings& s = *parsed.settings;

  const std::filesystem::path coredat =
      s.coredat ? std::filesystem::path(*s.coredat) : LocateData(program_dir, kCoreDatabaseName);
  const CoreTableLoad load = LoadCoreTable(coredat);
  if (!load.table) {
    Error(MessageLine("Core Database", load.error));
    return kUnreadableFile;
  }

  // Every request starts from the design file, applied as Open Design
  // applies it to the window at start-up.
  std::optional<DesignFileRecord> record;
  if (s.design_file) {
    const DesignFileRead read = LoadDesignFile(*s.design_file);
    record = read.record;
    if (!record || !DesignFileFits(*record, WindowModel{}.material)) {
      Error(*s.design_file + " is not a readable design file." + (record ? "" : " " + read.error));
      return kUnreadableFile;
    }
  }
  const DesignFileRecord* design_file = record ? &*record : nullptr;

  if (s.Many()) {
    if (s.candidates) {
      CandidateJsonLines action(*load.table, design_file, *s.candidates);
      return RunBatch(s, parsed.given, action, out);
    }
    if (s.csv) {
      DesignCsvLines action(*load.table, design_file);
      return RunBatch(s, parsed.given, action, out);
    }
    DesignJsonLines action(*load.table, design_file);
    return RunBatch(s, parsed.given, action, out);
  }
  return RunSingle(s, *load.table, design_file, out);
}

}  // namespace tov::tovcalc
