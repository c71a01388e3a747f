// The code-template dialogs (TBoucleFor, TBoucleWhile, TConditionIf,
// TFileIO) and the two pickers (TMotsCle, TListeSel) of the editor window.
// Each exists once for the life of the program and keeps its values, choices
// and highlighted entry from one use to the next; TemplateWindows holds them.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QStringList>

#include "editor/rules/template_text.h"

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QPlainTextEdit;

namespace orv {

// A titled choice of one entry among several; ItemIndex -1 is no choice.
class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  TRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int Count() const;
  QRadioButton* Button(int index) const;

 private:
  QButtonGroup* Group = nullptr;
};

// Fields above the buttons "OK" and "Annuler". OK, or Enter anywhere but on
// the focused "Annuler", closes the dialog confirmed; "Annuler", Escape or
// the close box close it unconfirmed.
class TTemplateDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows the dialog modally; true when it was confirmed.
  bool Execute();
  // How the latest closing went.
  bool Confirmed() const { return Confirmed_; }
  // The text the current values give (empty when a required value is missing).
  virtual TTemplate Template() const = 0;

  QPushButton* OKButton = nullptr;
  QPushButton* AnnulerButton = nullptr;

 protected:
  TTemplateDialog(const QString& caption, QWidget* parent);
  // A labelled entry field on the given row.
  QLineEdit* AddField(const QString& label, int row);
  // A widget across the whole width of the given row.
  void AddRow(QWidget* widget, int row);
  void done(int result) override;
  void showEvent(QShowEvent* event) override;

 private:
  QGridLayout* Fields = nullptr;
  bool Confirmed_ = false;
};

class TBoucleFor : public TTemplateDialog {
  Q_OBJECT

 public:
  explicit TBoucleFor(QWidget* parent = nullptr);
  TTemplate Template() const override;

  QLineEdit* Edit1 = nullptr;  // counter
  QLineEdit* Edit2 = nullptr;  // initial value
  QLineEdit* Edit3 = nullptr;  // final value
  TRadioGroup* RadioGroup1 = nullptr;  // "Croissant", "Décroissant"
};

// Operand, operator, operand: the fields the while, do and if dialogs share.
class TConditionDialog : public TTemplateDialog {
  Q_OBJECT

 public:
  TConditionFields Condition() const;

  QLineEdit* Edit1 = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  QLineEdit* Edit2 = nullptr;

 protected:
  TConditionDialog(const QString& caption, const QString& lastOperator, QWidget* parent);
  static constexpr int kFirstFreeRow = 3;
};

// Shared by the while and the do command, which set its kind (and with it
// the caption) before showing it.
class TBoucleWhile : public TConditionDialog {
  Q_OBJECT

 public:
  enum class TKind { While, Do };
  explicit TBoucleWhile(QWidget* parent = nullptr);
  void SetKind(TKind kind);
  TKind Kind() const { return Kind_; }
  TTemplate Template() const override;

 private:
  TKind Kind_ = TKind::While;
};

class TConditionIf : public TConditionDialog {
  Q_OBJECT

 public:
  explicit TConditionIf(QWidget* parent = nullptr);
  TTemplate Template() const override;

  QCheckBox* CheckBox1 = nullptr;  // " ELSE"
};

class TFileIO : public TTemplateDialog {
  Q_OBJECT

 public:
  enum { kLecture = 0, kEcriture = 1 };
  explicit TFileIO(QWidget* parent = nullptr);
  TTemplate Template() const override;

  QLineEdit* Edit1 = nullptr;  // file variable
  QLineEdit* Edit2 = nullptr;  // file name
  TRadioGroup* RadioGroup1 = nullptr;  // "Lecture", "Ecriture"
};

// A list to pick from: Enter or a double click on an entry closes it chosen;
// Escape removes the highlight and closes it; the close box closes it
// without a choice and leaves the highlight alone.
class TPickerDialog : public QDialog {
  Q_OBJECT

 public:
  // The highlighted row, -1 when none.
  int Highlighted() const;
  // Shows the list modally; the row chosen, or -1.
  int Execute();

  QListWidget* ListBox1 = nullptr;

 protected:
  TPickerDialog(const QString& caption, QWidget* parent);
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void ClearHighlight();
};

// The keywords, in a fixed-pitch font.
class TMotsCle : public TPickerDialog {
  Q_OBJECT

 public:
  explicit TMotsCle(QWidget* parent = nullptr);
  QString Entry(int row) const;
};

// The procedures of the program, filled anew at every use.
class TListeSel : public TPickerDialog {
  Q_OBJECT

 public:
  explicit TListeSel(QWidget* parent = nullptr);
  // Lists the lines of the text area that begin a procedure.
  void Init(const QPlainTextEdit& textArea);
  // The index of the text line a row was listed from.
  int EntryLine(int row) const;
};

// The template and picker windows, one each. Start-up creates them in its own
// order by calling these; otherwise each is created on its first use. They
// are destroyed with their owner, or with the application.
class TemplateWindows {
 public:
  // The parent of the windows created from now on (it keeps them centred over
  // it and on top of it); none by default.
  static void SetOwner(QWidget* owner);
  static TListeSel& ListeSel();
  static TMotsCle& MotsCle();
  static TBoucleFor& BoucleFor();
  static TBoucleWhile& BoucleWhile();
  static TConditionIf& ConditionIf();
  static TFileIO& FileIO();
  // Destroys every one of them (the next use creates it anew).
  static void DestroyAll();
};

}  // namespace orv
