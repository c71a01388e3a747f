// The animated run of the editor window: step mode driven by a timer, one
// resume (the F7 path) at each tick, the event loop free between two ticks.
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

#include "common/gui/view_settings.h"
#include "editor/Childwin.h"
#include "interp/gui/input_box.h"
#include "interp/gui/session.h"

namespace orv {

const std::vector<int>& TEditeur::AnimationPaces() {
  static const std::vector<int> paces = {2000, 1000, 500, 333, 250, 200};
  return paces;
}

namespace {

const QString kPaceKey = QStringLiteral("execution/rythmeAnimation");
constexpr int kDefaultPace = 500;

bool IsModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return true;
    default: return false;
  }
}

// A scroll bar of the text area, or a part of one: scrolling goes on
// watching the animation.
bool InScrollBar(const QWidget* widget, const QWidget* top) {
  for (; widget && widget != top; widget = widget->parentWidget())
    if (qobject_cast<const QScrollBar*>(widget)) return true;
  return false;
}

// The level nearest to `milliseconds` (a hand-edited setting too).
int NearestPace(int milliseconds) {
  const std::vector<int>& paces = TEditeur::AnimationPaces();
  return *std::min_element(paces.begin(), paces.end(), [milliseconds](int a, int b) {
    return std::abs(a - milliseconds) < std::abs(b - milliseconds);
  });
}

}  // namespace

int TEditeur::AnimationPace() { return NearestPace(Setting(kPaceKey, kDefaultPace).toInt()); }
void TEditeur::SetAnimationPace(int milliseconds) { SetSetting(kPaceKey, NearestPace(milliseconds)); }

bool TEditeur::Animating() const { return animating_; }

void TEditeur::Animer() {
  if (Animating()) return PauseAnimation();
  InterpreterSession& session = Interpreter();
  if (session.Running()) return;
  if (!AnimationTimer_) {
    AnimationTimer_ = new QTimer(this);
    AnimationTimer_->setSingleShot(true);
    connect(AnimationTimer_, &QTimer::timeout, this, &TEditeur::AnimationTick);
    // Another editor window becoming active takes the interpreter.
    connect(this, &TEditeur::Deactivated, this, &TEditeur::PauseAnimation);
  }
  session.StepMode = 1;
  animating_ = true;
  qApp->installEventFilter(this);
  emit AnimationChanged(true);
  AnimationTick();  // the first line at once: the command is seen to act
}

void TEditeur::PauseAnimation() {
  if (!animating_) return;
  animating_ = false;
  AnimationTimer_->stop();
  qApp->removeEventFilter(this);
  emit AnimationChanged(false);
}

void TEditeur::ScheduleTick() { AnimationTimer_->start(AnimationPace()); }

// One line, exactly as F7 runs it; a run not started, ended, or of another
// window starts as F9 does. The next tick only after a plain step stop.
void TEditeur::AnimationTick() {
  if (!animating_) return;
  InterpreterSession& session = Interpreter();
  // A dialog the learner opened, or a run of another window, is waited for.
  if (session.Running() || QApplication::activeModalWidget()) return ScheduleTick();
  if (session.StepMode != 1) return PauseAnimation();  // never more than one line
  bool readKeyboard = false;
  const QMetaObject::Connection reading =
      connect(&Form12Window(), &QDialog::finished, this, [&readKeyboard] { readKeyboard = true; });
  const int32_t finalState = HoldsStoppedRun() ? ResumeRun() : StartRun();
  disconnect(reading);
  if (!animating_) return;  // paused during the line
  if (readKeyboard || !PlainStepStop(finalState)) return PauseAnimation();
  ScheduleTick();
}

// While animating, the whole application is watched for what pauses.
bool TEditeur::eventFilter(QObject* watched, QEvent* event) {
  if (!animating_ || !watched->isWidgetType()) return QWidget::eventFilter(watched, event);
  auto* widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      // Échap belongs to an open menu or dialog.
      const bool escape = key->key() == Qt::Key_Escape && !QApplication::activeModalWidget() &&
                          !QApplication::activePopupWidget();
      const bool pause = key->key() == Qt::Key_Pause && (key->modifiers() & Qt::ControlModifier);
      if (escape || pause) {
        PauseAnimation();
        return true;
      }
      if (isAncestorOf(widget) && !IsModifierKey(key->key())) PauseAnimation();
      break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if ((widget == this || isAncestorOf(widget)) && !InScrollBar(widget, this)) PauseAnimation();
      break;
    case QEvent::Close:
      // This window, its frame or the main window closing.
      if (widget == this || widget->isAncestorOf(this)) PauseAnimation();
      break;
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orv
