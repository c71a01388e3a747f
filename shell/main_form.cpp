// The main window: menus, tool bar, status bar, and the routing of commands.
#include <QActionGroup>
#include <QWindow>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QProxyStyle>
#include <QPushButton>
#include <QTextBlock>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "editor/Childwin.h"
#include "interp/gui/debug_windows.h"
#include "interp/gui/gui_host.h"
#include "interp/gui/regional.h"
#include "interp/gui/session.h"
#include "shell/Main.h"
#include "shell/about.h"
#include "shell/help/help_viewer.h"
#include "shell/help/program_picture.h"
#include "shell/menu_table.h"
#include "shell/recent_files.h"
#include "shell/recovery.h"
#include "interp/gui/view_settings.h"
#include "shell/tool_icons.h"
#include "utilities/Calend.h"
#include "utilities/Horloge1.h"
#include "utilities/Pocket1.h"

namespace orv {
namespace {

constexpr int kNewWindowCaret = 137;  // the blank line inside main
constexpr int kToolBarHeight = 33;
constexpr int kStatusHeight = 28;
constexpr int kClockPanelWidth = 76;
// Properties of an editor's sub-window while it follows the client area.
constexpr char kAutoPlace[] = "orvPlace";
constexpr char kAutoIndex[] = "orvPlaceIndex";
constexpr char kHelpPlaced[] = "orvHelpPlaced";  // the help placed once
constexpr char kPlaced[] = "orvPlaced";  // a debug view placed once

template <typename Window>
Window& Ensure(Window*& window, QWidget* parent) {
  if (!window) window = new Window(parent);
  return *window;
}

// Menus in which disabled items take the highlight like the others.
class DisabledItemsStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_Menu_AllowActiveAndDisabled) return 1;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

// Takes the entries a menu was given for one showing out of it again.
void DropActions(QMenu& menu, QList<QAction*>& actions) {
  for (QAction* action : std::as_const(actions)) {
    menu.removeAction(action);
    delete action;
  }
  actions.clear();
}

// A title as the window manager shows it: Qt's "[*]" becomes "*" while the
// window is modified and goes away otherwise.
QString ShownTitle(const QWidget& window) {
  QString title = window.windowTitle();
  title.replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
  return title;
}

// The help opens on the right half of the client area, below the menus and
// the tool bar, beside the code. The window manager's frame around it is
// taken as wide as the main window's own.
void PlaceBesideCode(QWidget& help, const QWidget& frame, const QWidget& clientArea) {
  const QRect area(clientArea.mapToGlobal(QPoint(0, 0)), clientArea.size());
  const QRect half(area.center().x() + 1, area.top(), area.right() - area.center().x(), area.height());
  const QRect inner = frame.geometry(), outer = frame.frameGeometry();
  const QMargins decoration(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                            outer.bottom() - inner.bottom());
  help.resize(half.size().shrunkBy(decoration).expandedTo(help.minimumSizeHint()));
  help.move(half.topLeft());
}

QStyle& MenuStyle() {
  static DisabledItemsStyle* style = [] {
    auto* created = new DisabledItemsStyle;
    created->setParent(qApp);
    return created;
  }();
  return *style;
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("MainForm");
  setWindowTitle("Orv Java");
  setWindowIcon(ProgramIcon());
  resize(542, 386);
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setObjectName("MdiArea");
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdiArea_);
  mdiArea_->viewport()->installEventFilter(this);
  lastOpenFolder_ = Setting(QStringLiteral("fichiers/dossier")).toString();
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  Route();
  // FormCreate: availability follows every change of the active window.
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::OnSubWindowActivated);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, &TMainForm::UpdateMenuItems);
  // The interpreter comes later in the start-up order; its runs change what
  // is available once it exists.
  WhenInterpreterExists(this, [this](InterpreterSession& session) {
    connect(&session, &InterpreterSession::RunningChanged, this, &TMainForm::UpdateMenuItems);
  });
  timer1_ = new QTimer(this);
  timer1_->setTimerType(Qt::PreciseTimer);
  connect(timer1_, &QTimer::timeout, this, &TMainForm::Timer1Timer);
  timer1_->start(1000);
  Timer1Timer();
  UpdateMenuItems();
}

// FormDestroy: no availability update may run on windows being destroyed.
TMainForm::~TMainForm() {
  disconnect(qApp, &QGuiApplication::focusWindowChanged, this, &TMainForm::UpdateMenuItems);
  disconnect(mdiArea_, nullptr, this, nullptr);
}

void TMainForm::BuildMenus() {
  for (const MenuSpec& entry : MainMenuTable()) {
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(entry.caption));
    menu->setObjectName(QString::fromStdString(entry.name));
    menu->menuAction()->setStatusTip(QString::fromStdString(entry.hint));
    menu->installEventFilter(this);
    ShowHintsOfDisabledItems(menu);
    menus_.insert(menu->objectName(), menu);
    helpContexts_.insert(menu, entry.helpContext);
    for (const MenuItemSpec& item : entry.items) {
      QAction* action = item.caption == "-" ? menu->addSeparator()
                                            : menu->addAction(QString::fromStdString(item.caption));
      action->setObjectName(QString::fromStdString(item.name));
      action->setStatusTip(QString::fromStdString(item.hint));
      action->setCheckable(item.checkable);
      if (!item.shortcut.empty()) {
        action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
        // Only while the frame is the active window: the help viewer, the
        // output screen and the utilities keep their own keys.
        action->setShortcutContext(Qt::WindowShortcut);
      }
      action->setProperty("availability", static_cast<int>(item.availability));
      actions_.insert(action->objectName(), action);
    }
  }
  menuBar()->installEventFilter(this);
  connect(Menu("Window1"), &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);
  connect(Menu("File1"), &QMenu::aboutToShow, this, &TMainForm::FillRecentFiles);
  Action("NumerosLigne1")->setChecked(TEditeur::LineNumbersWanted());
}

void TMainForm::BuildToolBar() {
  SpeedPanel = addToolBar("SpeedPanel");
  SpeedPanel->setObjectName("SpeedPanel");
  SpeedPanel->setMovable(false);
  SpeedPanel->setFloatable(false);
  SpeedPanel->setFixedHeight(kToolBarHeight);
  SpeedPanel->setIconSize(QSize(22, 22));
  for (const ToolButtonSpec& entry : ToolBarTable()) {
    if (entry.name.empty()) {
      auto* gap = new QWidget(SpeedPanel);
      gap->setFixedWidth(10);
      SpeedPanel->addWidget(gap);
      continue;
    }
    const QString name = QString::fromStdString(entry.name);
    QAction* action = SpeedPanel->addAction(ToolIcon(name), QString());
    action->setObjectName(name);
    action->setToolTip(QString::fromStdString(entry.hint));
    action->setStatusTip(QString::fromStdString(entry.hint));
    action->setProperty("availability", static_cast<int>(entry.availability));
    action->setProperty("command", QString::fromStdString(entry.command));
    SpeedPanel->widgetForAction(action)->setObjectName(name);
    actions_.insert(name, action);
  }
}

void TMainForm::BuildStatusBar() {
  QStatusBar* panel1 = statusBar();
  panel1->setObjectName("Panel1");
  panel1->setFixedHeight(kStatusHeight);
  panel1->setSizeGripEnabled(false);
  StatusLine = new QLabel(panel1);
  StatusLine->setObjectName("StatusLine");
  StatusLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  StatusLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Panel2 = new QLabel(panel1);
  Panel2->setObjectName("Panel2");
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setAlignment(Qt::AlignCenter);
  Panel2->setFixedWidth(kClockPanelWidth);
  CaretPanel = new QLabel(panel1);
  CaretPanel->setObjectName("CaretPanel");
  CaretPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  CaretPanel->setAlignment(Qt::AlignCenter);
  CaretPanel->setMinimumWidth(CaretPanel->fontMetrics().horizontalAdvance(QStringLiteral("Ligne 00000, col 000")));
  panel1->addWidget(StatusLine, 1);
  panel1->addPermanentWidget(CaretPanel);
  panel1->addPermanentWidget(Panel2);
}

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
      {"Ecran1", [] { Interpreter().ShowEcran(); }},
      {"Excuter1", [this] { OnEditor(&TEditeur::Executer); }},
      {"Pointdarrt1", [this] { OnEditor(&TEditeur::Arret); }},
      {"Continuer2", [this] { OnEditor(&TEditeur::Continuer2); }},
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

// The debug views stay open while the learner steps: the run keys work in
// them as in the frame.
// A view opens the first time side by side with the other along the bottom
// of the client area, clear of the line being executed; afterwards it opens
// where the learner left it.
void TMainForm::ShowDebugView(QWidget& view, void (InterpreterSession::*show)()) {
  for (const char* name : {"Excuter1", "Pointdarrt1", "Continuer2", "Interrompre1"}) view.addAction(Action(name));
  if (!view.property(kPlaced).toBool()) {
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QWidget* views[] = {&TableSymbolesWindow(), &VariableWindow()};
    std::vector<QSize> frames;
    for (const QWidget* each : views) frames.push_back(each->size().grownBy(frame));
    const QRect client(mdiArea_->mapToGlobal(QPoint(0, 0)), mdiArea_->size());
    const TEditeur* editor = ActiveEditor();
    const size_t slot = &view == views[0] ? 0 : 1;
    view.move(ToolPlace(client, frames, slot, editor ? editor->CaretLineArea() : QRect()));
    view.setProperty(kPlaced, true);
  }
  (Interpreter().*show)();
}

void TMainForm::OnEditor(void (TEditeur::*command)()) {
  if (TEditeur* editor = ActiveEditor()) (editor->*command)();
}

TEditeur* TMainForm::ActiveEditor() const {
  QMdiSubWindow* window = mdiArea_->activeSubWindow();
  if (!window) window = mdiArea_->currentSubWindow();
  if (window) return qobject_cast<TEditeur*>(window->widget());
  return current_;
}

QList<TEditeur*> TMainForm::Editors() const {
  QList<TEditeur*> editors;
  for (QMdiSubWindow* window : mdiArea_->subWindowList())
    if (auto* editor = qobject_cast<TEditeur*>(window->widget())) editors << editor;
  return editors;
}

TEditeur* TMainForm::AddEditor(const QString& title) {
  auto* editor = new TEditeur;
  editor->setWindowTitle(title);
  QMdiSubWindow* window = mdiArea_->addSubWindow(editor);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowIcon(ProgramIcon());
  // The sub-window carries the modified mark; the editor's own title stays
  // the plain name the program and the recovery copies are named after. The
  // sub-window copies the editor's title at every change, so the mark is put
  // back after it.
  const auto markTitle = [window, editor] {
    window->setWindowTitle(editor->windowTitle() + QStringLiteral("[*]"));
    window->setWindowModified(editor->Modified());
  };
  connect(editor, &QWidget::windowTitleChanged, window, markTitle);
  connect(editor->Memo1->document(), &QTextDocument::modificationChanged, window, markTitle);
  markTitle();
  PlaceEditor(window, static_cast<int>(mdiArea_->subWindowList().size()) - 1);
  connect(editor, &QObject::destroyed, this, [this] { QTimer::singleShot(0, this, &TMainForm::UpdateMenuItems); });
  connect(editor, &TEditeur::FileOpened, this, [](const QString& path) { AddRecentFile(path); });
  connect(editor, &TEditeur::FileSaved, this, [](const QString& path) { AddRecentFile(path); });
  connect(editor, &TEditeur::RunStopped, this, [this](int line, const QString& reason) {
    StatusLine->setText(QStringLiteral("Arrêt à la ligne %1 : %2").arg(line + 1).arg(reason));
  });
  connect(editor, &TEditeur::RunEnded, this, [this] { StatusLine->setText(QStringLiteral("Programme terminé")); });
  connect(editor->Memo1, &QPlainTextEdit::cursorPositionChanged, this, [this, editor] {
    if (editor == ActiveEditor()) UpdateCaretPanel();
  });
  if (recovery_) recovery_->Track(editor);
  window->show();
  mdiArea_->setActiveSubWindow(window);
  UpdateMenuItems();
  return editor;
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

void TMainForm::FileNewItemClick() {
  const int n = static_cast<int>(mdiArea_->subWindowList().size()) + 1;
  TEditeur* editor = AddEditor(QStringLiteral("OrvJava - Java%1.java").arg(n));
  editor->SetCaretOffset(kNewWindowCaret);
  editor->Memo1->setFocus();
}

// The folder of the active editor's file, else the folder last opened from.
QString TMainForm::OpenDialogFolder() const {
  if (const TEditeur* editor = ActiveEditor(); editor && !editor->FileName().isEmpty())
    return QFileInfo(editor->FileName()).absolutePath();
  return lastOpenFolder_.isEmpty() || !QFileInfo(lastOpenFolder_).isDir() ? QDir::currentPath() : lastOpenFolder_;
}

void TMainForm::FileOpenItemClick() {
  QString path;
  if (openFileName) {
    path = openFileName(this);
  } else {
    QFileDialog dialog(this, "Ouvrir", OpenDialogFolder(), "Fichiers java (*.java);;Tous les fichiers (*.*)");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.selectFile("*.java");
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) path = dialog.selectedFiles().front();
  }
  if (path.isEmpty()) return;
  lastOpenFolder_ = QFileInfo(path).absolutePath();
  SetSetting(QStringLiteral("fichiers/dossier"), lastOpenFolder_);
  OpenEditor(path);
}

// The files named on the command line, each in its window; a missing one is
// reported and the others still open.
void TMainForm::OpenFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    if (QFileInfo(path).isFile()) OpenEditor(path);
    else ShowMessage(QStringLiteral("Le fichier « %1 » n'existe pas.").arg(path));
  }
}

// The recent files go above "&Quitter", numbered &1 to &8.
void TMainForm::FillRecentFiles() {
  QMenu* menu = Menu("File1");
  DropActions(*menu, recentActions_);
  const QStringList files = RecentFiles();
  if (files.isEmpty()) return;
  QAction* exit = Action("FileExitItem");
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QString shown = path;
    shown.replace(u'&', QStringLiteral("&&"));
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), menu);
    action->setStatusTip(QStringLiteral("Ouvrir %1").arg(path));
    connect(action, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    menu->insertAction(exit, action);
    recentActions_ << action;
  }
  recentActions_ << menu->insertSeparator(exit);
}

void TMainForm::OpenRecentFile(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    RemoveRecentFile(path);
    return ShowMessage(
        QStringLiteral("Le fichier « %1 » n'existe plus : il est retiré de la liste des fichiers récents.").arg(path));
  }
  lastOpenFolder_ = QFileInfo(path).absolutePath();
  OpenEditor(path);
}

void TMainForm::NumerosLigneClick() {
  const bool shown = Action("NumerosLigne1")->isChecked();
  TEditeur::SetLineNumbersWanted(shown);
  for (TEditeur* editor : Editors()) editor->Memo1->SetLineNumbersVisible(shown);
}

void TMainForm::UpdateCaretPanel() {
  const TEditeur* editor = ActiveEditor();
  if (!editor) return CaretPanel->clear();
  const QTextCursor cursor = editor->Memo1->textCursor();
  CaretPanel->setText(QStringLiteral("Ligne %1, col %2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

void TMainForm::SetRecovery(TRecovery* recovery) {
  recovery_ = recovery;
  if (recovery_)
    for (TEditeur* editor : Editors()) recovery_->Track(editor);
}

// Texts left by an environment that ended without closing its windows are
// offered back as modified windows, or deleted.
void TMainForm::OfferRecoveredTexts() {
  if (!recovery_) return;
  const QList<TRecovery::LeftCopy> copies = recovery_->LeftCopies();
  if (copies.isEmpty()) return;
  bool reopen = false;
  if (askReopen) {
    reopen = askReopen(static_cast<int>(copies.size()));
  } else {
    QMessageBox box(QMessageBox::Question, "Orv Java",
                    copies.size() == 1
                        ? QStringLiteral("OrvJava s'est arrêté sans enregistrer un texte modifié. Voulez-vous le "
                                         "rouvrir pour l'enregistrer, ou le supprimer ?")
                        : QStringLiteral("OrvJava s'est arrêté sans enregistrer %1 textes modifiés. Voulez-vous les "
                                         "rouvrir pour les enregistrer, ou les supprimer ?")
                              .arg(copies.size()),
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("&Rouvrir"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("&Supprimer"), QMessageBox::DestructiveRole);
    box.setDefaultButton(yes);
    box.exec();
    reopen = box.clickedButton() == yes;
  }
  if (reopen) {
    for (const TRecovery::LeftCopy& copy : copies) {
      TEditeur* editor = AddEditor(copy.title.isEmpty() ? QStringLiteral("OrvJava - Java.java") : copy.title);
      const QByteArray bytes = TRecovery::Read(copy);
      editor->LoadRecovered(std::string(bytes.constData(), static_cast<size_t>(bytes.size())), copy.original);
    }
  }
  recovery_->Forget(copies);
  if (reopen) recovery_->CopyNow();
}

// Where the learner left the frame, or maximised the first time.
void TMainForm::ShowAtRememberedPlace() {
  const QByteArray geometry = Setting(QStringLiteral("fenetre/geometrie")).toByteArray();
  if (geometry.isEmpty() || !restoreGeometry(geometry)) return showMaximized();
  if (Setting(QStringLiteral("fenetre/maximisee"), true).toBool()) showMaximized();
  else show();
}

TEditeur* TMainForm::OpenEditor(const QString& path) {
  TEditeur* editor = AddEditor(QStringLiteral("OrvJava - ") + QFileInfo(path).fileName());
  editor->OpenFile(path);
  editor->show();
  return editor;
}

void TMainForm::FileCloseItemClick() {
  if (mdiArea_->activeSubWindow()) mdiArea_->closeActiveSubWindow();
}

void TMainForm::PasapasClick() {
  // The action has already inverted its check mark.
  if (TEditeur* editor = ActiveEditor()) editor->Pasapas(Action("Pasapas")->isChecked());
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

void TMainForm::UpdateMenuItems() {
  const int editors = static_cast<int>(mdiArea_->subWindowList().size());
  const InterpreterSession* session = ExistingInterpreter();
  const bool running = session && session->Running();
  for (QAction* action : std::as_const(actions_)) {
    const QVariant availability = action->property("availability");
    if (availability.isValid())
      action->setEnabled(IsAvailable(static_cast<Availability>(availability.toInt()), editors, running));
  }
}

// An editor window becomes the active child: the previous one is told first.
// The frame losing the focus (to "Ecran" or a dialog) is no change of child.
void TMainForm::OnSubWindowActivated(QMdiSubWindow* window) {
  TEditeur* editor = window ? qobject_cast<TEditeur*>(window->widget()) : nullptr;
  if (!editor && !mdiArea_->subWindowList().isEmpty()) return UpdateMenuItems();
  if (editor != current_) {
    if (current_) current_->FormDeactivate();
    current_ = editor;
    if (editor) editor->FormActivate();
  }
  UpdateMenuItems();
  UpdateCaretPanel();
}

void TMainForm::FillWindowMenu() {
  QMenu* menu = Menu("Window1");
  DropActions(*menu, windowList_);
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

void TMainForm::Timer1Timer() {
  const QLocale locale = RegionalLocale();
  Panel2->setText(locale.toString(QTime::currentTime(), LongTimeFormat(locale)));
}

TAide& TMainForm::Help() {
  if (!Aide) Aide = new TAide(this);
  if (!Aide->property(kHelpPlaced).toBool() && isVisible() && !Aide->isVisible()) {
    PlaceBesideCode(*Aide, *this, *mdiArea_->viewport());
    Aide->setProperty(kHelpPlaced, true);  // from now on where the learner leaves it
  }
  const QString file = QDir(startFolder_.isEmpty() ? QDir::currentPath() : startFolder_).filePath("OrvJava.hlp");
  if (Aide->HelpFile() != file) Aide->SetHelpFile(file);
  return *Aide;
}

void TMainForm::ShowHelpTopic(int context) { Help().ShowTopic(context); }

// Disabled items can be highlighted, and every highlighted item shows its
// hint, so a learner finds out what a greyed command would do.
void TMainForm::ShowHintsOfDisabledItems(QMenu* menu) {
  menu->setStyle(&MenuStyle());
  connect(menu, &QMenu::hovered, this, [this](QAction* action) {
    if (!action->isSeparator()) StatusLine->setText(action->statusTip());
  });
}

void TMainForm::ShowMessage(const QString& text) {
  if (message) return message(text);
  QMessageBox::warning(this, "Orv Java", text);
}

// FormShow: the start folder is the working folder of the first show.
void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  startFolder_ = QDir::currentPath();
  if (!Setting(QStringLiteral("fenetre/geometrie")).isValid()) {
    resize(width() - 10, height());
    setWindowState(windowState() | Qt::WindowMaximized);
  }
}

// FormClose: every editor window is asked first and any may refuse; only
// when all agree do they close. Then the start folder comes back.
void TMainForm::closeEvent(QCloseEvent* event) {
  const QList<TEditeur*> editors = Editors();
  for (TEditeur* editor : editors) {
    if (!editor->FormCloseQuery()) {
      event->ignore();
      return;
    }
  }
  for (TEditeur* editor : editors) editor->AgreeToClose();
  mdiArea_->closeAllSubWindows();
  if (!mdiArea_->subWindowList().isEmpty()) {
    event->ignore();
    return;
  }
  SetSetting(QStringLiteral("fenetre/geometrie"), saveGeometry());
  SetSetting(QStringLiteral("fenetre/maximisee"), isMaximized());
  if (!startFolder_.isEmpty() && !QDir::setCurrent(startFolder_))
    ShowMessage(QStringLiteral("Impossible de revenir au dossier de départ %1.").arg(startFolder_));
  event->accept();
  emit Closed();
}

// The hint of whatever the mouse or the keyboard highlights goes to StatusLine.
bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    StatusLine->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

// F1 on a highlighted menu or menu item shows that menu's help topic.
bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mdiArea_->viewport()) {
    if (event->type() == QEvent::Resize) FollowClientArea();
    return QMainWindow::eventFilter(watched, event);
  }
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    QMenu* menu = qobject_cast<QMenu*>(watched);
    if (!menu && watched == menuBar() && menuBar()->activeAction()) menu = menuBar()->activeAction()->menu();
    if (menu && helpContexts_.contains(menu)) {
      const int context = helpContexts_.value(menu);
      QTimer::singleShot(0, this, [this, context] { ShowHelpTopic(context); });
      menu->close();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace orv
