// The modeless find and replace dialogs of an editor window. Each keeps its
// own search text and options; the window does the searching.
#pragma once

#include <QDialog>

#include "editor/rules/text_search.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGridLayout;
class QVBoxLayout;

namespace orv {

class TSearchDialog : public QDialog {
  Q_OBJECT

 public:
  QString SearchText() const;
  void SetSearchText(const QString& text);
  TSearchOptions Options() const;
  void SetOptions(const TSearchOptions& options);
  QPushButton* FindNextButton() const { return FindNext; }

 signals:
  void FindNextClicked();

 protected:
  TSearchDialog(QWidget* parent, const QString& title, bool withDirection);
  // Rows 0 and 1 of the grid are free for the text fields.
  QGridLayout* Fields = nullptr;
  QLineEdit* What = nullptr;
  QPushButton* FindNext = nullptr;
  // At the given row of the button column, or after the others.
  void AddButton(QPushButton* button, int row = -1);
  virtual void UpdateButtons();

 private:
  QCheckBox* WholeWord = nullptr;
  QCheckBox* MatchCase = nullptr;
  QRadioButton* Up = nullptr;
  QRadioButton* Down = nullptr;
  QVBoxLayout* Buttons = nullptr;
};

class TFindDialog : public TSearchDialog {
  Q_OBJECT
 public:
  explicit TFindDialog(QWidget* parent);
};

// Replacing always searches down, as the platform's replace dialog does.
class TReplaceDialog : public TSearchDialog {
  Q_OBJECT
 public:
  explicit TReplaceDialog(QWidget* parent);
  QString ReplaceText() const;
  void SetReplaceText(const QString& text);
  QPushButton* ReplaceButton() const { return ReplaceOne; }
  QPushButton* ReplaceAllButton() const { return ReplaceAll; }

 signals:
  void ReplaceClicked(bool all);

 protected:
  void UpdateButtons() override;

 private:
  QLineEdit* With = nullptr;
  QPushButton* ReplaceOne = nullptr;
  QPushButton* ReplaceAll = nullptr;
};

}  // namespace orv
