#include "interp/gui/input_box.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace orv {

TForm12::TForm12(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("Form12");
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setAutoFillBackground(true);
  QFont font = this->font();
  font.setPixelSize(17);
  Prompt = new QLabel(QStringLiteral("Entrée au clavier :"), this);
  Prompt->setObjectName("Prompt");
  Prompt->setFont(font);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setFrame(false);
  Edit1->setFont(font);
  Edit1->setMinimumSize(424, 29);
  Prompt->setBuddy(Edit1);
  // The frame is one pixel wide, painted; the layout keeps clear of it.
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 2, 2, 2);
  layout->setSpacing(6);
  layout->addWidget(Prompt);
  layout->addWidget(Edit1, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  move(200, 112);
  connect(Edit1, &QLineEdit::returnPressed, this, &QDialog::accept);
}

QString TForm12::Result() const { return Edit1->text(); }

void TForm12::showEvent(QShowEvent* event) {
  Edit1->clear();
  Edit1->setFocus();
  QDialog::showEvent(event);
}

void TForm12::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TForm12::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace orv
