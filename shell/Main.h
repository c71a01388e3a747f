// TMainForm: the frame of the environment. Its client area holds the editor
// windows; every command either acts on the frame itself or is handed to the
// active editor window, the interpreter's debug views, the help, the about box
// or a desk utility.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <functional>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSpinBox;
class QTimer;
class QToolBar;

namespace orv {

class InterpreterSession;
class TAboutBox;
class TAide;
class TCalendrier;
class TEditeur;
class THorloge;
class TPocket;
class TRecovery;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // The windows the main window opens; start-up creates them in its order.
  // Any left unset is created at first use.
  TAboutBox* AboutBox = nullptr;
  TCalendrier* Calendrier = nullptr;
  THorloge* Horloge = nullptr;
  TPocket* Pocket = nullptr;
  TAide* Aide = nullptr;

  // Every menu item and tool bar button by its name ("FileNewItem", "SaveBtn").
  QAction* Action(const QString& name) const { return actions_.value(name); }
  // The commands Route() gives a handler: each must name a menu item, and
  // each menu item must have one.
  const QStringList& RoutedCommands() const { return routed_; }
  QMenu* Menu(const QString& name) const { return menus_.value(name); }
  QMdiArea* MdiArea() const { return mdiArea_; }
  QLabel* StatusLine = nullptr;
  QLabel* Panel2 = nullptr;
  QLabel* CaretPanel = nullptr;  // "Ligne L, col C" of the active editor
  QToolBar* SpeedPanel = nullptr;
  // "Vitesse": the animated run's pace, as an index in
  // TEditeur::AnimationPaces() (higher is faster).
  QSpinBox* PaceBox = nullptr;

  TEditeur* ActiveEditor() const;
  QList<TEditeur*> Editors() const;
  QString StartFolder() const { return startFolder_; }
  // Where the open dialog starts.
  QString OpenDialogFolder() const;

  // Seams: where the open dialog's answer and the frame's messages come from.
  std::function<QString(QWidget*)> openFileName;
  std::function<void(const QString&)> message;
  // Answers the question about texts left by a crash (true: reopen them).
  std::function<bool(int count)> askReopen;

  // The copies kept against a crash; the environment sets one at start-up.
  void SetRecovery(TRecovery* recovery);
  void OfferRecoveredTexts();
  // Opens the files given on the command line.
  void OpenFiles(const QStringList& paths);
  void ShowAtRememberedPlace();

 public slots:
  void FileNewItemClick();
  void FileOpenItemClick();
  // Opens a file in a new editor window, as "&Ouvrir" does once a name is chosen.
  TEditeur* OpenEditor(const QString& path);
  void FileCloseItemClick();
  void PasapasClick();
  void AnimerClick();
  void WindowArrangeItemClick();
  void WindowMinimizeItemClick();
  void UpdateMenuItems();
  void Timer1Timer();
  // The help topic of a top-level menu (its context number).
  void ShowHelpTopic(int context);

 signals:
  // The frame closed, every editor window having agreed.
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void Route();
  void OnEditor(void (TEditeur::*command)());
  void ShowDebugView(QWidget& view, void (InterpreterSession::*show)());
  TEditeur* AddEditor(const QString& title);
  QRect NewEditorPlace(int index) const;
  void PlaceEditor(QMdiSubWindow* window, int index);
  void FollowClientArea();
  void ShowHintsOfDisabledItems(QMenu* menu);
  void OnSubWindowActivated(QMdiSubWindow* window);
  void FillWindowMenu();
  void FillRecentFiles();
  void OpenRecentFile(const QString& path);
  void NumerosLigneClick();
  void UpdateCaretPanel();
  TAide& Help();
  void ShowMessage(const QString& text);

  QMdiArea* mdiArea_ = nullptr;
  QMap<QString, QAction*> actions_;
  QStringList routed_;
  QMap<QString, QMenu*> menus_;
  QMap<QMenu*, int> helpContexts_;
  QList<QAction*> windowList_;
  QList<QAction*> recentActions_;
  TRecovery* recovery_ = nullptr;
  QTimer* timer1_ = nullptr;
  QPointer<TEditeur> current_;  // the active editor window, as last activated
  QString startFolder_;
  QString lastOpenFolder_;
  bool shown_ = false;
};

}  // namespace orv
