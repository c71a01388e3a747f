#include "editor/editor_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>

namespace orv {

namespace {
const QString kTitle = QStringLiteral("Orv Java");

// The window manager shortens a title that does not fit between the icon and
// the buttons of its frame ("Aller à... ligne"). Its title font is its own:
// a bold one a little larger than the application's is assumed, and room for
// the icon and three buttons is added.
int TitleFittingWidth(const QWidget& window) {
  QFont titleFont = window.font();
  titleFont.setBold(true);
  const int title = QFontMetrics(titleFont).horizontalAdvance(window.windowTitle());
  constexpr int kIconAndButtons = 140;
  return title * 5 / 4 + kIconAndButtons;
}

}  // namespace

void TEditeurDialogs::Message(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, kTitle, text);
}

TEditeurDialogs::TAnswer TEditeurDialogs::Question(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmation"), text, QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return TAnswer::Oui;
  if (box.clickedButton() == no) return TAnswer::Non;
  return TAnswer::Annuler;
}

bool TEditeurDialogs::Confirm(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Confirmation"), text, QMessageBox::NoButton, parent);
  QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

QString TEditeurDialogs::SaveFileName(QWidget* parent, const QString& filter, const QString& preset) {
  return QFileDialog::getSaveFileName(parent, QStringLiteral("Enregistrer sous"), preset, filter);
}

QString TEditeurDialogs::OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                                      const QString& preset) {
  return QFileDialog::getOpenFileName(parent, title, preset, filter);
}

int TEditeurDialogs::AskLineNumber(QWidget* parent, int current, int count) {
  QInputDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Aller à la ligne"));
  dialog.setLabelText(QStringLiteral("Numéro de ligne (1 à %1) :").arg(count));
  dialog.setIntRange(1, count);
  dialog.setIntValue(current);
  dialog.setMinimumWidth(TitleFittingWidth(dialog));
  return dialog.exec() == QDialog::Accepted ? dialog.intValue() : 0;
}

bool TEditeurDialogs::PrintSetup(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

TEditeurDialogs& TEditeurDialogs::Standard() {
  static TEditeurDialogs standard;
  return standard;
}

}  // namespace orv
