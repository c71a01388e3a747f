// The editor window's file commands: open, save, save as, import, print.
#include <QFileInfo>
#include <QTextBlock>
#include <cerrno>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include "common/markers.h"
#include "editor/Childwin.h"
#include "interp/gui/gui_host.h"
#include "common/gui/save_failure.h"
#include "common/gui/qt_text.h"
#include "common/file_save.h"
#include "editor/rules/source_lines.h"
#include "common/cp1252.h"

namespace orv {

namespace {

const QString kTooLarge = QStringLiteral("Le texte dépasse la capacité du mémo");
const QString kSaveFilter = QStringLiteral("Fichier java (*.java);;Tous les fichiers (*)");
const QString kImportFilter =
    QStringLiteral("Fichiers java (*.java);;Fichiers texte (*.txt);;Tous les fichiers (*.*)");

QString ReasonText(QFileDevice::FileError error) {
  switch (error) {
    case QFileDevice::ReadError: return QStringLiteral("erreur de lecture");
    case QFileDevice::WriteError: return QStringLiteral("erreur d'écriture");
    case QFileDevice::PermissionsError: return QStringLiteral("accès refusé");
    case QFileDevice::ResourceError: return QStringLiteral("espace disque insuffisant");
    case QFileDevice::RenameError: return QStringLiteral("impossible de remplacer le fichier");
    case QFileDevice::OpenError: return QStringLiteral("impossible de créer ou d'ouvrir le fichier");
    default: return QStringLiteral("erreur d'entrée/sortie");
  }
}

std::string LocalPath(const QString& name) { return QFile::encodeName(name).toStdString(); }

}  // namespace

bool TEditeur::ReadWholeFile(const QString& name, std::string& bytes) {
  const QFileInfo info(name);
  QFile file(name);
  QString reason;
  if (!info.exists()) reason = QStringLiteral("fichier introuvable");
  else if (info.isDir()) reason = QStringLiteral("c'est un dossier");
  else if (!file.open(QIODevice::ReadOnly)) reason = ReasonText(file.error());
  if (reason.isEmpty()) {
    if (file.size() > static_cast<qint64>(kMaxSourceBytes)) {
      Message(kTooLarge);
      return false;
    }
    const QByteArray data = file.read(static_cast<qint64>(kMaxSourceBytes) + 1);
    if (file.error() != QFileDevice::NoError) reason = ReasonText(file.error());
    else if (data.size() > static_cast<qsizetype>(kMaxSourceBytes)) {
      Message(kTooLarge);
      return false;
    } else {
      bytes.assign(data.constData(), static_cast<size_t>(data.size()));
      return true;
    }
  }
  Message(QStringLiteral("Erreur d'entrée/sortie : le fichier « %1 » ne peut pas être lu (%2).").arg(name, reason));
  return false;
}

bool TEditeur::OpenFile(const QString& name) {
  std::string bytes;
  if (!ReadWholeFile(name, bytes)) return false;
  QString text = FromCp1252(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  FileName_ = name;
  DiskStamp_ = StampOf(LocalPath(name));
  LoadText(text);
  SetCaretOffset(0);
  CheckClassName();
  emit FileOpened(name);
  return true;
}

std::string TEditeur::SavedBytes() const {
  std::vector<std::string> lines = SourceLines->Blocks();
  for (std::string& line : lines)
    if (!line.empty() && line[0] == kStepMarker) line.erase(0, 1);
  return JoinSourceLines(lines);
}

void TEditeur::LoadRecovered(const std::string& bytes, const QString& originalPath) {
  QString text = FromCp1252(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  FileName_ = originalPath;
  DiskStamp_ = {};
  LoadText(text);
  SetModified(true);
}

// The class line (the first line after at most 20 import lines) names the
// class after "class "; it should be the file name without ".java".
void TEditeur::CheckClassName() {
  QString expected = QFileInfo(FileName_).fileName();
  expected.chop(5);
  const QTextDocument* doc = Memo1->document();
  int line = 0;
  while (line < 20 && doc->findBlockByNumber(line).text().startsWith(QStringLiteral("import"))) ++line;
  QString name = doc->findBlockByNumber(line).text().mid(5);
  qsizetype blanks = 0;
  while (blanks < name.size() && (name[blanks] == u' ' || name[blanks] == u'\t')) ++blanks;
  if (name.mid(blanks) != expected) Message(QStringLiteral("Le nom de la classe ne correspond pas au fichier"));
}

// Written to a temporary file beside the original and renamed over it once
// it is on the disk, so a failed save leaves the original file as it was and
// the window modified.
bool TEditeur::WriteTo(const QString& name) {
  const std::string bytes = JoinSourceLines(SourceLines->Blocks());
  if (const int error = SaveFileAtomically(LocalPath(name), bytes, *SaveCalls_); error != 0) {
    Message(QStringLiteral("Le fichier « %1 » n'a pas été enregistré (%2).").arg(name, SaveFailureText(error)));
    return false;
  }
  DiskStamp_ = StampOf(LocalPath(name));
  SetModified(false);
  emit FileSaved(name);
  return true;
}

// Another program may have changed the file since this window read or wrote
// it; its changes are only overwritten when the learner says so.
bool TEditeur::MayOverwrite(const QString& name) {
  const DiskStamp now = StampOf(LocalPath(name));
  if (!DiskStamp_.exists || !now.exists || now == DiskStamp_) return true;
  const QString file = QFileInfo(name).fileName();
  return Dialogs_->Confirm(this, QStringLiteral("Le fichier « %1 » a été modifié par un autre programme. Enregistrer quand même ?").arg(file));
}

// Characters that a Windows-1252 file cannot hold are saved as "?": the
// learner is told where and may keep the text unsaved instead.
bool TEditeur::MaySaveCharacters() {
  for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next()) {
    const QString text = block.text();
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      if (!c.isSurrogate() && UnicodeToCp1252(c.unicode()) >= 0) continue;
      const QString shown = c.isHighSurrogate() && i + 1 < text.size() ? text.mid(i, 2) : QString(c);
      const int line = block.blockNumber() + 1;
      return Dialogs_->Confirm(this, QStringLiteral("La ligne %1 contient « %2 », qu'un fichier Java ne peut pas garder : ce caractère sera enregistré comme « ? ». Enregistrer quand même ?").arg(line).arg(shown));
    }
  }
  return true;
}

bool TEditeur::Enregistrer() {
  if (FileName_.isEmpty()) return SaveAs();
  if (!MayOverwrite(FileName_) || !MaySaveCharacters()) return false;
  Raz();
  return WriteTo(FileName_);
}

// Whatever extension the chosen name has, the file is saved as .java; only
// the file name part is looked at, so a folder with a dot keeps its name.
bool TEditeur::SaveAs() {
  QString chosen = Dialogs_->SaveFileName(this, kSaveFilter, QStringLiteral("*.java"));
  if (chosen.isEmpty()) return false;
  const qsizetype nameStart = chosen.size() - QFileInfo(chosen).fileName().size();
  if (const qsizetype dot = chosen.indexOf(u'.', nameStart); dot >= 0) chosen.truncate(dot);
  chosen += QStringLiteral(".java");
  if (!MaySaveCharacters()) return false;
  Raz();
  if (!WriteTo(chosen)) return false;  // the window keeps its name
  FileName_ = chosen;
  setWindowTitle(QStringLiteral("OrvJava - ") + QFileInfo(chosen).fileName());
  return true;
}

void TEditeur::Importer() {
  if (Memo1->isReadOnly()) return;
  const QString name = Dialogs_->OpenFileName(this, QStringLiteral("Insérer fichier"), kImportFilter,
                                              QStringLiteral("*.txt"));
  if (name.isEmpty()) return;
  std::string bytes;
  if (!ReadWholeFile(name, bytes)) return;
  std::vector<std::string> lines = SplitSourceLines(bytes);
  if (lines.back().empty()) lines.pop_back();  // the break after the last line
  if (lines.empty()) return;
  if (static_cast<std::uintmax_t>(Memo1->document()->characterCount()) + bytes.size() > kMaxSourceBytes) {
    Message(kTooLarge);
    return;
  }
  QString block;
  for (const std::string& line : lines) block += FromCp1252(line) + u'\n';
  QTextCursor cursor = Memo1->textCursor();
  cursor.insertText(block);
  Memo1->setTextCursor(cursor);
}

void TEditeur::Imprimer() {
  QPrinter& printer = ApplicationPrinter();
  printer.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName(FileName_.isEmpty() ? QStringLiteral("OrvJava") : QFileInfo(FileName_).fileName());
  if (!Dialogs_->PrintSetup(this, printer)) return;
  Raz();
  if (!PrintLines(printer)) Message(QStringLiteral("L'impression n'a pas pu démarrer."));
}

// One source line per printed line in the window's font (at its screen size);
// a line wider than the page continues on the next printed line.
bool TEditeur::PrintLines(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QFont font = this->font();
  font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
  painter.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  option.setTabStopDistance(metrics.horizontalAdvance(u' ') * 8);
  qreal y = 0;
  auto advance = [&]() -> bool {  // room for one more printed line
    if (y > 0 && y + metrics.height() > page.height()) {
      if (!printer.newPage()) return false;
      y = 0;
    }
    return true;
  };
  const int count = SourceLines->Count();
  for (int i = 0; i < count; ++i) {
    QTextLayout layout(FromCp1252(SourceLines->Line(i)), font, &printer);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) line.setLineWidth(page.width());
    layout.endLayout();
    for (int k = 0; k < std::max(1, layout.lineCount()); ++k) {
      if (!advance()) return painter.end(), false;
      if (k < layout.lineCount()) layout.lineAt(k).draw(&painter, QPointF(0, y - layout.lineAt(k).y()));
      y += metrics.lineSpacing();
    }
  }
  return painter.end();
}

}  // namespace orv
