// The interpreter of the environment and its windows. One set for the whole
// application: every editor window runs its program here, and the debug views
// show the state of the last run, whichever editor ran it.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "interp/Unit3.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/gui_host.h"

namespace orv {

class TEcran;
class TForm12;

class InterpreterSession : public QObject {
  Q_OBJECT

 public:
  InterpreterSession();
  ~InterpreterSession() override;

  TForm3& Interpreter() { return *interpreter_; }
  GuiHost& Host() { return *host_; }
  TEcran& Ecran() { return *ecran_; }

  // Shared by all editor windows.
  int32_t ResumeLine = 0;
  int32_t StepMode = 0;

  bool Running() const { return running_; }
  // TForm3::Exec on ResumeLine and StepMode while the windows stay alive:
  // Échap (in the editor or on the screen) or Ctrl+Pause interrupts the run.
  // Refused (false) while a run is already going on.
  bool Exec(LineList& lines, int32_t& finalState);
  void RequestInterrupt();
  // "Exécuter > Pas en arrière": the last line run in step mode taken back
  // (TForm3::StepBack on ResumeLine), the views refreshed. `note` says where
  // the run now stands, or why nothing could be taken back (false).
  bool StepBack(LineList& lines, int32_t& finalState, QString& note);
  // "Voir > Ecran": the output screen, shown and brought to the front.
  void ShowEcran();

  // The symbol-table listing and the examine dialog, filled and shown as
  // tool windows that may stay open: after every run, each one open shows
  // the state again, what changed in bold.
  void Stats();
  void Examiner();
  // "Voir > Pile d'exécution": the loops and calls the last run left on the
  // stacks (at a stop, an error or the end).
  void Pile();
  void RefreshDebugViews();

 signals:
  void RunningChanged(bool running);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // TForm3::Examiner, leaving RunState as it was.
  QString Examined(const std::string& text);
  std::vector<TTableSymboles::Line> ListingLines();

  TEcran* ecran_ = nullptr;
  std::unique_ptr<GuiHost> host_;
  std::unique_ptr<TForm3> interpreter_;
  bool running_ = false;
  std::vector<StackEntry> stack_;  // what the stack view lists, taken at the end of each run while the text is at hand
};

// The interpreter's windows, each created once: by the start-up sequence in
// its order, or at first use. They last until the application ends.
TTableSymboles& TableSymbolesWindow();
TVariable& VariableWindow();
TPileExecution& PileExecutionWindow();
InterpreterSession& Interpreter();  // with the "Ecran" window
TForm12& Form12Window();
// The interpreter only once something has created it (nullptr before), so
// that looking does not create the "Ecran" window out of its turn.
InterpreterSession* ExistingInterpreter();
// Runs `ready` with the interpreter as soon as it exists (at once when it
// already does), while `context` lives.
void WhenInterpreterExists(QObject* context, std::function<void(InterpreterSession&)> ready);

}  // namespace orv
