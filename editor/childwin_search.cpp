// The editor window's find and replace commands.
#include <QLineEdit>
#include <QTextBlock>

#include "editor/Childwin.h"
#include "editor/find_dialogs.h"
#include "common/gui/qt_text.h"

namespace orv {

namespace {

void ShowDialog(TSearchDialog* dialog) {
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
  if (auto* field = dialog->findChild<QLineEdit*>()) {
    field->setFocus();
    field->selectAll();
  }
}

}  // namespace

void TEditeur::Chercher() { ShowDialog(FindDlg); }
void TEditeur::Remplacer() { ShowDialog(ReplaceDlg); }

bool TEditeur::SearchAndSelect(const QString& what, const TSearchOptions& options) {
  const QString text = Memo1->document()->toRawText();
  QTextCursor cursor = Memo1->textCursor();
  const size_t start = static_cast<size_t>(cursor.selectionStart());
  const size_t found = SearchText(View(text), start, static_cast<size_t>(cursor.selectionEnd()) - start,
                                  View(what), options);
  if (found == kNotFound) return false;
  cursor.setPosition(static_cast<int>(found));
  cursor.setPosition(static_cast<int>(found + static_cast<size_t>(what.size())), QTextCursor::KeepAnchor);
  Memo1->setTextCursor(cursor);
  return true;
}

void TEditeur::Find() {
  const TSearchDialog* from = sender() == ReplaceDlg ? static_cast<TSearchDialog*>(ReplaceDlg) : FindDlg;
  const QString what = from->SearchText();
  if (!SearchAndSelect(what, from->Options()))
    Message(QStringLiteral("Chaîne rechechée \"") + what + QStringLiteral("\" non trouvée"));
}

void TEditeur::Continuer() {
  const QString what = FindDlg->SearchText();
  if (!SearchAndSelect(what, FindDlg->Options()))
    Message(QStringLiteral("Chaîne rechechée \"") + what + QStringLiteral("\" non trouvée"));
}

void TEditeur::Replace(bool all) {
  if (Memo1->isReadOnly()) return;
  const QString what = ReplaceDlg->SearchText(), with = ReplaceDlg->ReplaceText();
  TSearchOptions options = ReplaceDlg->Options();
  options.Down = true;
  if (all) {
    ReplaceAllFromSelection(what, with, options);
    return;
  }
  QTextCursor cursor = Memo1->textCursor();
  if (!what.isEmpty() && SameTextIgnoringCase(View(cursor.selectedText()), View(what))) {
    cursor.insertText(with);
    Memo1->setTextCursor(cursor);
  }
  if (!SearchAndSelect(what, options))
    Message(QStringLiteral("Chaîne recherchée \"") + what + QStringLiteral("\"non trouvée"));
}

// The occurrences are found on a copy of the text and replaced in one edit
// (one undo step), from the last to the first so positions stay valid.
void TEditeur::ReplaceAllFromSelection(const QString& what, const QString& with, const TSearchOptions& options) {
  const QString text = Memo1->document()->toRawText();
  const QTextCursor selection = Memo1->textCursor();
  const size_t start = static_cast<size_t>(selection.selectionStart());
  const std::vector<size_t> found = PlanReplaceAll(View(text), start, static_cast<size_t>(selection.selectionEnd()) - start,
                                                   View(what), View(with), options);
  if (found.empty()) return;
  QTextCursor cursor(Memo1->document());
  cursor.beginEditBlock();
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    cursor.setPosition(static_cast<int>(*it));
    cursor.setPosition(static_cast<int>(*it + static_cast<size_t>(what.size())), QTextCursor::KeepAnchor);
    cursor.insertText(with);
  }
  cursor.endEditBlock();
  const qint64 shift = static_cast<qint64>(with.size()) - what.size();
  QTextCursor caret = Memo1->textCursor();
  caret.setPosition(static_cast<int>(static_cast<qint64>(found.back()) + shift * static_cast<qint64>(found.size() - 1) +
                                     with.size()));
  Memo1->setTextCursor(caret);
}

}  // namespace orv
