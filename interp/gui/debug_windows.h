// The debug views: the symbol-table listing and the examine-variable dialog.
// Both are tool windows that may stay open while the program runs step by
// step; the session refreshes them after every run, and what changed since
// the previous look is shown bold.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orv {

class ListingDelegate;

// "Table des Symboles": the listing above an OK button; Escape closes it.
class TTableSymboles : public QDialog {
  Q_OBJECT

 public:
  struct Line {
    QString text;
    std::optional<QString> value;  // a variable's value, drawn beside its line
    bool symbol = false;           // a symbol's line, not a separator or a count
  };

  explicit TTableSymboles(QWidget* parent = nullptr);
  // Empties the listing and forgets it: the next lines show nothing changed.
  void Clear();
  // Appends one line to the listing.
  void Init(const QString& text);
  // Replaces the listing; a line whose value (or, for the other lines, whose
  // text) differs from the listing shown before is bold.
  void Refresh(const std::vector<Line>& lines);
  // Line i as shown: whether it is marked changed, and its value (null when
  // the line has none).
  bool Changed(int i) const;
  QString Value(int i) const;

  QListWidget* ListBox1 = nullptr;
  QPushButton* Button1 = nullptr;

 private:
  void Append(const QString& text, const std::optional<QString>& value, bool changed);

  ListingDelegate* delegate_ = nullptr;
  std::map<QString, QString> shown_;  // line key -> what it showed
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
  // Evaluates again the text last evaluated; with `showChange`, a result that
  // differs from the one shown is bold.
  void Refresh(bool showChange = true);

  QLineEdit* Edit1 = nullptr;  // Variable
  QLineEdit* Edit2 = nullptr;  // Résultat
  QPushButton* Button1 = nullptr;  // Fermer

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowResult(const QString& result, bool changed);

  Evaluator evaluate_;
  QString evaluated_;  // the text of the last evaluation
};

}  // namespace orv
