// The regional settings the windows follow.
#pragma once

#include <QLocale>
#include <QString>

namespace orv {

// The system's regional settings; French ones when the system has none (the
// C or POSIX locale), since the product is French.
QLocale RegionalLocale();

// The long time format without its time zone: hours, minutes and seconds
// ("HH:mm:ss" on French settings). Quoted text is kept as it stands.
QString LongTimeFormat(const QLocale& locale);

}  // namespace orv
