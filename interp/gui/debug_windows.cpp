#include "interp/gui/debug_windows.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "common/gui/qt_text.h"

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

// The array cells: a title line per array, then rows of an index above a box.
constexpr int kCellMargin = 6;   // around the drawing and between arrays
constexpr int kCellPadding = 3;  // inside a box, each side
const QColor kIndexColour(110, 110, 110);
const QColor kBoxColour(170, 170, 170);
const QColor kChangedColour(255, 222, 120);  // a cell that changed at the last step

QString KindName(char kind) {
  switch (kind) {
    case 'C': return QStringLiteral("char");
    case 'I': return QStringLiteral("int");
    case 'R': return QStringLiteral("float");
    default: return QStringLiteral("String");
  }
}

QString TitleOf(const ArrayLook& array) {
  const size_t n = array.Cells.size();
  return QStringLiteral("%1[] : %2, %3 %4")
      .arg(FromCp1252(array.Name), KindName(array.Kind))
      .arg(n)
      .arg(n > 1 ? QStringLiteral("éléments") : QStringLiteral("élément"));
}

}  // namespace

ArrayCellsView::ArrayCellsView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("Cells");
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  horizontalScrollBar()->setRange(0, 0);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ArrayCellsView::SetArrays(std::vector<ArrayLook> arrays, std::vector<std::vector<bool>> changed) {
  arrays_ = std::move(arrays);
  changed_ = std::move(changed);
  changed_.resize(arrays_.size());
  Layout();
  viewport()->update();
}

bool ArrayCellsView::Changed(size_t array, size_t cell) const {
  return array < changed_.size() && cell < changed_[array].size() && changed_[array][cell];
}

// Each array's cells are as wide as its widest element or index; as many
// as fit go on a row.
void ArrayCellsView::Layout() {
  const QFontMetrics metrics(BoldOf(font()));
  const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
  const int line = metrics.height();
  const int width = std::max(1, viewport()->width() - 2 * kCellMargin);
  blocks_.clear();
  int top = kCellMargin;
  for (const ArrayLook& array : arrays_) {
    Block block;
    block.top = top;
    block.cellWidth = (static_cast<int>(CellChars(array)) + 1) * digit + 2 * kCellPadding;
    block.columns = std::max(1, width / block.cellWidth);
    const int n = static_cast<int>(array.Cells.size());
    block.rows = (n + block.columns - 1) / block.columns;
    blocks_.push_back(block);
    top += line + block.rows * (2 * line + 2 * kCellPadding) + kCellMargin;
  }
  height_ = top;
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, std::max(0, height_ - viewport()->height()));
  bar->setPageStep(viewport()->height());
  bar->setSingleStep(2 * line + 2 * kCellPadding);
}

QRect ArrayCellsView::CellArea(size_t array, size_t cell) const {
  if (array >= blocks_.size() || cell >= arrays_[array].Cells.size()) return QRect();
  const int line = QFontMetrics(BoldOf(font())).height();
  const Block& block = blocks_[array];
  const int row = static_cast<int>(cell) / block.columns, column = static_cast<int>(cell) % block.columns;
  const int top = block.top + line + row * (2 * line + 2 * kCellPadding) + line;
  return QRect(kCellMargin + column * block.cellWidth, top, block.cellWidth, line + kCellPadding);
}

QRect ArrayCellsView::CellRect(size_t array, size_t cell) const {
  return CellArea(array, cell).translated(0, -verticalScrollBar()->value());
}

void ArrayCellsView::ScrollTo(size_t array, size_t cell) {
  const QRect area = CellArea(array, cell);
  if (area.isNull()) return;
  const int line = QFontMetrics(BoldOf(font())).height();
  QScrollBar* bar = verticalScrollBar();
  if (area.top() - line < bar->value()) bar->setValue(area.top() - line);
  else if (area.bottom() > bar->value() + viewport()->height()) bar->setValue(area.bottom() - viewport()->height() + kCellMargin);
}

void ArrayCellsView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Layout();
}

void ArrayCellsView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QFont plain = font(), bold = BoldOf(font());
  const QFontMetrics metrics(bold);
  const int line = metrics.height(), rowHeight = 2 * line + 2 * kCellPadding;
  const int scroll = verticalScrollBar()->value();
  const QRect exposed = event->rect().translated(0, scroll);  // in drawing coordinates
  painted_ = 0;
  for (size_t a = 0; a < arrays_.size(); ++a) {
    const Block& block = blocks_[a];
    const int bottom = block.top + line + block.rows * rowHeight;
    if (bottom < exposed.top() || block.top > exposed.bottom()) continue;
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRect(kCellMargin, block.top - scroll, viewport()->width() - 2 * kCellMargin, line),
                     Qt::AlignLeft | Qt::AlignVCenter, TitleOf(arrays_[a]));
    const int rowsTop = block.top + line;
    const int firstRow = std::max(0, (exposed.top() - rowsTop) / rowHeight);
    const int lastRow = std::min(block.rows - 1, (exposed.bottom() - rowsTop) / rowHeight);
    const std::vector<std::string>& cells = arrays_[a].Cells;
    for (int row = firstRow; row <= lastRow; ++row) {
      const int y = rowsTop + row * rowHeight - scroll;
      for (int column = 0; column < block.columns; ++column) {
        const size_t i = static_cast<size_t>(row) * static_cast<size_t>(block.columns) + static_cast<size_t>(column);
        if (i >= cells.size()) break;
        const int x = kCellMargin + column * block.cellWidth;
        const bool changed = Changed(a, i);
        painter.setFont(plain);
        painter.setPen(kIndexColour);
        painter.drawText(QRect(x, y, block.cellWidth, line), Qt::AlignCenter, QString::number(i + 1));
        const QRect box(x, y + line, block.cellWidth, line + kCellPadding);
        painter.fillRect(box, changed ? kChangedColour : palette().color(QPalette::Base));
        painter.setPen(kBoxColour);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setFont(changed ? bold : plain);
        painter.setPen(kValueColour);
        const QRect text = box.adjusted(kCellPadding, 0, -kCellPadding, 0);
        painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine,
                         metrics.elidedText(FromCp1252(cells[i]), Qt::ElideRight, text.width()));
        ++painted_;
      }
    }
  }
}

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
  Cells = new ArrayCellsView(this);
  Cells->hide();
  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->addWidget(ListBox1);
  splitter_->addWidget(Cells);
  splitter_->setChildrenCollapsible(false);
  splitter_->setStretchFactor(0, 2);
  splitter_->setStretchFactor(1, 3);
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter_);
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
  Cells->SetArrays({}, {});
  Cells->hide();
}

void TTableSymboles::Init(const QString& text) { Append(text, std::nullopt, false); }

void TTableSymboles::Append(const QString& text, const std::optional<QString>& value, bool changed) {
  auto* item = new QListWidgetItem(text);
  if (value) item->setData(kValueRole, *value);
  item->setData(kChangedRole, changed);
  if (changed) item->setFont(BoldOf(ListBox1->font()));
  ListBox1->addItem(item);
}

void TTableSymboles::Refresh(const std::vector<Line>& lines, std::vector<ArrayLook> arrays) {
  std::vector<std::vector<bool>> changedCells = ChangedCells(arrays, Cells->Arrays(), shown_.empty());
  Cells->SetArrays(std::move(arrays), std::move(changedCells));
  const bool hasArrays = !Cells->Arrays().empty();
  if (Cells->isHidden() == hasArrays) Cells->setVisible(hasArrays);
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

TPileExecution::TPileExecution(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName("PileExecution");
  setWindowTitle("Pile d'exécution");
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setToolTip("Double-cliquez sur une ligne pour la voir dans le programme");
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setAutoDefault(false);  // Enter belongs to the list
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  // A double-click, or Enter on the current entry (moving the caret twice
  // to the same line when a style activates on double-click too).
  const auto choose = [this](QListWidgetItem* item) {
    const int line = LineOf(ListBox1->row(item));
    if (line >= 0) emit LineChosen(line);
  };
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, choose);
  connect(ListBox1, &QListWidget::itemActivated, this, choose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Boucles et appels en cours, le plus récent en haut :", this));
  layout->addWidget(ListBox1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addStretch();
  layout->addLayout(buttons);
  resize(420, 260);
}

void TPileExecution::Refresh(const std::vector<StackEntry>& entries) {
  const int row = ListBox1->currentRow();
  ListBox1->clear();
  for (const StackEntry& entry : entries) {
    auto* item = new QListWidgetItem(FromCp1252(entry.Text));
    item->setData(kValueRole, entry.Line);
    ListBox1->addItem(item);
  }
  if (entries.empty()) {
    auto* item = new QListWidgetItem("Aucune boucle ni procédure en cours");
    item->setData(kValueRole, -1);
    item->setFlags(Qt::NoItemFlags);
    ListBox1->addItem(item);
  } else if (row >= 0 && row < ListBox1->count()) {
    ListBox1->setCurrentRow(row);
  }
}

int TPileExecution::LineOf(int i) const {
  const QListWidgetItem* item = ListBox1->item(i);
  return item ? item->data(kValueRole).toInt() : -1;
}

}  // namespace orv
