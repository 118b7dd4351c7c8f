#include "ui/qt/pdf_export_command.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <string>

#include "state/core_table_loader.h"
#include "ui/logic/design_controller.h"
#include "ui/qt/design_pdf.h"

namespace tov::qt {
namespace {

constexpr const char* kOption = "--export-pdf";

void Error(const QString& text) {
  std::fprintf(stderr, "tovdesign: %s\n", text.toLocal8Bit().constData());
}

// The user of a run without a window: the open dialog answers with the
// design file, message boxes go to standard error, and an input box is
// answered with what it offers while the run is marked as one that needed
// an answer (so that no re-prompt can spin and no PDF is written of it).
class HeadlessUi : public UserInterface {
 public:
  explicit HeadlessUi(std::string design_path) : design_path_(std::move(design_path)) {}
  bool Asked() const { return asked_; }

  void ShowMessage(std::string_view title, std::string_view text) override {
    std::string line = std::string(title) + ": " + std::string(text);
    for (char& c : line) {
      if (c == '\r') c = '\n';
    }
    std::fprintf(stderr, "%s\n", line.c_str());
  }
  std::string AskInput(std::string_view prompt, std::string_view title,
                       std::string_view default_answer) override {
    if (!asked_) ShowMessage(title, prompt);
    asked_ = true;
    return std::string(default_answer);
  }
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override {
    return design_path_;
  }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override { return {}; }
  void PrintReport(const ReportDocument&) override {}
  void ShowHelp(HelpRequest) override {}

 private:
  std::string design_path_;
  bool asked_ = false;
};

}  // namespace

bool AsksForPdfExport(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kOption, std::strlen(kOption)) == 0) return true;
  }
  return false;
}

int ExportDesignPdf(const CoreTable& cores, const QString& design_path, const QString& pdf_path) {
  HeadlessUi ui(design_path.toStdString());
  DesignController frm(cores, ui);
  ApplyStartupDefaults(frm.Model());
  frm.ChooseAndOpenDesign();
  if (frm.DesignFile().empty()) return kPdfUnreadableFile;  // Open Design said why
  if (ui.Asked()) {
    Error(design_path + ": an input of the design file is not acceptable; open it in the " +
          "window to answer, or correct it. No PDF was written.");
    return kPdfUsageError;
  }
  const QString problem = WriteDesignPdf(frm, pdf_path, QDateTime::currentDateTime());
  if (!problem.isEmpty()) {
    Error("The PDF could not be written as " + pdf_path + ": " + problem);
    return kPdfUnreadableFile;
  }
  return frm.ShowsTooLarge() ? kPdfOfTooLarge : kPdfWritten;
}

int RunPdfExport(int argc, char** argv, DataLocator locate) {
  // No window is shown: no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName("tovdesign");

  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Designs DESIGN.tov as Open Design does and writes the design's report, inputs,\n"
      "options and inductance curve as a PDF file, without showing a window.\n"
      "Message boxes go to standard error as \"Title: text\".\n"
      "Exit status: 0 the PDF was written; 1 written, but no core is large enough\n"
      "(\"Too Large\"); 2 a usage error or an input the window would ask for again;\n"
      "3 the core database or the design file could not be read, or the PDF not written.");
  parser.addHelpOption();
  const QCommandLineOption out("export-pdf", "Write the PDF to OUT.pdf.", "OUT.pdf");
  parser.addOption(out);
  parser.addPositionalArgument("DESIGN.tov", "The design file.");
  if (!parser.parse(QApplication::arguments())) {
    Error(parser.errorText());
    return kPdfUsageError;
  }
  if (parser.isSet("help")) {
    std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
    return kPdfWritten;
  }
  if (parser.positionalArguments().size() != 1 || parser.value(out).isEmpty()) {
    Error("use: tovdesign --export-pdf OUT.pdf DESIGN.tov");
    return kPdfUsageError;
  }

  const std::filesystem::path program_dir =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  const CoreTableLoad load = LoadCoreTable(locate(program_dir, kCoreDatabaseName));
  if (!load.table) {
    std::string text = load.error;
    for (char& c : text) {
      if (c == '\r') c = '\n';
    }
    Error(QString::fromStdString(text));
    return kPdfUnreadableFile;
  }
  return ExportDesignPdf(*load.table, parser.positionalArguments().front(), parser.value(out));
}

}  // namespace tov::qt
