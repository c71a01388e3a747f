#include "utilities/spin_button.h"

#include <QKeyEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QToolButton>

#include "utilities/pictures.h"

namespace orv {

namespace {
constexpr int kFocusMargin = 2;  // room for the focus frame around the arrows
}

SpinButton::SpinButton(QWidget* parent) : QWidget(parent), up_(MakeArrow(true)), down_(MakeArrow(false)) {
  setFocusPolicy(Qt::StrongFocus);
  connect(up_, &QToolButton::clicked, this, &SpinButton::UpClick);
  connect(down_, &QToolButton::clicked, this, &SpinButton::DownClick);
}

QToolButton* SpinButton::MakeArrow(bool up) {
  auto* button = new QToolButton(this);
  button->setIcon(SpinArrowIcon(up, QColor(0, 0, 128)));
  button->setFocusPolicy(Qt::NoFocus);  // the control as a whole takes the focus
  button->setAutoRepeat(true);
  button->setAutoRepeatDelay(kRepeatDelayMs);
  button->setAutoRepeatInterval(kRepeatIntervalMs);
  connect(button, &QToolButton::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
  return button;
}

void SpinButton::resizeEvent(QResizeEvent*) {
  const QRect inner = rect().adjusted(kFocusMargin, kFocusMargin, -kFocusMargin, -kFocusMargin);
  const int half = inner.height() / 2;
  up_->setGeometry(inner.x(), inner.y(), inner.width(), half);
  down_->setGeometry(inner.x(), inner.y() + half, inner.width(), inner.height() - half);
  const int icon = qMin(inner.width(), half) - 6;
  up_->setIconSize(QSize(icon, icon));
  down_->setIconSize(QSize(icon, icon));
}

void SpinButton::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up: emit UpClick(); break;
    case Qt::Key_Down: emit DownClick(); break;
    default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
}

void SpinButton::paintEvent(QPaintEvent*) {
  if (!hasFocus()) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.backgroundColor = palette().color(QPalette::Window);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace orv
