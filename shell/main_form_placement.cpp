// Where the frame puts the windows it opens: editor windows in the client
// area (following its size until the learner moves them), the debug views and
// the help clear of the code, and the frame itself where it was left. Window
// managers and start-up order make this the fiddly part, so it stands alone.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "common/gui/view_settings.h"
#include "editor/Childwin.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/session.h"
#include "shell/Main.h"
#include "shell/main_form_shared.h"

namespace orv {
namespace {

// Properties of an editor's sub-window while it follows the client area.
constexpr char kAutoPlace[] = "orvPlace";
constexpr char kAutoIndex[] = "orvPlaceIndex";
constexpr char kPlaced[] = "orvPlaced";  // a debug view placed once

}  // namespace

// The help opens on the right half of the client area, below the menus and
// the tool bar, beside the code. The window manager's frame around it is
// taken as wide as the main window's own.
void main_form::PlaceBesideCode(QWidget& help, const QWidget& frame, const QWidget& clientArea) {
  const QRect area(clientArea.mapToGlobal(QPoint(0, 0)), clientArea.size());
  const QRect half(area.center().x() + 1, area.top(), area.right() - area.center().x(), area.height());
  const QRect inner = frame.geometry(), outer = frame.frameGeometry();
  const QMargins decoration(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                            outer.bottom() - inner.bottom());
  help.resize(half.size().shrunkBy(decoration).expandedTo(help.minimumSizeHint()));
  help.move(half.topLeft());
}

// The debug views stay open while the learner steps: the run keys work in
// them as in the frame.
// A view opens the first time side by side with the other along the bottom
// of the client area, clear of the line being executed; afterwards it opens
// where the learner left it.
void TMainForm::ShowDebugView(QWidget& view, void (InterpreterSession::*show)()) {
  for (const char* name : {"Excuter1", "Pointdarrt1", "Continuer2", "PasArriere1", "Interrompre1"}) view.addAction(Action(name));
  if (!view.property(kPlaced).toBool()) {
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QWidget* views[] = {&TableSymbolesWindow(), &VariableWindow(), &PileExecutionWindow()};
    std::vector<QSize> frames;
    for (const QWidget* each : views) frames.push_back(each->size().grownBy(frame));
    const QRect client(mdiArea_->mapToGlobal(QPoint(0, 0)), mdiArea_->size());
    const TEditeur* editor = ActiveEditor();
    const size_t slot = static_cast<size_t>(std::find(std::begin(views), std::end(views), &view) - std::begin(views));
    view.move(ToolPlace(client, frames, slot, editor ? editor->CaretLineArea() : QRect()));
    view.setProperty(kPlaced, true);
  }
  (Interpreter().*show)();
}

// A window keeps following the client area's size, as if it had just been
// opened, until the learner moves or sizes it: the windows opened at start-up
// (files on the command line, recovered texts) come before the window
// manager has maximised the frame.
void TMainForm::PlaceEditor(QMdiSubWindow* window, int index) {
  const QRect place = NewEditorPlace(index);
  window->setGeometry(place);
  window->setProperty(kAutoPlace, place);
  window->setProperty(kAutoIndex, index);
}

void TMainForm::FollowClientArea() {
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    const QVariant place = window->property(kAutoPlace);
    if (!place.isValid()) continue;
    if (window->geometry() != place.toRect() || (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) {
      window->setProperty(kAutoPlace, QVariant());  // the learner's place from now on
      continue;
    }
    PlaceEditor(window, window->property(kAutoIndex).toInt());
  }
}

// Two thirds of the client area, each new window a title bar lower and to
// the right of the one before, starting again at the top when it would leave
// the area.
QRect TMainForm::NewEditorPlace(int index) const {
  const QSize area = mdiArea_->viewport()->size();
  const QSize size =
      QSize(area.width() * 2 / 3, area.height() * 2 / 3).expandedTo(QSize(420, 300)).boundedTo(area);
  const int step = std::max(20, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4);
  const int room = std::max(area.width() - size.width(), area.height() - size.height());
  const int places = std::max(1, room / step + 1);
  const int k = index % places;
  return QRect(QPoint(k * step, k * step), size);
}

// Where the learner left the frame, or maximised the first time.
void TMainForm::ShowAtRememberedPlace() {
  const QByteArray geometry = Setting(QStringLiteral("fenetre/geometrie")).toByteArray();
  if (geometry.isEmpty() || !restoreGeometry(geometry)) return showMaximized();
  if (Setting(QStringLiteral("fenetre/maximisee"), true).toBool()) showMaximized();
  else show();
}

// Minimised editor windows in a row along the bottom of the client area.
void TMainForm::WindowArrangeItemClick() {
  int x = 0;
  for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
    if (!window->isMinimized()) continue;
    const QSize size = window->size();
    window->move(x, mdiArea_->viewport()->height() - size.height());
    x += size.width();
  }
}

void TMainForm::WindowMinimizeItemClick() {
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->showMinimized();
}

}  // namespace orv
