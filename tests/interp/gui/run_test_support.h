// Shared by the run tests: a shown editor window whose program runs with the
// interpreter's message boxes collected instead of shown, and a way to act on
// the next modal dialog.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "editor/Childwin.h"
#include "interp/gui/session.h"

namespace orv::test {

inline TEditeur* NewRunEditor(const QString& title, QStringList& messages) {
  auto* editor = new TEditeur;
  editor->setWindowTitle(title);
  editor->show();
  messages.clear();
  Interpreter().Host().messageBox = [&messages](const QString& m) { messages << m; };
  Interpreter().StepMode = 0;
  Interpreter().ResumeLine = 0;
  return editor;
}

// Does `action` once the next modal dialog runs; the dialog is closed
// afterwards whatever the action did (a failed check returns early).
inline void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return WhenModal(action);
    action(modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) dialog->reject();
  });
}

}  // namespace orv::test
