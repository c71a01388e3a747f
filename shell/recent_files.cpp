#include "shell/recent_files.h"

#include <QDir>
#include <QFileInfo>

#include "common/gui/view_settings.h"

namespace orv {
namespace {

const QString kKey = QStringLiteral("fichiers/recents");

QString Canonical(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

}  // namespace

QStringList WithRecentFile(const QStringList& list, const QString& path, int max) {
  const QString added = Canonical(path);
  QStringList result{added};
  for (const QString& entry : list)
    if (Canonical(entry) != added && result.size() < max) result << entry;
  return result;
}

QStringList RecentFiles() { return Setting(kKey).toStringList().mid(0, kRecentFiles); }

void AddRecentFile(const QString& path) { SetSetting(kKey, WithRecentFile(RecentFiles(), path)); }

void RemoveRecentFile(const QString& path) {
  QStringList list = RecentFiles();
  list.removeAll(Canonical(path));
  SetSetting(kKey, list);
}

}  // namespace orv
