// Shared by the run tests: a shown editor window whose program runs with the
// interpreter's message boxes collected instead of shown.
#pragma once

#include <QStringList>

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

}  // namespace orv::test
