#include "interp/gui/debug_windows.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TTableSymboles::TTableSymboles(QWidget* parent) : QDialog(parent) {
  setObjectName("TableSymboles");
  setWindowTitle("Table des Symboles");
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
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

void TTableSymboles::Clear() { ListBox1->clear(); }

void TTableSymboles::Init(const QString& text) { ListBox1->addItem(text); }

TVariable::TVariable(QWidget* parent) : QDialog(parent) {
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
  if (evaluate_) Edit2->setText(evaluate_(Edit1->text()));
  Edit1->selectAll();
  Edit1->setFocus();
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
