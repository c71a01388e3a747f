// Shared by the widget tests: dialogs that answer from queues, and small
// helpers around an editor window.
#pragma once

#include <QFile>
#include <QPrinter>
#include <QStringList>
#include <QTextBlock>
#include <deque>

#include "editor/Childwin.h"
#include "common/gui/qt_text.h"

namespace orv::test {

class TFakeDialogs : public TEditeurDialogs {
 public:
  QStringList Messages, Questions, SaveRequests, OpenRequests;
  std::deque<TAnswer> Answers;      // Annuler when empty
  std::deque<QString> SaveNames;    // cancelled when empty
  std::deque<QString> OpenNames;
  std::deque<int> LineNumbers;      // cancelled when empty
  QString PdfPath;                  // empty: the print dialog is cancelled

  void Message(QWidget*, const QString& text) override { Messages << text; }
  TAnswer Question(QWidget*, const QString& text) override {
    Questions << text;
    if (Answers.empty()) return TAnswer::Annuler;
    const TAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  bool Confirm(QWidget* parent, const QString& text) override { return Question(parent, text) == TAnswer::Oui; }
  QString SaveFileName(QWidget*, const QString& filter, const QString& preset) override {
    SaveRequests << filter + "|" + preset;
    return Pop(SaveNames);
  }
  QString OpenFileName(QWidget*, const QString& title, const QString& filter, const QString& preset) override {
    OpenRequests << title + "|" + filter + "|" + preset;
    return Pop(OpenNames);
  }
  int AskLineNumber(QWidget*, int, int) override {
    if (LineNumbers.empty()) return 0;
    const int line = LineNumbers.front();
    LineNumbers.pop_front();
    return line;
  }
  bool PrintSetup(QWidget*, QPrinter& printer) override {
    if (PdfPath.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(PdfPath);
    return true;
  }

 private:
  static QString Pop(std::deque<QString>& queue) {
    if (queue.empty()) return {};
    QString s = queue.front();
    queue.pop_front();
    return s;
  }
};

// A shown editor window that asks the given dialogs.
inline TEditeur* NewEditor(TEditeurDialogs& dialogs) {
  auto* editor = new TEditeur;
  editor->SetDialogs(&dialogs);
  editor->resize(500, 400);
  editor->show();
  return editor;
}

// The document's blocks as Windows-1252 lines.
inline std::vector<std::string> DocumentLines(TEditeur& editor) {
  std::vector<std::string> lines;
  for (QTextBlock b = editor.Memo1->document()->begin(); b.isValid(); b = b.next())
    lines.push_back(ToCp1252(b.text()));
  return lines;
}

inline int Pos(TEditeur& editor, int line, int column) {
  return editor.Memo1->document()->findBlockByNumber(line).position() + column;
}

inline void PlaceCaret(TEditeur& editor, int position, int anchor = -1) {
  QTextCursor cursor = editor.Memo1->textCursor();
  cursor.setPosition(anchor < 0 ? position : anchor);
  if (anchor >= 0) cursor.setPosition(position, QTextCursor::KeepAnchor);
  editor.Memo1->setTextCursor(cursor);
}

inline QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

}  // namespace orv::test
