#include "app/tovcalc/window_json.h"

#include <QJsonArray>
#include <QString>

#include "app/tovcalc/command_line.h"
#include "state/number_text.h"
#include "state/window_fields.h"

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
  QJsonObject object;
  for (const OutputField& field : kOutputFields) {
    object.insert(Q(std::string(field.field)), Q((w.*field.box).text));
  }
  for (const InputField& field : kInputFields) {
    object.insert(Q(std::string(field.field)), Q((w.*field.box).text));
  }
  return object;
}

QJsonObject Captions(const WindowModel& w) {
  QJsonObject object;
  for (const OutputField& field : kOutputFields) {
    if (field.live_caption) object.insert(Q(std::string(field.label)), Q(w.*field.live_caption));
  }
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
  options.insert("metric", w.state.metric);
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
