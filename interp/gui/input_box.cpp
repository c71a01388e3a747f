#include "interp/gui/input_box.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace orv {

TForm12::TForm12(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("Form12");
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setAutoFillBackground(true);
  setGeometry(200, 112, 427, 34);
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setFrame(false);
  Edit1->setGeometry(1, 0, 424, 29);
  QFont font = Edit1->font();
  font.setPixelSize(17);
  Edit1->setFont(font);
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

}  // namespace orv
