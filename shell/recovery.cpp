#include "shell/recovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include "editor/Childwin.h"
#include "common/file_save.h"

namespace orv {
namespace {

const QString kLockName = QStringLiteral("verrou");

QString InfoPath(const QString& copyFile) {
  QString path = copyFile;
  path.chop(5);  // ".java"
  return path + QStringLiteral(".ini");
}

}  // namespace

QString TRecovery::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recuperation");
}

TRecovery::TRecovery(const QString& folder, QObject* parent) : QObject(parent), folder_(folder) {
  ownFolder_ = QDir(folder_).filePath(QStringLiteral("%1-%2")
                                          .arg(QCoreApplication::applicationPid())
                                          .arg(QDateTime::currentMSecsSinceEpoch()));
  QDir().mkpath(ownFolder_);
  // The lock tells a later start that this environment is still alive.
  lock_ = std::make_unique<QLockFile>(QDir(ownFolder_).filePath(kLockName));
  lock_->tryLock(0);
  timer_.setInterval(kIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &TRecovery::CopyNow);
  timer_.start();
}

// A normal end: nothing is left to recover.
TRecovery::~TRecovery() {
  lock_.reset();
  QDir(ownFolder_).removeRecursively();
}

QString TRecovery::CopyPath(int id) const { return QDir(ownFolder_).filePath(QStringLiteral("%1.java").arg(id)); }

void TRecovery::Track(TEditeur* editor) {
  const int id = nextId_++;
  tracked_[id] = {editor, -1};
  connect(editor, &TEditeur::FileSaved, this, [this, id] { Remove(id); });
  connect(editor, &TEditeur::Closed, this, [this, id] {
    Remove(id);
    tracked_.erase(id);
  });
  connect(editor, &QObject::destroyed, this, [this, id] { tracked_.erase(id); });
}

void TRecovery::CopyNow() {
  for (auto& [id, entry] : tracked_) {
    if (!entry.editor) continue;
    if (!entry.editor->Modified()) {
      if (entry.revision != -1) Remove(id);
      continue;
    }
    const int revision = entry.editor->Memo1->document()->revision();
    if (revision == entry.revision && QFile::exists(CopyPath(id))) continue;
    Write(id, *entry.editor);
    entry.revision = revision;
  }
}

void TRecovery::Write(int id, TEditeur& editor) {
  const QString path = CopyPath(id);
  {
    QSettings info(InfoPath(path), QSettings::IniFormat);
    info.setValue(QStringLiteral("titre"), editor.windowTitle());
    info.setValue(QStringLiteral("fichier"), editor.FileName());
  }
  SaveFileAtomically(QFile::encodeName(path).toStdString(), editor.SavedBytes());
}

void TRecovery::Remove(int id) {
  const QString path = CopyPath(id);
  QFile::remove(path);
  QFile::remove(InfoPath(path));
  if (auto it = tracked_.find(id); it != tracked_.end()) it->second.revision = -1;
}

QList<TRecovery::LeftCopy> TRecovery::LeftCopies() const {
  QList<LeftCopy> copies;
  const QDir root(folder_);
  for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    const QString sub = root.filePath(name);
    if (sub == ownFolder_) continue;
    QLockFile owner(QDir(sub).filePath(kLockName));
    if (!owner.tryLock(0)) continue;  // that environment is still running
    const QDir dir(sub);
    for (const QString& file : dir.entryList({QStringLiteral("*.java")}, QDir::Files, QDir::Name)) {
      const QString copyFile = dir.filePath(file);
      const QSettings info(InfoPath(copyFile), QSettings::IniFormat);
      copies.push_back({copyFile, info.value(QStringLiteral("titre")).toString(),
                        info.value(QStringLiteral("fichier")).toString()});
    }
  }
  return copies;
}

QByteArray TRecovery::Read(const LeftCopy& copy) {
  QFile file(copy.copyFile);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TRecovery::Forget(const QList<LeftCopy>& copies) const {
  for (const LeftCopy& copy : copies) {
    QFile::remove(copy.copyFile);
    QFile::remove(InfoPath(copy.copyFile));
    const QDir dir = QFileInfo(copy.copyFile).dir();
    if (dir.entryList({QStringLiteral("*.java")}, QDir::Files).isEmpty()) QDir(dir.path()).removeRecursively();
  }
}

}  // namespace orv
