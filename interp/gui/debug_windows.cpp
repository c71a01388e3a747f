#include "interp/gui/debug_windows.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace orv {
namespace {

constexpr int kValueRole = Qt::UserRole + 1;    // the value drawn beside the line
constexpr int kChangedRole = Qt::UserRole + 2;  // bold: changed since the last look
constexpr int kValueGap = 3;                    // characters between a line and its value
const QColor kValueColour(0, 0, 160);

// What identifies a line from one look to the next, and what it showed.
// A count line is known by its label ("Var Int : "), a symbol line by its text.
QString KeyOf(const TTableSymboles::Line& line) {
  if (line.symbol) return QStringLiteral("symbol:") + line.text;
  QString label = line.text;
  while (!label.isEmpty() && label.back().isDigit()) label.chop(1);
  return label;
}
QString StateOf(const TTableSymboles::Line& line) {
  if (!line.symbol) return line.text;
  return line.value ? QStringLiteral("=") + *line.value : QString();
}

QFont BoldOf(QFont font) {
  font.setBold(true);
  return font;
}

}  // namespace

// Draws each variable's value in a column of its own, right of the longest
// variable line.
class ListingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  int column = 0;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant value = index.data(kValueRole);
    if (!value.isValid()) return;
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QRect area = item.rect.adjusted(TextMargin() + column, 0, 0, 0);
    if (area.width() <= 0) return;
    const QFontMetrics metrics(item.font);
    painter->save();
    painter->setFont(item.font);
    painter->setPen((item.state & QStyle::State_Selected) ? item.palette.color(QPalette::HighlightedText) : kValueColour);
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, metrics.elidedText(value.toString(), Qt::ElideRight, area.width()));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QVariant value = index.data(kValueRole);
    if (value.isValid()) {
      QStyleOptionViewItem item(option);
      initStyleOption(&item, index);
      const int width = TextMargin() * 2 + column + QFontMetrics(item.font).horizontalAdvance(value.toString().left(200));
      size.setWidth(std::max(size.width(), width));
    }
    return size;
  }

 private:
  static int TextMargin() { return 3; }
};

TTableSymboles::TTableSymboles(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("TableSymboles");
  setWindowTitle("Table des Symboles");
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  delegate_ = new ListingDelegate(ListBox1);
  ListBox1->setItemDelegate(delegate_);
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ListBox1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addStretch();
  layout->addLayout(buttons);
  resize(640, 420);
}

void TTableSymboles::Clear() {
  ListBox1->clear();
  shown_.clear();
}

void TTableSymboles::Init(const QString& text) { Append(text, std::nullopt, false); }

void TTableSymboles::Append(const QString& text, const std::optional<QString>& value, bool changed) {
  auto* item = new QListWidgetItem(text);
  if (value) item->setData(kValueRole, *value);
  item->setData(kChangedRole, changed);
  if (changed) item->setFont(BoldOf(ListBox1->font()));
  ListBox1->addItem(item);
}

void TTableSymboles::Refresh(const std::vector<Line>& lines) {
  std::map<QString, QString> shown;
  const QFontMetrics bold(BoldOf(ListBox1->font()));
  int column = 0;
  for (const Line& line : lines)
    if (line.value) column = std::max(column, bold.horizontalAdvance(line.text));
  delegate_->column = column + kValueGap * bold.horizontalAdvance(QLatin1Char(' '));
  // The learner's place in a long listing stays.
  const int scroll = ListBox1->verticalScrollBar()->value(), row = ListBox1->currentRow();
  ListBox1->clear();
  for (const Line& line : lines) {
    const QString key = KeyOf(line), state = StateOf(line);
    const auto before = shown_.find(key);
    const bool changed = !shown_.empty() && (before == shown_.end() || before->second != state);
    Append(line.text, line.value, changed);
    shown.emplace(key, state);
  }
  if (row >= 0 && row < ListBox1->count()) ListBox1->setCurrentRow(row);
  ListBox1->verticalScrollBar()->setValue(scroll);
  shown_ = std::move(shown);
}

bool TTableSymboles::Changed(int i) const {
  const QListWidgetItem* item = ListBox1->item(i);
  return item && item->data(kChangedRole).toBool();
}

QString TTableSymboles::Value(int i) const {
  const QListWidgetItem* item = ListBox1->item(i);
  return item ? item->data(kValueRole).toString() : QString();
}

TVariable::TVariable(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("Variable");
  setWindowTitle("Examiner variable");
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName("Edit2");
  Edit2->setReadOnly(true);
  Button1 = new QPushButton("Fermer", this);
  Button1->setObjectName("Button1");
  // Enter evaluates; it must not press the button.
  Button1->setAutoDefault(false);
  Button1->setDefault(false);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Edit1, &QLineEdit::returnPressed, this, &TVariable::Evaluate);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Variable", this));
  layout->addWidget(Edit1);
  layout->addWidget(new QLabel("Résultat", this));
  layout->addWidget(Edit2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  layout->addLayout(buttons);
  resize(320, 170);
}

void TVariable::Evaluate() {
  evaluated_ = Edit1->text();
  if (evaluate_) ShowResult(evaluate_(evaluated_), false);
  Edit1->selectAll();
  Edit1->setFocus();
}

// The learner may be typing the next name: the field is left alone.
void TVariable::Refresh(bool showChange) {
  if (!evaluate_ || evaluated_.isEmpty()) return;
  const QString result = evaluate_(evaluated_);
  ShowResult(result, showChange && result != Edit2->text());
}

void TVariable::ShowResult(const QString& result, bool changed) {
  Edit2->setText(result);
  QFont font = Edit2->font();
  font.setBold(changed);
  Edit2->setFont(font);
}

void TVariable::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Edit1->setFocus();
}

// Enter belongs to the Variable field; the dialog itself presses no button.
void TVariable::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
  QDialog::keyPressEvent(event);
}

}  // namespace orv
