// The main window's construction: its menus, tool bar and status bar from
// the menu tables, the editor windows it holds, and the frame's own events
// (showing, closing, status hints, F1 on a menu). What the commands do is in
// main_form_routes.cpp; where windows go, main_form_placement.cpp; opening
// files, main_form_recent.cpp; the texts left by a crash, main_form_recovery.cpp.
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProxyStyle>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
#include <algorithm>

#include "common/gui/regional.h"
#include "common/gui/view_settings.h"
#include "editor/Childwin.h"
#include "interp/gui/session.h"
#include "shell/Main.h"
#include "shell/main_form_shared.h"
#include "shell/menu_table.h"
#include "shell/program_picture.h"
#include "shell/recent_files.h"
#include "shell/recovery.h"
#include "shell/tool_icons.h"

namespace orv {
namespace {

constexpr int kToolBarHeight = 33;
constexpr int kStatusHeight = 28;
constexpr int kClockPanelWidth = 76;

// Menus in which disabled items take the highlight like the others.
class DisabledItemsStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    if (hint == SH_Menu_AllowActiveAndDisabled) return 1;
    return QProxyStyle::styleHint(hint, option, widget, data);
  }
};

// The animated run's pace, shown in lines a second. Its value is an index in
// the paces, the slowest first; arrows and the wheel step through them.
class PaceSpinBox : public QSpinBox {
 public:
  explicit PaceSpinBox(QWidget* parent) : QSpinBox(parent) {
    setRange(0, static_cast<int>(TEditeur::AnimationPaces().size()) - 1);
    lineEdit()->setReadOnly(true);
  }

 protected:
  QString textFromValue(int value) const override {
    const int pace = TEditeur::AnimationPaces().at(static_cast<size_t>(std::clamp(value, minimum(), maximum())));
    if (pace >= 2000) return QStringLiteral("1 ligne / %1 s").arg(pace / 1000);
    const int perSecond = (1000 + pace / 2) / pace;
    return perSecond == 1 ? QStringLiteral("1 ligne / s") : QStringLiteral("%1 lignes / s").arg(perSecond);
  }
  int valueFromText(const QString& text) const override {
    for (int value = minimum(); value <= maximum(); ++value)
      if (textFromValue(value) == text) return value;
    return this->value();
  }
  QValidator::State validate(QString& text, int&) const override {
    for (int value = minimum(); value <= maximum(); ++value)
      if (textFromValue(value) == text) return QValidator::Acceptable;
    return QValidator::Intermediate;
  }
};

QStyle& MenuStyle() {
  static DisabledItemsStyle* style = [] {
    auto* created = new DisabledItemsStyle;
    created->setParent(qApp);
    return created;
  }();
  return *style;
}

}  // namespace

// Takes the entries a menu was given for one showing out of it again.
void main_form::DropActions(QMenu& menu, QList<QAction*>& actions) {
  for (QAction* action : std::as_const(actions)) {
    menu.removeAction(action);
    delete action;
  }
  actions.clear();
}

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
  // The pace of "Exécuter > Animer", changed at any time: the next line
  // comes at the new pace.
  auto* gap = new QWidget(SpeedPanel);
  gap->setFixedWidth(10);
  SpeedPanel->addWidget(gap);
  auto* label = new QLabel(QStringLiteral("Vitesse "), SpeedPanel);
  PaceBox = new PaceSpinBox(SpeedPanel);
  PaceBox->setObjectName("PaceBox");
  PaceBox->setToolTip(QStringLiteral("Vitesse de l'exécution animée (Maj+F9)"));
  PaceBox->setStatusTip(QStringLiteral("Nombre de lignes exécutées par seconde quand le programme est animé"));
  PaceBox->setFocusPolicy(Qt::NoFocus);  // the keys stay with the program's text
  label->setBuddy(PaceBox);
  const std::vector<int>& paces = TEditeur::AnimationPaces();
  PaceBox->setValue(static_cast<int>(std::find(paces.begin(), paces.end(), TEditeur::AnimationPace()) - paces.begin()));
  connect(PaceBox, &QSpinBox::valueChanged, this,
          [](int value) { TEditeur::SetAnimationPace(TEditeur::AnimationPaces().at(static_cast<size_t>(value))); });
  SpeedPanel->addWidget(label);
  SpeedPanel->addWidget(PaceBox);
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

// Disabled items can be highlighted, and every highlighted item shows its
// hint, so a learner finds out what a greyed command would do.
void TMainForm::ShowHintsOfDisabledItems(QMenu* menu) {
  menu->setStyle(&MenuStyle());
  connect(menu, &QMenu::hovered, this, [this](QAction* action) {
    if (!action->isSeparator()) StatusLine->setText(action->statusTip());
  });
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
  connect(editor, &TEditeur::StatusNote, StatusLine, &QLabel::setText);
  connect(editor->Memo1, &QPlainTextEdit::cursorPositionChanged, this, [this, editor] {
    if (editor == ActiveEditor()) UpdateCaretPanel();
  });
  if (recovery_) recovery_->Track(editor);
  window->show();
  mdiArea_->setActiveSubWindow(window);
  UpdateMenuItems();
  return editor;
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

void TMainForm::UpdateCaretPanel() {
  const TEditeur* editor = ActiveEditor();
  if (!editor) return CaretPanel->clear();
  const QTextCursor cursor = editor->Memo1->textCursor();
  CaretPanel->setText(QStringLiteral("Ligne %1, col %2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
}

void TMainForm::Timer1Timer() {
  const QLocale locale = RegionalLocale();
  Panel2->setText(locale.toString(QTime::currentTime(), LongTimeFormat(locale)));
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
