#include "app/tovcalc/design_actions.h"

#include "app/tovcalc/design_csv.h"
#include "app/tovcalc/design_json.h"
#include "app/tovcalc/json_writer.h"
#include "ui/logic/report.h"

namespace tov::tovcalc {

void DesignJsonLines::Refused(std::string& out, const BatchItem& item, int status,
                              const std::string& error) {
  WriteRefusal(out, item, status, error);
}

void DesignJsonLines::WriteRefusal(std::string& out, const BatchItem& item, int status,
                                   const std::string& error) {
  JsonWriter json(out, JsonLayout::Compact);
  json.BeginObject();
  json.Key("error");
  json.String(error);
  json.Key("line");
  json.Int(item.line);
  json.Key("request");
  WriteRequestJson(json, {item.line, &item.options});
  json.Key("status");
  json.Int(status);
  json.EndObject();
  json.Flush();
  out.push_back('\n');
}

int DesignJsonLines::Run(std::string& out, const BatchItem& item, const Settings& settings) {
  const RunOutcome outcome = designer_.Run(settings);
  if (!outcome.error.empty()) {
    Refused(out, item, outcome.status, outcome.error);
    return outcome.status;
  }
  const RequestEcho echo{item.line, &item.options};
  JsonWriter json(out, JsonLayout::Compact);
  if (settings.report) {
    const std::vector<std::string> report = RenderReportText(BuildReport(designer_.Form().Model()));
    WriteDesignJson(json, designer_.Form(), designer_.Ui().Messages(), &echo, &report);
  } else {
    WriteDesignJson(json, designer_.Form(), designer_.Ui().Messages(), &echo, nullptr);
  }
  json.Flush();
  out.push_back('\n');
  return StrictStatus(settings, designer_.Form(), outcome.status);
}

void CandidateJsonLines::Refused(std::string& out, const BatchItem& item, int status,
                                 const std::string& error) {
  DesignJsonLines::WriteRefusal(out, item, status, error);
}

int CandidateJsonLines::Run(std::string& out, const BatchItem& item, const Settings& settings) {
  const RunOutcome outcome = designer_.Run(settings);
  if (!outcome.error.empty()) {
    Refused(out, item, outcome.status, outcome.error);
    return outcome.status;
  }
  CandidateOptions options = settings.candidates.value_or(options_);
  options.format = CandidateFormat::Json;
  options.batch_line = item.line;
  const CandidateComparison compared(designer_.Form().Request(), cores_, options);
  compared.Write(out);
  return compared.Status();
}

void DesignCsvLines::Header(std::string& out) {
  AppendCsvHeader(out);
}

void DesignCsvLines::Refused(std::string& out, const BatchItem& item, int status,
                             const std::string& error) {
  AppendCsvLine(out, item.line, item.given, status, error, nullptr, nullptr);
}

int DesignCsvLines::Run(std::string& out, const BatchItem& item, const Settings& settings) {
  const RunOutcome outcome = designer_.Run(settings);
  if (!outcome.error.empty()) {
    Refused(out, item, outcome.status, outcome.error);
  } else {
    AppendCsvLine(out, item.line, item.given, outcome.status, {}, &designer_.Form(),
                  &designer_.Ui().Messages());
  }
  return outcome.error.empty() ? StrictStatus(settings, designer_.Form(), outcome.status)
                               : outcome.status;
}

}  // namespace tov::tovcalc
