// Opening files: from the open dialog, from the command line, and from the
// recent files at the bottom of the "Fichier" menu, which may have gone since.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

#include "common/gui/view_settings.h"
#include "editor/Childwin.h"
#include "shell/Main.h"
#include "shell/main_form_shared.h"
#include "shell/recent_files.h"

namespace orv {

// The folder of the active editor's file, else the folder last opened from.
QString TMainForm::OpenDialogFolder() const {
  if (const TEditeur* editor = ActiveEditor(); editor && !editor->FileName().isEmpty())
    return QFileInfo(editor->FileName()).absolutePath();
  return lastOpenFolder_.isEmpty() || !QFileInfo(lastOpenFolder_).isDir() ? QDir::currentPath() : lastOpenFolder_;
}

void TMainForm::FileOpenItemClick() {
  QString path;
  if (openFileName) {
    path = openFileName(this);
  } else {
    QFileDialog dialog(this, "Ouvrir", OpenDialogFolder(), "Fichiers java (*.java);;Tous les fichiers (*.*)");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectFile("*.java");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) path = dialog.selectedFiles().front();
  }
  if (path.isEmpty()) return;
  lastOpenFolder_ = QFileInfo(path).absolutePath();
  SetSetting(QStringLiteral("fichiers/dossier"), lastOpenFolder_);
  OpenEditor(path);
}

// The files named on the command line, each in its window; a missing one is
// reported and the others still open.
void TMainForm::OpenFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    if (QFileInfo(path).isFile()) OpenEditor(path);
    else ShowMessage(QStringLiteral("Le fichier « %1 » n'existe pas.").arg(path));
  }
}

TEditeur* TMainForm::OpenEditor(const QString& path) {
  TEditeur* editor = AddEditor(QStringLiteral("OrvJava - ") + QFileInfo(path).fileName());
  editor->OpenFile(path);
  editor->show();
  return editor;
}

// The recent files go above "&Quitter", numbered &1 to &8.
void TMainForm::FillRecentFiles() {
  QMenu* menu = Menu("File1");
  main_form::DropActions(*menu, recentActions_);
  const QStringList files = RecentFiles();
  if (files.isEmpty()) return;
  QAction* exit = Action("FileExitItem");
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QString shown = path;
    shown.replace(u'&', QStringLiteral("&&"));
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), menu);
    action->setStatusTip(QStringLiteral("Ouvrir %1").arg(path));
    connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    menu->insertAction(exit, action);
    recentActions_ << action;
  }
  recentActions_ << menu->insertSeparator(exit);
}

void TMainForm::OpenRecentFile(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    RemoveRecentFile(path);
    return ShowMessage(
        QStringLiteral("Le fichier « %1 » n'existe plus : il est retiré de la liste des fichiers récents.").arg(path));
  }
  lastOpenFolder_ = QFileInfo(path).absolutePath();
  OpenEditor(path);
}

}  // namespace orv
