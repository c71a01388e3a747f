// What each menu item and tool bar button does: most commands go to the
// active editor window, the others to the frame, the interpreter's views, the
// help or a desk utility. Kept apart so the whole table reads at one glance.
#include <QActionGroup>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPageSetupDialog>

#include "editor/Childwin.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/gui_host.h"
#include "interp/gui/session.h"
#include "shell/Main.h"
#include "shell/about.h"
#include "shell/help/help_viewer.h"
#include "shell/main_form_shared.h"
#include "shell/menu_table.h"
#include "shell/program_picture.h"
#include "utilities/Calend.h"
#include "utilities/Horloge1.h"
#include "utilities/Pocket1.h"

namespace orv {
namespace {

constexpr int kNewWindowCaret = 137;  // the blank line inside main
constexpr char kHelpPlaced[] = "orvHelpPlaced";  // the help placed once
constexpr char kLinesRouted[] = "orvLinesRouted";  // the stack view's lines go to the editor

template <typename Window>
Window& Ensure(Window*& window, QWidget* parent) {
  if (!window) window = new Window(parent);
  return *window;
}

// A title as the window manager shows it: Qt's "[*]" becomes "*" while the
// window is modified and goes away otherwise.
QString ShownTitle(const QWidget& window) {
  QString title = window.windowTitle();
  title.replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
  return title;
}

}  // namespace

// Every menu item and button to what it does.
void TMainForm::Route() {
  const std::pair<const char*, std::function<void()>> routes[] = {
      {"FileNewItem", [this] { FileNewItemClick(); }},
      {"FileOpenItem", [this] { FileOpenItemClick(); }},
      {"FileCloseItem", [this] { FileCloseItemClick(); }},
      {"FileSaveItem", [this] { if (TEditeur* e = ActiveEditor()) e->Enregistrer(); }},
      {"FileSaveAsItem", [this] { if (TEditeur* e = ActiveEditor()) e->SaveAs(); }},
      {"Importer1", [this] { OnEditor(&TEditeur::Importer); }},
      {"Imprimer1", [this] { OnEditor(&TEditeur::Imprimer); }},
      {"Configurationimpression1", [this] { QPageSetupDialog(&ApplicationPrinter(), this).exec(); }},
      {"FileExitItem", [this] { close(); }},
      {"CutItem", [this] { OnEditor(&TEditeur::Couper); }},
      {"CopyItem", [this] { OnEditor(&TEditeur::Copier); }},
      {"PasteItem", [this] { OnEditor(&TEditeur::Coller); }},
      {"Toutslectionner1", [this] { OnEditor(&TEditeur::ToutSelectionner); }},
      {"Rechercher1", [this] { OnEditor(&TEditeur::Chercher); }},
      {"Continuer1", [this] { OnEditor(&TEditeur::Continuer); }},
      {"Remplacer1", [this] { OnEditor(&TEditeur::Remplacer); }},
      {"AllerLigne1", [this] { OnEditor(&TEditeur::AllerALaLigne); }},
      {"NumerosLigne1", [this] { NumerosLigneClick(); }},
      {"subs1", [this] { OnEditor(&TEditeur::ListeSubs); }},
      {"Tabledessymboles1", [this] { ShowDebugView(TableSymbolesWindow(), &InterpreterSession::Stats); }},
      {"Examinervariable1", [this] { ShowDebugView(VariableWindow(), &InterpreterSession::Examiner); }},
      {"PileExecution1", [this] {
         // Created at first use; a double-click on an entry shows its line.
         TPileExecution& pile = PileExecutionWindow();
         if (!pile.property(kLinesRouted).toBool()) {
           connect(&pile, &TPileExecution::LineChosen, this, [this](int line) {
             if (TEditeur* editor = ActiveEditor()) editor->CaretToLine(line);
           });
           pile.setProperty(kLinesRouted, true);
         }
         ShowDebugView(pile, &InterpreterSession::Pile);
       }},
      {"Ecran1", [] { Interpreter().ShowEcran(); }},
      {"Excuter1", [this] { OnEditor(&TEditeur::Executer); }},
      {"Pointdarrt1", [this] { OnEditor(&TEditeur::Arret); }},
      {"Continuer2", [this] { OnEditor(&TEditeur::Continuer2); }},
      {"PasArriere1", [this] { OnEditor(&TEditeur::PasArriere); }},
      {"Animer1", [this] { AnimerClick(); }},
      {"Interrompre1", [] { Interpreter().RequestInterrupt(); }},
      {"Pasapas", [this] { PasapasClick(); }},
      {"Motscl1", [this] { OnEditor(&TEditeur::Instructions); }},
      {"BoucleFor1", [this] { OnEditor(&TEditeur::Forg); }},
      {"Bouclewhile1", [this] { OnEditor(&TEditeur::whileg); }},
      {"BoucleRepeat1", [this] { OnEditor(&TEditeur::Dog); }},
      {"ConditionIf1", [this] { OnEditor(&TEditeur::Ifg); }},
      {"Lecturefichier1", [this] { OnEditor(&TEditeur::Liref); }},
      {"Ecriturefichier1", [this] { OnEditor(&TEditeur::Ecriref); }},
      {"Calendrier1", [this] { Ensure(Calendrier, this).exec(); }},
      {"Calculatrice1", [this] { Ensure(Pocket, this).exec(); }},
      {"Horloge1", [this] { Ensure(Horloge, this).exec(); }},
      {"WindowCascadeItem", [this] { mdiArea_->cascadeSubWindows(); }},
      {"WindowTileItem", [this] { mdiArea_->tileSubWindows(); }},
      {"WindowArrangeItem", [this] { WindowArrangeItemClick(); }},
      {"WindowMinimizeItem", [this] { WindowMinimizeItemClick(); }},
      {"Index1", [this] { Help().HContents(); }},
      {"Rechercher2", [this] { Help().HSearch(QString()); }},
      {"Utiliser1", [this] { Help().HowToUse(); }},
      {"HelpAboutItem", [this] { Ensure(AboutBox, this).exec(); }},
  };
  for (const auto& [name, handler] : routes) {
    routed_ << QString::fromLatin1(name);
    if (QAction* action = Action(name)) connect(action, &QAction::triggered, this, handler);
  }
  // The tool bar's buttons perform their menu item.
  for (const ToolButtonSpec& entry : ToolBarTable())
    if (!entry.name.empty())
      connect(Action(QString::fromStdString(entry.name)), &QAction::triggered,
              Action(QString::fromStdString(entry.command)), &QAction::trigger);
}

void TMainForm::OnEditor(void (TEditeur::*command)()) {
  if (TEditeur* editor = ActiveEditor()) (editor->*command)();
}

void TMainForm::FileNewItemClick() {
  const int n = static_cast<int>(mdiArea_->subWindowList().size()) + 1;
  TEditeur* editor = AddEditor(QStringLiteral("OrvJava - Java%1.java").arg(n));
  editor->SetCaretOffset(kNewWindowCaret);
  editor->Memo1->setFocus();
}

void TMainForm::FileCloseItemClick() {
  if (mdiArea_->activeSubWindow()) mdiArea_->closeActiveSubWindow();
}

void TMainForm::PasapasClick() {
  // The action has already inverted its check mark.
  if (TEditeur* editor = ActiveEditor()) editor->Pasapas(Action("Pasapas")->isChecked());
}

// An animation is step mode: the menu's check mark says so.
void TMainForm::AnimerClick() {
  TEditeur* editor = ActiveEditor();
  if (!editor) return;
  if (!editor->Animating()) Action("Pasapas")->setChecked(true);
  editor->Animer();
}

void TMainForm::NumerosLigneClick() {
  const bool shown = Action("NumerosLigne1")->isChecked();
  TEditeur::SetLineNumbersWanted(shown);
  for (TEditeur* editor : Editors()) editor->Memo1->SetLineNumbersVisible(shown);
}

void TMainForm::FillWindowMenu() {
  QMenu* menu = Menu("Window1");
  main_form::DropActions(*menu, windowList_);
  const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
  if (windows.isEmpty()) return;
  windowList_ << menu->addSeparator();
  auto* group = new QActionGroup(menu);
  for (int i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* window = windows[i];
    const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1);
    QString title = ShownTitle(*window);
    title.replace(u'&', QStringLiteral("&&"));
    QAction* action = menu->addAction(number + title);
    action->setCheckable(true);
    action->setChecked(window == mdiArea_->activeSubWindow());
    action->setActionGroup(group);
    connect(action, &QAction::triggered, this, [this, window] { mdiArea_->setActiveSubWindow(window); });
    windowList_ << action;
  }
}

TAide& TMainForm::Help() {
  if (!Aide) {
    Aide = new TAide(this);
    Aide->setWindowIcon(ProgramIcon());
  }
  if (!Aide->property(kHelpPlaced).toBool() && isVisible() && !Aide->isVisible()) {
    main_form::PlaceBesideCode(*Aide, *this, *mdiArea_->viewport());
    Aide->setProperty(kHelpPlaced, true);  // from now on where the learner leaves it
  }
  const QString file = QDir(startFolder_.isEmpty() ? QDir::currentPath() : startFolder_).filePath("OrvJava.hlp");
  if (Aide->HelpFile() != file) Aide->SetHelpFile(file);
  return *Aide;
}

void TMainForm::ShowHelpTopic(int context) { Help().ShowTopic(context); }

}  // namespace orv
