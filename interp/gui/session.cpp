#include "interp/gui/session.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <vector>

#include "interp/gui/debug_windows.h"
#include "interp/gui/ecran.h"
#include "interp/gui/input_box.h"
#include "interp/gui/qt_text.h"

namespace orv {
namespace {

// Singletons go when the application object does, before Qt is torn down.
TTableSymboles* tableSymboles = nullptr;
TVariable* variable = nullptr;
InterpreterSession* session = nullptr;
TForm12* form12 = nullptr;

void DeleteSingletons() {
  delete session;
  session = nullptr;
  delete form12;
  form12 = nullptr;
  delete variable;
  variable = nullptr;
  delete tableSymboles;
  tableSymboles = nullptr;
}

template <typename T>
T& Once(T*& instance) {
  static const bool registered = [] {
    qAddPostRoutine(DeleteSingletons);
    return true;
  }();
  (void)registered;
  if (!instance) instance = new T();
  return *instance;
}

// Waiting for the interpreter: called, then dropped, when it is created.
struct Waiter {
  QPointer<QObject> context;
  std::function<void(InterpreterSession&)> ready;
};
std::vector<Waiter>& Waiters() {
  static std::vector<Waiter> waiters;
  return waiters;
}

}  // namespace

TTableSymboles& TableSymbolesWindow() { return Once(tableSymboles); }
TVariable& VariableWindow() { return Once(variable); }
InterpreterSession& Interpreter() {
  if (session) return *session;
  Once(session);
  std::vector<Waiter> waiters = std::move(Waiters());
  Waiters().clear();
  for (Waiter& waiter : waiters)
    if (waiter.context) waiter.ready(*session);
  return *session;
}

InterpreterSession* ExistingInterpreter() { return session; }

void WhenInterpreterExists(QObject* context, std::function<void(InterpreterSession&)> ready) {
  if (session) return ready(*session);
  Waiters().push_back({context, std::move(ready)});
}

TForm12& Form12Window() { return Once(form12); }

InterpreterSession::InterpreterSession() : ecran_(new TEcran()) {
  host_ = std::make_unique<GuiHost>(*ecran_, [] () -> TForm12& { return Form12Window(); });
  interpreter_ = std::make_unique<TForm3>(*host_);
  connect(ecran_, &TEcran::InterruptRequested, this, &InterpreterSession::RequestInterrupt);
}

InterpreterSession::~InterpreterSession() {
  interpreter_.reset();  // closes the program's files
  delete ecran_;
}

bool InterpreterSession::Exec(LineList& lines, int32_t& finalState) {
  if (running_) return false;
  running_ = true;
  host_->ClearInterrupt();
  emit RunningChanged(true);
  qApp->installEventFilter(this);
  interpreter_->Exec(lines, ResumeLine, StepMode, finalState);
  qApp->removeEventFilter(this);
  running_ = false;
  emit RunningChanged(false);
  return true;
}

// A program waiting in the keyboard box is interrupted too: the box closes.
void InterpreterSession::RequestInterrupt() {
  if (!running_) return;
  host_->RequestInterrupt();
  if (form12 && form12->isVisible()) form12->reject();
}

bool InterpreterSession::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool pause = key->key() == Qt::Key_Pause && (key->modifiers() & Qt::ControlModifier);
    // Échap belongs to the message boxes a program opens; the keyboard box
    // takes it as a request to stop (it rejects itself).
    const bool escape = key->key() == Qt::Key_Escape && !QApplication::activeModalWidget();
    if (pause || escape) {
      RequestInterrupt();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void InterpreterSession::Stats() {
  TTableSymboles& window = TableSymbolesWindow();
  window.Clear();
  for (const std::string& line : interpreter_->Stats()) window.Init(FromCp1252(line));
  window.exec();
}

void InterpreterSession::Examiner() {
  TVariable& window = VariableWindow();
  window.SetEvaluator([this](const QString& text) {
    return FromCp1252(interpreter_->Examiner(ToCp1252(text)));
  });
  window.exec();
}

}  // namespace orv
