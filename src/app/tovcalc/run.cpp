#include "app/tovcalc/run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <cmath>
#include <cstdio>

#include "app/tovcalc/curve_output.h"
#include "app/tovcalc/recording_ui.h"
#include "app/tovcalc/window_json.h"
#include "io/design_file.h"
#include "io/report.h"
#include "state/core_table_loader.h"
#include "state/number_text.h"
#include "state/validation.h"
#include "ui/logic/apply_design_file.h"
#include "ui/logic/frm_tov.h"

namespace tov::tovcalc {
namespace {

void Write(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

void Error(const std::string& text) {
  Write(stderr, "tovcalc: " + text + "\n");
}

void WriteJson(const QJsonObject& object) {
  const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

// The design to run: the selected-core design on `row`, or the automatic search.
struct DesignChoice {
  bool selected_core = false;
  int16_t row = 0;
};

void SetText(TextBox& box, const std::optional<std::string>& text) {
  if (text) box.text = *text;
}

// The options override whatever the design file set, the material first.
void ApplyOptions(FrmTov& form, const Settings& s) {
  WindowModel& w = form.Model();
  if (s.material) form.SelectMaterial(*s.material);
  SetText(w.txtIdc, s.txtIdc);
  SetText(w.txtIdelta, s.txtIdelta);
  SetText(w.txtFreq, s.txtFreq);
  SetText(w.txtCurDens, s.txtCurDens);
  SetText(w.txtLfl, s.txtLfl);
  SetText(w.txtLnl, s.txtLnl);
  SetText(w.txtTempInput, s.txtTempInput);
  if (s.stack) w.state.StackCount = *s.stack;
  if (s.ambient) SetAmbientTemp(w.state, *s.ambient);
  if (s.single_layer) w.mnuSingleLayer = *s.single_layer;
  if (s.full_load_l_max) w.mnuLfl = *s.full_load_l_max;
}

void PrintCoreList(FrmTov& form, bool json) {
  form.cmdSelCore_Click();
  const WindowModel& w = form.Model();
  QJsonArray cores;
  std::string text;
  for (std::size_t p = 0; p < w.lstCores.size(); ++p) {
    const int16_t row = ListPositionToRow(w.material, static_cast<int16_t>(p));
    cores.append(QJsonObject{{"row", row}, {"text", QString::fromStdString(w.lstCores[p])}});
    text += std::to_string(row) + "\t" + w.lstCores[p] + "\n";
  }
  if (json) {
    WriteJson({{"material", MaterialOptionName(w.material)}, {"cores", cores}});
  } else {
    Write(stdout, text);
  }
}

// Runs the chosen design. The core picked becomes CoreIdx, as a pick in the
// core list makes it. Millimetres are chosen as the window's units switch
// does it, which re-runs the design named by DesignMode and CoreIdx.
void RunDesign(FrmTov& form, DesignChoice choice, bool metric) {
  WindowModel& w = form.Model();
  if (choice.selected_core) w.state.CoreIdx = choice.row;
  if (metric) {
    w.state.DesignMode = choice.selected_core ? 1 : 0;
    form.mnuDimMet_Click();
  } else if (choice.selected_core) {
    form.DesignSelectedCore(choice.row);
  } else {
    form.cmdCalculate_Click();
  }
}

}  // namespace

std::optional<int16_t> ResolveCore(const CoreTable& cores, Material material,
                                   const std::string& core, std::string& error) {
  const MaterialSection section = SectionOf(material);
  const std::string range =
      "rows " + std::to_string(section.first_row) + " to " + std::to_string(section.last_core_row);
  const std::optional<double> number = ParseNumber(core);
  if (number && *number == std::floor(*number) && CoreTable::IsRow(static_cast<int>(*number))) {
    const int row = static_cast<int>(*number);
    if (section.HoldsCore(row)) return static_cast<int16_t>(row);
    error = "Row " + std::to_string(row) + " is not a core of material " +
            MaterialOptionName(material) + " (its cores are " + range + ").";
    return std::nullopt;
  }
  const QString wanted = QString::fromStdString(core).trimmed();
  for (int row = section.first_row; row <= section.last_core_row; ++row) {
    std::string name = cores.Cell(row, CoreColumn::PartNo).Display();
    if (!IsECore(material)) name += cores.Cell(row, CoreColumn::PartSuffix).Display();
    if (QString::fromStdString(name).compare(wanted, Qt::CaseInsensitive) == 0) {
      return static_cast<int16_t>(row);
    }
  }
  error = "No core of material " + std::string(MaterialOptionName(material)) +
          " has the part number \"" + core + "\" (see --list).";
  return std::nullopt;
}

int Run(const Settings& s, const std::filesystem::path& program_dir) {
  const std::filesystem::path coredat =
      s.coredat ? std::filesystem::path(*s.coredat) : program_dir / kCoreDatabaseName;
  const CoreTableLoad load = LoadCoreTable(coredat);
  if (!load.table) {
    Error(MessageLine("Core Database", load.error));
    return kUnreadableFile;
  }

  RecordingUi ui(!s.json);
  FrmTov form(*load.table, ui);
  WindowModel& w = form.Model();
  ApplyStartupDefaults(w);

  // Settings are applied as a design file is opened: a material change
  // starts no design of its own.
  w.state.LoadingDesign = 1;
  DesignChoice choice;
  if (s.design_file) {
    const std::optional<std::string> bytes = ReadFileBytes(*s.design_file);
    const std::optional<DesignFileRecord> record = bytes ? ReadDesignFile(*bytes) : std::nullopt;
    if (!record || !DesignFileFits(*record, w.material)) {
      Error(*s.design_file + " is not a readable design file.");
      return kUnreadableFile;
    }
    ApplyDesignFile(form, *record);
    choice = {record->DesignMode != 0, record->CoreIdx};
  }
  ApplyOptions(form, s);
  if (s.core) {
    std::string error;
    const std::optional<int16_t> row = ResolveCore(form.Cores(), w.material, *s.core, error);
    if (!row) {
      Error(error);
      return kUsageError;
    }
    choice = {true, *row};
  } else if (choice.selected_core && !SectionOf(w.material).HoldsCore(choice.row)) {
    Error("The design file's core (row " + std::to_string(choice.row) +
          ") is not a core of material " + MaterialOptionName(w.material) +
          "; name one with --core or leave --material out.");
    return kUsageError;
  }
  w.state.LoadingDesign = 0;

  if (s.list) {
    PrintCoreList(form, s.json);
    return kDesignShown;
  }

  // No one can answer an input box here: inputs the window would ask for
  // again are refused before any design runs.
  if (const std::optional<InputPrompt> prompt = FirstInputPrompt(w)) {
    Error(MessageLine(prompt->title, prompt->prompt));
    return kUsageError;
  }
  try {
    RunDesign(form, choice, s.metric);
  } catch (const InputDemanded& demanded) {
    Error(MessageLine(demanded.title, demanded.prompt));
    return kUsageError;
  }

  const std::vector<std::string> report = RenderReportText(BuildReport(w));
  if (s.curve) {
    const std::optional<std::string> csv = CurveOutput(form, *s.curve);
    if (!csv) {
      Error("No design is shown, so there is no curve to print.");
      return kTooLarge;
    }
    Write(stdout, *csv);
  } else if (s.json) {
    WriteJson(WindowJson(w, ui.Messages(), report));
  } else {
    std::string text;
    for (const std::string& line : report) text += line + "\n";
    Write(stdout, text);
  }

  int status = form.ShowsTooLarge() ? kTooLarge : kDesignShown;
  if (s.save) {
    const std::string failure = ReplaceFileContents(*s.save, WriteDesignFile(RecordFromWindow(w)));
    if (!failure.empty()) {
      Error("The design could not be saved as " + *s.save + ": " + failure);
      status = kUnreadableFile;
    }
  }
  return status;
}

}  // namespace tov::tovcalc
