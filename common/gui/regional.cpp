#include "common/gui/regional.h"

namespace orv {

QLocale RegionalLocale() {
  const QLocale system = QLocale::system();
  if (system.language() == QLocale::C) return QLocale(QLocale::French, QLocale::France);
  return system;
}

QString LongTimeFormat(const QLocale& locale) {
  const QString format = locale.timeFormat(QLocale::LongFormat);
  QString out;
  bool quoted = false;
  for (QChar c : format) {
    if (c == u'\'') quoted = !quoted;
    if (quoted || c != u't') out += c;
  }
  return out.simplified();
}

}  // namespace orv
