// The small pictures of the desk windows, drawn here rather than shipped as
// image files so that they stay sharp on any screen scale.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace orv {

// A round clock face; the hands show h:m:s when `hands` is set.
QPixmap ClockFacePicture(int side, bool hands, int hour, int minute, int second);

// A solid triangle pointing up or down, for the clock's spin control.
QIcon SpinArrowIcon(bool up, const QColor& colour);

// A block arrow pointing left or right, for the calendar's month buttons.
QIcon MonthArrowIcon(bool left, const QColor& colour);

}  // namespace orv
