#include "utilities/desk_windows.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>

namespace orv {

void ShowErrorBox(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, QString::fromUtf8(kApplicationTitle), text);
}

QFont BoldArial(int pixelSize) {
  QFont font("Arial");
  font.setPixelSize(pixelSize);
  font.setBold(true);
  return font;
}

bool IsEnterKey(const QKeyEvent* event) {
  return event->key() == Qt::Key_Enter || event->key() == Qt::Key_Return;
}

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace orv
