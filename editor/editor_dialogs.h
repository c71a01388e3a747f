// Every modal question an editor window asks goes through this interface, so
// tests (and, later, other hosts) answer without a dialog on screen.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace orv {

class TEditeurDialogs {
 public:
  enum class TAnswer { Oui, Non, Annuler };

  virtual ~TEditeurDialogs() = default;
  // A message box headed by the application title.
  virtual void Message(QWidget* parent, const QString& text);
  // A confirmation box with the buttons Oui, Non and Annuler.
  virtual TAnswer Question(QWidget* parent, const QString& text);
  // A confirmation box with the buttons Oui and Non; true for Oui.
  virtual bool Confirm(QWidget* parent, const QString& text);
  // Qt file-dialog filters; the empty text when cancelled.
  virtual QString SaveFileName(QWidget* parent, const QString& filter, const QString& preset);
  virtual QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                               const QString& preset);
  // A line number between 1 and `count`, `current` proposed; 0 when cancelled.
  virtual int AskLineNumber(QWidget* parent, int current, int count);
  // Lets the user choose the printer and its settings; false when cancelled.
  virtual bool PrintSetup(QWidget* parent, QPrinter& printer);

  // The standard dialogs, used by every window that is given no other.
  static TEditeurDialogs& Standard();
};

}  // namespace orv
