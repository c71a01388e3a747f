// Run commands of the editor window: run, resume, breakpoint, step mode.
#include <QApplication>
#include <QFileInfo>
#include <QTextBlock>

#include "common/markers.h"
#include "editor/Childwin.h"
#include "interp/gui/ecran.h"
#include "interp/gui/input_box.h"
#include "common/gui/qt_text.h"
#include "interp/gui/session.h"

#include <QPointer>

namespace orv {
namespace {

// The window whose program the interpreter ran last: a stopped run is its run.
QPointer<const TEditeur>& LastRunWindow() {
  static QPointer<const TEditeur> window;
  return window;
}

bool StartsWith(const std::string& line, char marker) { return !line.empty() && line[0] == marker; }

}  // namespace

// The program is named after its file; a window never saved after its title.
QString TEditeur::ProgramName() const {
  if (!FileName_.isEmpty()) return QFileInfo(FileName_).fileName();
  QString title = windowTitle();
  const QString prefix = QStringLiteral("OrvJava - ");
  if (title.startsWith(prefix)) title.remove(0, prefix.size());
  return title;
}

int32_t TEditeur::RunProgram() {
  InterpreterSession& session = Interpreter();
  LastRunWindow() = this;
  TForm3& interpreter = session.Interpreter();
  interpreter.InitPrg(ToCp1252(ProgramName()));
  interpreter.SetEchoKeyboard(true);
  SetStopLine(-1);
  // A fresh run starts on a clean screen, however it is started.
  if (interpreter.StartsOver(session.ResumeLine)) session.Ecran().Clear();
  // The screen opens where it leaves the program's text in view.
  session.Ecran().PlaceBeside(VisibleTextArea());
  int32_t finalState = 0;
  const bool wasReadOnly = RunReadOnly();
  SetRunReadOnly(true);
  session.Exec(Lines(), finalState);
  SetRunReadOnly(wasReadOnly);
  // The keyboard comes back to the program's text, where F7 goes on: the
  // screen or the keyboard box may have taken it during the run.
  if (QWidget* active = QApplication::activeWindow(); !active || active == &session.Ecran() ||
                                                       active == &Form12Window()) {
    window()->activateWindow();
    Memo1->setFocus();
  }
  return finalState;
}

// The part of the screen the program's visible lines take: from the text
// area's left edge to the end of the longest visible line.
QRect TEditeur::VisibleTextArea() const {
  const QRect view = Memo1->viewport()->rect();
  int right = 0, bottom = 0;
  for (QTextBlock block = Memo1->FirstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF box = Memo1->GeometryOf(block);
    if (box.top() > view.bottom()) break;
    const qreal width = block.layout()->lineCount() > 0 ? block.layout()->lineAt(0).naturalTextWidth() : 0;
    right = std::max(right, static_cast<int>(box.left() + width) + Memo1->fontMetrics().averageCharWidth());
    bottom = static_cast<int>(box.bottom());
  }
  const QRect used(view.topLeft(), QPoint(std::min(right, view.right()), std::min(bottom, view.bottom())));
  return QRect(Memo1->viewport()->mapToGlobal(used.topLeft()), used.size());
}

// The global rectangle of the caret's line in the text area (the line a
// stopped run goes on with).
QRect TEditeur::CaretLineArea() const {
  const QRect line = Memo1->cursorRect();
  const QRect row(0, line.top(), Memo1->viewport()->width(), line.height());
  return QRect(Memo1->viewport()->mapToGlobal(row.topLeft()), row.size());
}

// After a run, the yellow line, the caret and the status line agree on the
// line the next F7 executes. A loop's or a procedure's end runs as if it
// stood on the block's closing brace, the line above the resume point: that
// brace is lit, its text stays unmarked and the caret stays.
void TEditeur::ShowRunEnd(int32_t finalState) {
  if (finalState == kFinished) return emit RunEnded();
  InterpreterSession& session = Interpreter();
  if (finalState == kStoppedBeforeCloser) {
    SetStopLine(session.ResumeLine - 1, StepLineColor());
  } else {
    if (session.StepMode == 1) MarkStep(session.ResumeLine);
    if (finalState > 0) CaretToLine(session.ResumeLine);
  }
  ReportStop(finalState);
}

// Where and why the run stopped, for the learner: the failing line turns
// light red, and the main window's status line says it.
void TEditeur::ReportStop(int32_t finalState) {
  if (finalState != kStopped && finalState != kStoppedBeforeCloser) return;
  InterpreterSession& session = Interpreter();
  const int line = finalState == kStoppedBeforeCloser ? session.ResumeLine - 1 : session.ResumeLine;
  QString reason = FromCp1252(session.Interpreter().StopReason());
  const bool failure = !reason.isEmpty() && !session.Interpreter().Interrupted();
  if (reason.isEmpty() && finalState == kStoppedBeforeCloser) reason = QStringLiteral("fin de bloc");
  if (reason.isEmpty())
    reason = StartsWith(Lines().Line(line), kBreakMarker) ? QStringLiteral("point d'arrêt")
                                                         : QStringLiteral("pas à pas");
  if (failure) SetStopLine(line);
  emit RunStopped(line, reason);
}

void TEditeur::MarkStep(int line) {
  if (line < 0 || line >= Lines().Count()) return;
  Lines().SetLine(line, kStepMarker + Lines().Line(line));
}

// During an animated run the run commands pause it, nothing more: the run
// stays stopped where the last step left it.
void TEditeur::Executer() {
  if (Animating()) return PauseAnimation();
  if (Interpreter().Running()) return;
  StartRun();
}

// A run from the start, shown as F9 shows it.
int32_t TEditeur::StartRun() {
  Raz();
  Interpreter().ResumeLine = 0;
  const int32_t finalState = RunProgram();
  ShowRunEnd(finalState);
  return finalState;
}

void TEditeur::Continuer2() {
  if (Animating()) return PauseAnimation();
  if (Interpreter().Running()) return;
  ResumeRun();
}

// One resume from where the last run stopped, shown as F7 shows it.
int32_t TEditeur::ResumeRun() {
  InterpreterSession& session = Interpreter();
  const std::string line = Lines().Line(session.ResumeLine);
  if (StartsWith(line, kStepMarker)) Lines().SetLine(session.ResumeLine, line.substr(1));
  const int32_t finalState = RunProgram();
  ShowRunEnd(finalState);
  return finalState;
}

// Shown as an F7 stop shows the line it waits at; the note replaces the
// stop's report.
void TEditeur::PasArriere() {
  if (Animating()) PauseAnimation();
  InterpreterSession& session = Interpreter();
  if (session.Running()) return;
  if (LastRunWindow() != this) {
    if (LastRunWindow()) emit StatusNote(QStringLiteral("Retour impossible : le programme arrêté est celui d'une autre fenêtre"));
    else emit StatusNote(QStringLiteral("Retour impossible : aucune ligne exécutée en pas à pas"));
    return;
  }
  const int32_t from = session.ResumeLine;
  int32_t finalState = 0;
  QString note;
  if (session.StepBack(Lines(), finalState, note)) {
    if (const std::string line = Lines().Line(from); StartsWith(line, kStepMarker)) Lines().SetLine(from, line.substr(1));
    if (finalState == kStoppedBeforeCloser) {
      SetStopLine(session.ResumeLine - 1, StepLineColor());
    } else {
      SetStopLine(-1);
      MarkStep(session.ResumeLine);
      CaretToLine(session.ResumeLine);
    }
  }
  emit StatusNote(note);
}

// The interpreter stands in a run of this window's program, stopped: F7
// would go on with it.
bool TEditeur::HoldsStoppedRun() const {
  InterpreterSession& session = Interpreter();
  return LastRunWindow() == this && !session.Running() && !session.Interpreter().StartsOver(session.ResumeLine);
}

// A stop of step mode before the next line, and nothing else: no error, no
// interrupt, no breakpoint on the line where the run waits.
bool TEditeur::PlainStepStop(int32_t finalState) {
  if (finalState != kStopped && finalState != kStoppedBeforeCloser) return false;
  InterpreterSession& session = Interpreter();
  if (session.StepMode != 1) return false;
  const TForm3& interpreter = session.Interpreter();
  if (!interpreter.StopReason().empty() || interpreter.Interrupted()) return false;
  const int stop = finalState == kStoppedBeforeCloser ? session.ResumeLine - 1 : session.ResumeLine;
  std::string line = Lines().Line(stop);
  if (StartsWith(line, kStepMarker)) line.erase(0, 1);
  return !StartsWith(line, kBreakMarker);
}

// Toggles the breakpoint of the caret's line. The resume point stays where the
// stopped run left it, and the caret keeps its place in the text (at the start
// of the line it stays at the start).
void TEditeur::Arret() {
  if (Interpreter().Running()) return;
  QTextCursor cursor = Memo1->textCursor();
  const int anchor = cursor.anchor(), position = cursor.position();
  const QTextBlock block = Memo1->document()->findBlock(position);
  const int k = block.blockNumber();
  const int start = block.position(), end = start + block.length() - 1;
  const std::string line = Lines().Line(k);
  const bool remove = StartsWith(line, kBreakMarker);
  Lines().SetLine(k, remove ? line.substr(1) : kBreakMarker + line);
  const int delta = remove ? -1 : 1;
  auto moved = [&](int p) {
    if (p <= start) return p;
    if (p > end) return p + delta;
    return std::max(start, p + delta);
  };
  cursor.setPosition(moved(anchor));
  cursor.setPosition(moved(position), QTextCursor::KeepAnchor);
  Memo1->setTextCursor(cursor);
}

void TEditeur::Pasapas(bool checked) {
  if (!checked) PauseAnimation();  // an animation is step mode
  Interpreter().StepMode = checked ? 1 : 0;
}

}  // namespace orv
