// The debug views: the symbol-table listing and the examine-variable dialog.
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orv {

// "Table des Symboles": the listing above an OK button; Escape closes it.
class TTableSymboles : public QDialog {
  Q_OBJECT

 public:
  explicit TTableSymboles(QWidget* parent = nullptr);
  void Clear();
  // Appends one line to the listing.
  void Init(const QString& text);

  QListWidget* ListBox1 = nullptr;
  QPushButton* Button1 = nullptr;
};

// "Examiner variable": Enter in the Variable field evaluates it.
class TVariable : public QDialog {
  Q_OBJECT

 public:
  using Evaluator = std::function<QString(const QString&)>;
  explicit TVariable(QWidget* parent = nullptr);
  void SetEvaluator(Evaluator evaluator) { evaluate_ = std::move(evaluator); }
  // Evaluates the field's text, shows the result and selects the text.
  void Evaluate();

  QLineEdit* Edit1 = nullptr;  // Variable
  QLineEdit* Edit2 = nullptr;  // Résultat
  QPushButton* Button1 = nullptr;  // Fermer

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Evaluator evaluate_;
};

}  // namespace orv
