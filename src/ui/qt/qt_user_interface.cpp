#include "ui/qt/qt_user_interface.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include "state/message_titles.h"
#include "ui/qt/desktop_settings.h"
#include "ui/qt/file_filter.h"
#include "ui/qt/report_painter.h"
#include "ui/qt/window_placement.h"

namespace tov::qt {
namespace {

constexpr const char* kReportName = "Corvane DC Inductor Design";

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The request's own dialog title, else `usual`.
QString TitleOr(const FileDialogRequest& request, const char* usual) {
  return request.title.empty() ? QString(usual) : QString::fromStdString(request.title);
}

// Sets up the filters, the filter shown first and the default extension.
void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
  const QStringList filters = QtNameFilters(request.filter);
  dialog.setNameFilters(filters);
  const int first = request.filter_index - 1;
  if (first >= 0 && first < filters.size()) dialog.selectNameFilter(filters[first]);
  QString suffix = QString::fromStdString(request.default_extension);
  if (suffix.startsWith('.')) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  dialog.setDirectory(LastFolder());
}

// The chosen path as the file system names it (bytes in the system's
// encoding), which the rest of the program passes on unchanged; its folder
// is where the next dialog opens.
std::optional<std::string> RunFileDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  SetLastFolder(QFileInfo(chosen.front()).absolutePath());
  return QFile::encodeName(chosen.front()).toStdString();
}

// Lines of a box text as one block of HTML; an empty line stays one.
QString Paragraph(QStringList lines) {
  if (lines.isEmpty()) return {};
  for (QString& line : lines) line = line.toHtmlEscaped();
  return "<p style=\"margin: 0\">" + lines.join("<br>") + "</p>";
}

}  // namespace

QString BoxText(std::string_view text) {
  QString shown = FromView(text);
  shown.replace('\r', '\n');
  // "(555) 555-0142" never breaks after its area code.
  static const QRegularExpression kAreaCode(R"((\(\d+\)) (?=\d))");
  shown.replace(kAreaCode, QString("\\1") + QChar(0x00a0));
  return shown;
}

QString BoxRichText(std::string_view text) {
  static const QRegularExpression kLabelled(R"(^([A-Z][A-Za-z]*:) +(\S.*)$)");
  const QStringList lines = BoxText(text).split('\n');
  QString html;
  QStringList plain;
  bool table = false;
  for (qsizetype i = 0; i < lines.size();) {
    qsizetype end = i;
    while (end < lines.size() && kLabelled.match(lines[end]).hasMatch()) ++end;
    if (end - i < 2) {
      plain << lines[i++];
      continue;
    }
    html += Paragraph(plain);
    plain.clear();
    html += "<table cellspacing=\"0\" cellpadding=\"0\">";
    for (; i < end; ++i) {
      const QRegularExpressionMatch m = kLabelled.match(lines[i]);
      html += QString("<tr><td style=\"padding-right: 8px\">%1</td><td>%2</td></tr>")
                  .arg(m.captured(1).toHtmlEscaped(), m.captured(2).toHtmlEscaped());
    }
    html += "</table>";
    table = true;
  }
  return table ? html + Paragraph(plain) : QString();
}

QtUserInterface::QtUserInterface(QString help_dir) : help_dir_(std::move(help_dir)) {}

QtUserInterface::~QtUserInterface() = default;

QWidget* QtUserInterface::DialogParent() const {
  // A box must not belong to a disabled window (the main window while the
  // stack dialog is open): it would be disabled with it.
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  QWidget* active = QApplication::activeWindow();
  if (active && active->isEnabled()) return active;
  if (main_window_ && main_window_->isEnabled()) return main_window_;
  return nullptr;
}

void QtUserInterface::ShowMessage(std::string_view title, std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, FromView(title), BoxText(text), QMessageBox::Ok,
                  DialogParent());
  box.setTextFormat(Qt::PlainText);
  if (const QString rich = BoxRichText(text); !rich.isEmpty()) {
    box.setTextFormat(Qt::RichText);
    box.setText(rich);
  }
  box.exec();
}

UnsavedEditsAnswer QtUserInterface::AskAboutUnsavedEdits(std::string_view title,
                                                         std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, FromView(title), BoxText(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, DialogParent());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return UnsavedEditsAnswer::Save;
    case QMessageBox::Discard:
      return UnsavedEditsAnswer::Discard;
    default:
      return UnsavedEditsAnswer::Cancel;
  }
}

std::string QtUserInterface::AskInput(std::string_view prompt, std::string_view title,
                                      std::string_view default_answer) {
  QInputDialog box(DialogParent());
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowTitle(FromView(title));
  box.setLabelText(BoxText(prompt));
  box.setTextValue(FromView(default_answer));
  if (box.exec() != QDialog::Accepted) return {};
  return box.textValue().toStdString();
}

std::optional<std::string> QtUserInterface::ChooseOpenFile(const FileDialogRequest& request) {
  QFileDialog dialog(DialogParent(), TitleOr(request, kOpenDesignTitle));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  PrepareFileDialog(dialog, request);
  return RunFileDialog(dialog);
}

std::optional<std::string> QtUserInterface::ChooseSaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(DialogParent(), TitleOr(request, "Save As"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  PrepareFileDialog(dialog, request);
  return RunFileDialog(dialog);
}

void QtUserInterface::PrintReport(const ReportDocument& report) {
  QString problem;
  if (PrintOnDefaultPrinter(report, problem)) return;
  if (!AskYesNo(kPrintTitle, problem + "\n\nSave the report as a PDF file instead?")) return;
  FileDialogRequest request;
  request.filter = "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*";
  request.filter_index = 1;
  request.default_extension = ".pdf";
  request.confirm_overwrite = true;
  const std::optional<std::string> path = ChooseSaveFile(request);
  if (!path) return;
  if (!WriteReportPdf(report, QFile::decodeName(QByteArray::fromStdString(*path)))) {
    ShowMessage(kPrintTitle, "The report could not be written to the file\r" + *path);
  }
}

bool QtUserInterface::PrintOnDefaultPrinter(const ReportDocument& report, QString& problem) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) {
    problem = "No printer is available: the system has no default printer.";
    return false;
  }
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setDocName(kReportName);
  if (!PaintReport(report, printer)) {
    problem = QString("The report could not be sent to the printer %1.").arg(info.printerName());
    return false;
  }
  return true;
}

bool QtUserInterface::AskYesNo(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No,
                  DialogParent());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void QtUserInterface::ShowHelp(HelpRequest request) {
  if (!help_) {
    help_ = std::make_unique<HelpWindow>(help_dir_);
    OpenOver(*help_, main_window_, help_->size());
  }
  if (request == HelpRequest::Index) {
    help_->ShowIndex();
  } else {
    help_->ShowContents();
  }
}

}  // namespace tov::qt
