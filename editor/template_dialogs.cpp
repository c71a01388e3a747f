#include "editor/template_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "common/gui/qt_text.h"

namespace orv {

namespace {

constexpr int kFieldWidth = 180;

std::string FieldValue(const QLineEdit* field) { return ToCp1252(field->text()); }

}  // namespace

// ---- TRadioGroup -----------------------------------------------------------

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), Group(new QButtonGroup(this)) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    Group->addButton(button, i);
    grid->addWidget(button, i / columns, i % columns);
  }
}

int TRadioGroup::ItemIndex() const { return Group->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = Group->button(index)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group refuses to uncheck its last checked button.
  Group->setExclusive(false);
  for (QAbstractButton* button : Group->buttons()) button->setChecked(false);
  Group->setExclusive(true);
}

int TRadioGroup::Count() const { return static_cast<int>(Group->buttons().size()); }

QRadioButton* TRadioGroup::Button(int index) const { return static_cast<QRadioButton*>(Group->button(index)); }

// ---- TTemplateDialog -------------------------------------------------------

TTemplateDialog::TTemplateDialog(const QString& caption, QWidget* parent) : QDialog(parent) {
  setWindowTitle(caption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* outer = new QVBoxLayout(this);
  Fields = new QGridLayout;
  Fields->setColumnMinimumWidth(1, kFieldWidth);
  outer->addLayout(Fields);
  outer->addStretch();
  // "OK" then "Annuler" at the right, whatever the desktop's button order.
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  AnnulerButton = new QPushButton(QStringLiteral("Annuler"), this);
  buttons->addWidget(OKButton);
  buttons->addWidget(AnnulerButton);
  // Enter confirms from every field; on the focused "Annuler" it cancels.
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(AnnulerButton, &QPushButton::clicked, this, &QDialog::reject);
  outer->addLayout(buttons);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* TTemplateDialog::AddField(const QString& label, int row) {
  auto* field = new QLineEdit(this);
  auto* caption = new QLabel(label, this);
  caption->setBuddy(field);
  Fields->addWidget(caption, row, 0);
  Fields->addWidget(field, row, 1);
  return field;
}

void TTemplateDialog::AddRow(QWidget* widget, int row) { Fields->addWidget(widget, row, 0, 1, 2); }

bool TTemplateDialog::Execute() {
  exec();
  return Confirmed_;
}

void TTemplateDialog::done(int result) {
  Confirmed_ = result == QDialog::Accepted;
  QDialog::done(result);
}

// Each showing starts unconfirmed, in the first field with its text selected.
void TTemplateDialog::showEvent(QShowEvent* event) {
  Confirmed_ = false;
  QDialog::showEvent(event);
  if (auto* first = qobject_cast<QLineEdit*>(Fields->itemAtPosition(0, 1)->widget())) {
    first->setFocus();
    first->selectAll();
  }
}

// ---- The template dialogs --------------------------------------------------

TBoucleFor::TBoucleFor(QWidget* parent) : TTemplateDialog(QStringLiteral("Boucle For"), parent) {
  Edit1 = AddField(QStringLiteral("Compteur"), 0);
  Edit2 = AddField(QStringLiteral("Valeur initiale"), 1);
  Edit3 = AddField(QStringLiteral("Valeur finale"), 2);
  RadioGroup1 = new TRadioGroup(QStringLiteral("Sens"), {QStringLiteral("Croissant"), QStringLiteral("Décroissant")}, 2, this);
  RadioGroup1->SetItemIndex(0);
  AddRow(RadioGroup1, 3);
}

TTemplate TBoucleFor::Template() const {
  return ForTemplate({FieldValue(Edit1), FieldValue(Edit2), FieldValue(Edit3), RadioGroup1->ItemIndex() == 1});
}

TConditionDialog::TConditionDialog(const QString& caption, const QString& lastOperator, QWidget* parent)
    : TTemplateDialog(caption, parent) {
  Edit1 = AddField(QStringLiteral("Opérande 1"), 0);
  RadioGroup1 = new TRadioGroup(QStringLiteral("Opérateur"),
                                {QStringLiteral(" =="), QStringLiteral(" <"), QStringLiteral(" >"),
                                 QStringLiteral(" <="), QStringLiteral(" >="), lastOperator},
                                3, this);
  AddRow(RadioGroup1, 1);
  Edit2 = AddField(QStringLiteral("Opérande 2"), 2);
}

TConditionFields TConditionDialog::Condition() const {
  return {FieldValue(Edit1), RadioGroup1->ItemIndex(), FieldValue(Edit2)};
}

TBoucleWhile::TBoucleWhile(QWidget* parent)
    : TConditionDialog(QStringLiteral("Boucle While"), QStringLiteral(" !="), parent) {}

void TBoucleWhile::SetKind(TKind kind) {
  Kind_ = kind;
  setWindowTitle(kind == TKind::Do ? QStringLiteral("Boucle Do") : QStringLiteral("Boucle While"));
}

TTemplate TBoucleWhile::Template() const {
  return Kind_ == TKind::Do ? DoTemplate(Condition()) : WhileTemplate(Condition());
}

TConditionIf::TConditionIf(QWidget* parent)
    : TConditionDialog(QStringLiteral("Condition If"), QStringLiteral("!="), parent) {
  CheckBox1 = new QCheckBox(QStringLiteral(" ELSE"), this);
  AddRow(CheckBox1, kFirstFreeRow);
}

TTemplate TConditionIf::Template() const { return IfTemplate(Condition(), CheckBox1->isChecked()); }

TFileIO::TFileIO(QWidget* parent) : TTemplateDialog(QStringLiteral("Lecture / Ecriture fichier"), parent) {
  Edit1 = AddField(QStringLiteral("Variable fichier"), 0);
  Edit2 = AddField(QStringLiteral("Nom du fichier"), 1);
  RadioGroup1 = new TRadioGroup(QStringLiteral("Mode d'ouverture"),
                                {QStringLiteral("Lecture"), QStringLiteral("Ecriture")}, 2, this);
  RadioGroup1->SetItemIndex(kLecture);
  AddRow(RadioGroup1, 2);
}

TTemplate TFileIO::Template() const {
  return FileTemplate(FieldValue(Edit1), FieldValue(Edit2), RadioGroup1->ItemIndex() == kEcriture);
}

// ---- The pickers -----------------------------------------------------------

TPickerDialog::TPickerDialog(const QString& caption, QWidget* parent) : QDialog(parent) {
  setWindowTitle(caption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  ListBox1 = new QListWidget(this);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  layout->addWidget(ListBox1);
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  // The list makes its first entry current when it takes the focus, framed
  // as if chosen: the entry it shows as current is the one Enter takes.
  connect(ListBox1, &QListWidget::currentItemChanged, this, [](QListWidgetItem* current) {
    if (current && !current->isSelected()) current->setSelected(true);
  });
}

int TPickerDialog::Highlighted() const {
  const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
  return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

int TPickerDialog::Execute() { return exec() == QDialog::Accepted ? Highlighted() : -1; }

void TPickerDialog::ClearHighlight() {
  ListBox1->clearSelection();
  ListBox1->setCurrentItem(nullptr);
}

void TPickerDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      accept();
      return;
    case Qt::Key_Escape:
      ClearHighlight();
      reject();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TPickerDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ListBox1->setFocus();
  if (const int row = Highlighted(); row >= 0) ListBox1->scrollToItem(ListBox1->item(row));
}

TMotsCle::TMotsCle(QWidget* parent) : TPickerDialog(QStringLiteral("Mots clé"), parent) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(15);
  ListBox1->setFont(font);
  for (const std::string_view keyword : Keywords()) ListBox1->addItem(FromCp1252(keyword));
  const QFontMetrics metrics(font);
  ListBox1->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('x')) * 26, metrics.lineSpacing() * 16);
}

QString TMotsCle::Entry(int row) const {
  const QListWidgetItem* item = ListBox1->item(row);
  return item ? item->text() : QString();
}

TListeSel::TListeSel(QWidget* parent) : TPickerDialog(QStringLiteral("Liste des Fonctions"), parent) {
  ListBox1->setMinimumSize(320, 220);
}

void TListeSel::Init(const QPlainTextEdit& textArea) {
  ListBox1->clear();
  std::vector<std::string> lines;
  for (QTextBlock b = textArea.document()->begin(); b.isValid(); b = b.next()) lines.push_back(ToCp1252(b.text()));
  for (const TProcedureEntry& entry : ProcedureEntries(lines)) {
    auto* item = new QListWidgetItem(FromCp1252(entry.Text), ListBox1);
    item->setData(Qt::UserRole, entry.Line);
  }
}

int TListeSel::EntryLine(int row) const {
  const QListWidgetItem* item = ListBox1->item(row);
  return item ? item->data(Qt::UserRole).toInt() : -1;
}

// ---- TemplateWindows -------------------------------------------------------

namespace {

struct TWindowSet {
  QPointer<QWidget> Owner;
  QPointer<TListeSel> ListeSel;
  QPointer<TMotsCle> MotsCle;
  QPointer<TBoucleFor> BoucleFor;
  QPointer<TBoucleWhile> BoucleWhile;
  QPointer<TConditionIf> ConditionIf;
  QPointer<TFileIO> FileIO;
  bool CleanupAdded = false;
};

TWindowSet& Windows() {
  static TWindowSet set;
  return set;
}

// Widgets must go before the application object does.
void DestroyWithTheApplication() {
  TemplateWindows::DestroyAll();
  Windows().CleanupAdded = false;
}

template <class T>
T& Instance(QPointer<T>& slot) {
  TWindowSet& set = Windows();
  if (!slot) {
    slot = new T(set.Owner.data());
    if (!set.CleanupAdded) {
      qAddPostRoutine(DestroyWithTheApplication);
      set.CleanupAdded = true;
    }
  }
  return *slot;
}

}  // namespace

void TemplateWindows::SetOwner(QWidget* owner) { Windows().Owner = owner; }
TListeSel& TemplateWindows::ListeSel() { return Instance(Windows().ListeSel); }
TMotsCle& TemplateWindows::MotsCle() { return Instance(Windows().MotsCle); }
TBoucleFor& TemplateWindows::BoucleFor() { return Instance(Windows().BoucleFor); }
TBoucleWhile& TemplateWindows::BoucleWhile() { return Instance(Windows().BoucleWhile); }
TConditionIf& TemplateWindows::ConditionIf() { return Instance(Windows().ConditionIf); }
TFileIO& TemplateWindows::FileIO() { return Instance(Windows().FileIO); }

void TemplateWindows::DestroyAll() {
  TWindowSet& set = Windows();
  delete set.ListeSel.data();
  delete set.MotsCle.data();
  delete set.BoucleFor.data();
  delete set.BoucleWhile.data();
  delete set.ConditionIf.data();
  delete set.FileIO.data();
}

}  // namespace orv
