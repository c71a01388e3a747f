// The debug views: the symbol-table listing with its arrays drawn as cells,
// the examine-variable dialog and the stack view. All are tool windows that may stay open while the program runs step by
// step; the session refreshes them after every run, and what changed since
// the previous look is shown bold.
#pragma once

#include <QAbstractScrollArea>
#include <QDialog>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "interp/debug_views.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;

namespace orv {

class ListingDelegate;

// The arrays of the program as rows of cells, the index (from 1) above each,
// wrapping to the view's width; a cell changed since the look before is
// highlighted. Only the rows in sight are painted, so that a large array
// costs little at every step.
class ArrayCellsView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit ArrayCellsView(QWidget* parent = nullptr);
  void SetArrays(std::vector<ArrayLook> arrays, std::vector<std::vector<bool>> changed);
  const std::vector<ArrayLook>& Arrays() const { return arrays_; }
  // Whether element `cell` (0-based) of array `array` is highlighted.
  bool Changed(size_t array, size_t cell) const;
  // Where the cell is drawn in the viewport, as scrolled now (its value's box).
  QRect CellRect(size_t array, size_t cell) const;
  // Brings the cell into sight.
  void ScrollTo(size_t array, size_t cell);
  // How many cells the last paint drew.
  int PaintedCells() const { return painted_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Block {
    int top = 0;  // from the top of the whole drawing
    int cellWidth = 0;
    int columns = 1;
    int rows = 0;
  };
  void Layout();
  QRect CellArea(size_t array, size_t cell) const;  // unscrolled

  std::vector<ArrayLook> arrays_;
  std::vector<std::vector<bool>> changed_;
  std::vector<Block> blocks_;
  int height_ = 0;
  int painted_ = 0;
};

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
  // text) differs from the listing shown before is bold. The arrays are
  // drawn below it, a cell that changed highlighted; the part is hidden when
  // there are none.
  void Refresh(const std::vector<Line>& lines, std::vector<ArrayLook> arrays = {});
  // Line i as shown: whether it is marked changed, and its value (null when
  // the line has none).
  bool Changed(int i) const;
  QString Value(int i) const;

  QListWidget* ListBox1 = nullptr;
  ArrayCellsView* Cells = nullptr;
  QPushButton* Button1 = nullptr;

 private:
  void Append(const QString& text, const std::optional<QString>& value, bool changed);

  ListingDelegate* delegate_ = nullptr;
  std::map<QString, QString> shown_;  // line key -> what it showed
  QSplitter* splitter_ = nullptr;
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

// "Pile d'exécution": the loops and calls in progress, top first. A
// double-click (or Enter) on an entry asks for its line in the program.
class TPileExecution : public QDialog {
  Q_OBJECT

 public:
  explicit TPileExecution(QWidget* parent = nullptr);
  // Replaces the list (cp1252 texts); an empty stack says so.
  void Refresh(const std::vector<StackEntry>& entries);
  // Entry i's program line (0-based, as the line list counts), -1 if none.
  int LineOf(int i) const;

  QListWidget* ListBox1 = nullptr;
  QPushButton* Button1 = nullptr;

 signals:
  // The line of the entry chosen, 0-based as the line list counts.
  void LineChosen(int line);
};

}  // namespace orv
