#include "ui/qt/desktop_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace tov::qt {
namespace {

constexpr const char* kLastFolderKey = "fileDialogs/lastFolder";
constexpr const char* kRecentKey = "recentDesigns";
constexpr const char* kProjectKey = "report/project";
constexpr const char* kDesignedByKey = "report/designedBy";
constexpr const char* kHiddenColumnsKey = "compareCores/hiddenColumns";

QSettings Settings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Corvane", "tovdesign");
}

void StoreRecent(const QStringList& paths) {
  Settings().setValue(kRecentKey, paths);
}

}  // namespace

QString LastFolder() {
  const QString last = Settings().value(kLastFolderKey).toString();
  if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

void SetLastFolder(const QString& folder) {
  Settings().setValue(kLastFolderKey, folder);
}

QStringList RecentDesigns() {
  QStringList paths = Settings().value(kRecentKey).toStringList();
  paths.removeAll(QString());
  return paths.mid(0, kMaxRecentDesigns);
}

void AddRecentDesign(const QString& path) {
  QStringList paths = RecentDesigns();
  paths.removeAll(path);
  paths.prepend(path);
  StoreRecent(paths.mid(0, kMaxRecentDesigns));
}

void RemoveRecentDesign(const QString& path) {
  QStringList paths = RecentDesigns();
  paths.removeAll(path);
  StoreRecent(paths);
}

void ClearRecentDesigns() {
  StoreRecent({});
}

ReportSignature RememberedSignature() {
  QSettings settings = Settings();
  return {settings.value(kProjectKey).toString().toStdString(),
          settings.value(kDesignedByKey).toString().toStdString()};
}

void RememberSignature(const ReportSignature& signature) {
  QSettings settings = Settings();
  settings.setValue(kProjectKey, QString::fromStdString(signature.project));
  settings.setValue(kDesignedByKey, QString::fromStdString(signature.designed_by));
}

QStringList HiddenCompareColumns() {
  return Settings().value(kHiddenColumnsKey).toStringList();
}

void SetHiddenCompareColumns(const QStringList& titles) {
  Settings().setValue(kHiddenColumnsKey, titles);
}

}  // namespace tov::qt
