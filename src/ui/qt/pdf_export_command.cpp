#include "ui/qt/pdf_export_command.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "state/core_table_loader.h"
#include "ui/logic/design_controller.h"
#include "ui/qt/design_pdf.h"
#include "ui/qt/desktop_settings.h"

namespace tov::qt {
namespace {

constexpr const char* kOption = "--export-pdf";

void Error(const std::string& text) {
  std::fprintf(stderr, "tovdesign: %s\n", text.c_str());
}

// The file names of the command line as the bytes given: the parser reads
// arguments as text, which holds only names in the locale's encoding.
struct ExportNames {
  std::string pdf;
  std::vector<std::string> designs;
};

ExportNames NamesGiven(int argc, char** argv) {
  ExportNames names;
  const std::string with_value = std::string(kOption) + "=";
  bool options_end = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (options_end || argument == "-" || argument.empty() || argument.front() != '-') {
      names.designs.emplace_back(argument);
    } else if (argument == "--") {
      options_end = true;
    } else if (argument == kOption) {
      if (i + 1 < argc) names.pdf = argv[++i];
    } else if (argument.starts_with(with_value)) {
      names.pdf = argument.substr(with_value.size());
    }
  }
  return names;
}

// Qt's note that it made up a runtime folder says nothing to the user of an
// export; every other message goes on as before.
QtMessageHandler earlier_handler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set")) return;
  if (earlier_handler) {
    earlier_handler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n",
                 qFormatLogMessage(type, context, message).toLocal8Bit().constData());
  }
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
  // A run without a window has no edits of its own to keep.
  UnsavedEditsAnswer AskAboutUnsavedEdits(std::string_view, std::string_view) override {
    return UnsavedEditsAnswer::Discard;
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

int ExportDesignPdf(const CoreTable& cores, const std::string& design_path,
                    const std::filesystem::path& pdf_path) {
  HeadlessUi ui(design_path);
  DesignController frm(cores, ui);
  ApplyStartupDefaults(frm.Model());
  frm.ChooseAndOpenDesign();
  if (frm.DesignFile().empty()) return kPdfUnreadableFile;  // Open Design said why
  if (ui.Asked()) {
    Error(design_path + ": an input of the design file is not acceptable; open it in the " +
          "window to answer, or correct it. No PDF was written.");
    return kPdfUsageError;
  }
  const QString problem =
      WriteDesignPdf(frm, pdf_path, QDateTime::currentDateTime(), RememberedSignature());
  if (!problem.isEmpty()) {
    Error("The PDF could not be written as " + pdf_path.string() + ": " + problem.toStdString());
    return kPdfUnreadableFile;
  }
  return frm.ShowsTooLarge() ? kPdfOfTooLarge : kPdfWritten;
}

int RunPdfExport(int argc, char** argv, DataLocator locate) {
  // No window is shown: no display is needed.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  earlier_handler = qInstallMessageHandler(QuietHandler);
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
    Error(parser.errorText().toStdString());
    return kPdfUsageError;
  }
  if (parser.isSet("help")) {
    std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
    return kPdfWritten;
  }
  const ExportNames names = NamesGiven(argc, argv);
  if (parser.positionalArguments().size() != 1 || names.designs.size() != 1 || names.pdf.empty()) {
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
    Error(text);
    return kPdfUnreadableFile;
  }
  return ExportDesignPdf(*load.table, names.designs.front(), names.pdf);
}

}  // namespace tov::qt
