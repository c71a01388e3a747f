#include "utilities/regional.h"

#include <QMessageBox>

namespace orv {

QLocale RegionalLocale() {
  const QLocale system = QLocale::system();
  if (system.language() == QLocale::C) return QLocale(QLocale::French, QLocale::France);
  return system;
}

void ShowErrorBox(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, QString::fromUtf8(kApplicationTitle), text);
}

}  // namespace orv
