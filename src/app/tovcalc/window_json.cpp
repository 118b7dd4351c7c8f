#include "app/tovcalc/window_json.h"

#include <QJsonArray>
#include <QString>
#include <array>
#include <utility>

#include "app/tovcalc/command_line.h"
#include "state/number_text.h"

namespace tov::tovcalc {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A stored 4-byte float as the decimal a user reads (20.1, not 20.100000381).
double FloatValue(float value) {
  return ParseNumber(PlainNumberText(value, 7)).value_or(0.0);
}

QJsonObject Fields(const WindowModel& w) {
  const std::array<std::pair<const char*, const TextBox*>, 28> fields = {{
      {"txtPN", &w.txtPN},           {"txtPerm", &w.txtPerm},
      {"txtAL", &w.txtAL},           {"txtAe", &w.txtAe},
      {"txtle", &w.txtle},           {"txtID", &w.txtID},
      {"txtOD", &w.txtOD},           {"txtHt", &w.txtHt},
      {"txtBobbin", &w.txtBobbin},   {"txtTurns", &w.txtTurns},
      {"txtWire", &w.txtWire},       {"txtK", &w.txtK},
      {"txtDCR", &w.txtDCR},         {"txtLOutfl", &w.txtLOutfl},
      {"txtLOutnl", &w.txtLOutnl},   {"txtRollOff", &w.txtRollOff},
      {"txtDim", &w.txtDim},         {"txtPfe", &w.txtPfe},
      {"txtPcu", &w.txtPcu},         {"txtPtot", &w.txtPtot},
      {"txtTrise", &w.txtTrise},     {"txtIdc", &w.txtIdc},
      {"txtIdelta", &w.txtIdelta},   {"txtFreq", &w.txtFreq},
      {"txtCurDens", &w.txtCurDens}, {"txtLfl", &w.txtLfl},
      {"txtLnl", &w.txtLnl},         {"txtTempInput", &w.txtTempInput},
  }};
  QJsonObject object;
  for (const auto& [name, box] : fields) object.insert(name, Q(box->text));
  return object;
}

QJsonObject Captions(const WindowModel& w) {
  const std::array<std::pair<const char*, const std::string*>, 8> captions = {{
      {"lblPfe", &w.lblPfe},
      {"lblPcu", &w.lblPcu},
      {"lblPtot", &w.lblPtot},
      {"lblID", &w.lblID},
      {"lblOD", &w.lblOD},
      {"lblHt", &w.lblHt},
      {"lblBobbin", &w.lblBobbin},
      {"lblDim", &w.lblDim},
  }};
  QJsonObject object;
  for (const auto& [name, caption] : captions) object.insert(name, Q(*caption));
  return object;
}

QString Colour(Rgb c) {
  return QString::asprintf("#%02X%02X%02X", c.r, c.g, c.b);
}

}  // namespace

QJsonObject WindowJson(const WindowModel& w, const std::vector<RecordedMessage>& messages,
                       const std::vector<std::string>& report_lines) {
  QJsonObject options;
  options.insert("material", MaterialOptionName(w.material));
  options.insert("full_load_l_max", w.mnuLfl);
  options.insert("single_layer", w.mnuSingleLayer);
  options.insert("ambient", FloatValue(w.state.AmbientTemp));
  options.insert("metric", w.state.UnitsFactor == 25.4f);
  options.insert("lnl_enabled", w.txtLnl.enabled);

  QJsonArray shown;
  for (const RecordedMessage& m : messages) {
    shown.append(QJsonObject{{"title", Q(m.title)}, {"text", Q(m.text)}});
  }
  QJsonArray report;
  for (const std::string& line : report_lines) report.append(Q(line));

  QJsonObject object;
  object.insert("design_mode", w.state.DesignMode);
  object.insert("core_row", w.state.CoreIdx);
  object.insert("strands", w.state.Strands);
  object.insert("total_loss_mw", FloatValue(w.state.TotalLoss));
  object.insert("stack", w.state.StackCount);
  object.insert("fields", Fields(w));
  object.insert("captions", Captions(w));
  object.insert("trise_colour", Colour(w.txtTrise.background));
  object.insert("options", options);
  object.insert("messages", shown);
  object.insert("report", report);
  return object;
}

}  // namespace tov::tovcalc
