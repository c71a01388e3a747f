#include "interp/gui/session.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <vector>

#include "interp/gui/debug_windows.h"
#include "interp/gui/ecran.h"
#include "interp/gui/input_box.h"
#include "common/gui/qt_text.h"
#include "common/gui/view_settings.h"

namespace orv {
namespace {

// Singletons go when the application object does, before Qt is torn down.
TTableSymboles* tableSymboles = nullptr;
TVariable* variable = nullptr;
TPileExecution* pileExecution = nullptr;
InterpreterSession* session = nullptr;
TForm12* form12 = nullptr;

void DeleteSingletons() {
  delete session;
  session = nullptr;
  delete form12;
  form12 = nullptr;
  delete variable;
  variable = nullptr;
  delete pileExecution;
  pileExecution = nullptr;
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

constexpr qsizetype kMaxValueShown = 1000;  // characters of a long string in the listing

// The debug views stay above the main window, like its tool windows.
void ShowTool(QDialog& window) {
  if (!window.isVisible()) StayAboveMainWindow(window);
  window.show();
  window.raise();
  window.activateWindow();
}

bool HasValue(const Symbol& symbol) {
  const bool array = !symbol.Name.empty() && symbol.Name.back() == '[';
  return !array && (symbol.Kind == 'C' || symbol.Kind == 'I' || symbol.Kind == 'R' || symbol.Kind == 'S');
}

QString Shortened(QString value) {
  if (value.size() <= kMaxValueShown) return value;
  const qsizetype length = value.size();
  value.truncate(kMaxValueShown);
  return value + QStringLiteral("… (%1 caractères)").arg(length);
}

}  // namespace

TTableSymboles& TableSymbolesWindow() { return Once(tableSymboles); }
TVariable& VariableWindow() { return Once(variable); }
TPileExecution& PileExecutionWindow() { return Once(pileExecution); }
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
  stack_ = StackEntries(*interpreter_, &lines);
  // Whatever box the run opened and closed, its output stays in front.
  if (ecran_->isVisible()) ecran_->raise();
  RefreshDebugViews();
  emit RunningChanged(false);
  return true;
}

bool InterpreterSession::StepBack(LineList& lines, int32_t& finalState, QString& note) {
  if (running_) return false;
  std::string text;
  const bool back = interpreter_->StepBack(ResumeLine, finalState, text);
  note = FromCp1252(text);
  if (!back) return false;
  stack_ = StackEntries(*interpreter_, &lines);
  RefreshDebugViews();
  return true;
}

void InterpreterSession::ShowEcran() { ecran_->ShowScreen(); }

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

// The debug views read the interpreter between lines; what they ask must
// not change how the run goes on.
QString InterpreterSession::Examined(const std::string& text) {
  const int32_t state = interpreter_->RunState;
  const std::string result = interpreter_->Examiner(text);
  interpreter_->RunState = state;
  return FromCp1252(result);
}

std::vector<TTableSymboles::Line> InterpreterSession::ListingLines() {
  const std::vector<std::string> listing = interpreter_->Stats();
  const std::vector<Symbol>& symbols = interpreter_->SymbolTable;
  std::vector<TTableSymboles::Line> lines;
  lines.reserve(listing.size());
  for (size_t i = 0; i < listing.size(); ++i) {
    TTableSymboles::Line line{FromCp1252(listing[i]), std::nullopt, i < symbols.size()};
    if (line.symbol && HasValue(symbols[i])) line.value = Shortened(Examined(symbols[i].Name));
    lines.push_back(std::move(line));
  }
  return lines;
}

// A refresh nobody asked for shows no message box: an examined index that
// has become wrong just gives an empty result.
void InterpreterSession::RefreshDebugViews() {
  host_->SetMessagesMuted(true);
  // Open views stay above the screen, which each run brings to the front.
  if (tableSymboles && tableSymboles->isVisible()) {
    tableSymboles->Refresh(ListingLines(), LookAtArrays(*interpreter_));
    tableSymboles->raise();
  }
  if (variable && variable->isVisible()) {
    variable->Refresh();
    variable->raise();
  }
  if (pileExecution && pileExecution->isVisible()) {
    pileExecution->Refresh(stack_);
    pileExecution->raise();
  }
  host_->SetMessagesMuted(false);
}

void InterpreterSession::Stats() {
  TTableSymboles& window = TableSymbolesWindow();
  if (!window.isVisible()) window.Clear();  // a new look: nothing has changed yet
  host_->SetMessagesMuted(true);
  window.Refresh(ListingLines(), LookAtArrays(*interpreter_));
  host_->SetMessagesMuted(false);
  ShowTool(window);
}

void InterpreterSession::Examiner() {
  TVariable& window = VariableWindow();
  window.SetEvaluator([this](const QString& text) { return Examined(ToCp1252(text)); });
  if (!window.isVisible()) {
    host_->SetMessagesMuted(true);
    window.Refresh(false);  // the last name, as it is now
    host_->SetMessagesMuted(false);
  }
  ShowTool(window);
}

void InterpreterSession::Pile() {
  TPileExecution& window = PileExecutionWindow();
  window.Refresh(stack_);
  ShowTool(window);
}

}  // namespace orv
