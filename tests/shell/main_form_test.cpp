// The environment's main window, driven through its real objects.
#include <QApplication>
#include <functional>
#include <QClipboard>
#include <QRegularExpression>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include "editor/Childwin.h"
#include "common/gui/qt_text.h"
#include "interp/gui/ecran.h"
#include "interp/gui/session.h"
#include "shell/Main.h"
#include "shell/help/help_viewer.h"
#include "shell/menu_table.h"
#include "shell/startup.h"
#include <QMessageBox>
#include <QTextBrowser>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>

using namespace orv;

namespace {

const QStringList kEditorItems = {
    "FileCloseItem", "FileSaveItem", "FileSaveAsItem", "Importer1", "Imprimer1", "CutItem", "CopyItem",
    "PasteItem", "Toutslectionner1", "Rechercher1", "Continuer1", "Remplacer1", "subs1",
    "AllerLigne1", "Tabledessymboles1", "Examinervariable1", "PileExecution1", "Excuter1", "Pointdarrt1", "Continuer2", "PasArriere1", "Animer1", "Pasapas",
    "Motscl1", "BoucleFor1", "Bouclewhile1", "BoucleRepeat1", "ConditionIf1", "Lecturefichier1",
    "Ecriturefichier1", "WindowCascadeItem", "WindowTileItem", "WindowArrangeItem", "WindowMinimizeItem",
    "SaveBtn", "CutBtn", "CopyBtn", "PasteBtn", "ExecButton"};
const QStringList kAlwaysItems = {"FileNewItem", "FileOpenItem", "Configurationimpression1", "FileExitItem",
                                  "Calendrier1", "Calculatrice1", "Horloge1", "Index1", "Rechercher2",
                                  "Utiliser1", "HelpAboutItem", "FileNew1Btn", "OpenBtn", "NumerosLigne1"};

// Closes the next modal dialog once it shows, reporting its class.
void CloseNextModal(QString* seen) {
  QTimer::singleShot(0, [seen] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return CloseNextModal(seen);
    if (seen) *seen = modal->metaObject()->className();
    modal->close();
  });
}

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private:
  TMainForm* main = nullptr;
  QStringList messages;
  QTemporaryDir settingsFolder;

  // Answers the next message boxes with the buttons named, in order,
  // recording their texts.
  void AnswerQuestions(QStringList* asked, QStringList buttons) {
    if (buttons.isEmpty()) return;
    QTimer::singleShot(0, [this, asked, buttons]() mutable {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return AnswerQuestions(asked, buttons);
      *asked << box->text();
      const QString wanted = buttons.takeFirst();
      AnswerQuestions(asked, buttons);  // the boxes that follow
      for (QAbstractButton* button : box->buttons())
        if (button->text() == wanted) return button->click();
    });
  }
  static void WriteProgram(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("import java.util.*;\r\nclass Calcul\r\n{\r\n}\r\n");
  }

  // The title as the window manager shows it.
  QString Title(int i) {
    const QMdiSubWindow* window = main->MdiArea()->subWindowList().at(i);
    return window->windowTitle().replace("[*]", window->isWindowModified() ? "*" : "");
  }
  QStringList WindowList() {
    QMenu* menu = main->Menu("Window1");
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QStringList listed;
    for (QAction* action : menu->actions())
      if (QRegularExpression("^&\\d ").match(action->text()).hasMatch()) listed << action->text();
    return listed;
  }
  int EditorCount() { return static_cast<int>(main->MdiArea()->subWindowList().size()); }
  void CloseAllEditors() {
    for (TEditeur* editor : main->Editors()) editor->SetModified(false);
    main->MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    QApplication::processEvents();
  }
  void CheckAvailability(bool withEditor) {
    for (const QString& name : kEditorItems) QCOMPARE(main->Action(name)->isEnabled(), withEditor);
    for (const QString& name : kAlwaysItems) QVERIFY2(main->Action(name)->isEnabled(), qPrintable(name));
    QVERIFY(!main->Action("Interrompre1")->isEnabled());
  }

 private slots:
  void initTestCase() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    InstallFrenchTranslations();
    // After each step exactly the window of that step has come into being
    // (the interpreter's is the output screen).
    QStringList order, created;
    QSet<QString> before;
    main = CreateWindows([&](const QString& name) {
      order << name;
      QStringList fresh;
      for (QWidget* window : QApplication::topLevelWidgets()) {
        const QString type = QString(window->metaObject()->className()).remove("orv::");
        if (!before.contains(type) && QString(window->metaObject()->className()).startsWith("orv::")) fresh << type;
        before.insert(type);
      }
      created << fresh.join('+');
    });
    const QStringList expected = {"TMainForm", "TAboutBox", "TListeSel", "TTableSymboles", "TVariable",
                                  "TMotsCle", "TBoucleFor", "TBoucleWhile", "TConditionIf", "TFileIO",
                                  "TForm3", "TForm12", "TCalendrier", "THorloge", "TPocket"};
    QCOMPARE(order, expected);
    QStringList windows = expected;
    windows[10] = "TEcran";
    QCOMPARE(created, windows);
    main->message = [this](const QString& m) { messages << m; };
    Interpreter().Host().messageBox = [this](const QString& m) { messages << m; };
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QCOMPARE(main->windowTitle(), QString("Orv Java"));
    QCOMPARE(main->StartFolder(), QDir::currentPath());
  }
  void cleanup() {
    CloseAllEditors();
    messages.clear();
  }

  // A menu item without a handler does nothing when chosen; a handler whose
  // name no menu item has is dead.
  void everyMenuItemHasItsCommandAndNoCommandIsLeftOver() {
    QStringList items;
    for (const MenuSpec& menu : MainMenuTable())
      for (const MenuItemSpec& item : menu.items)
        if (item.caption != "-") items << QString::fromStdString(item.name);
    QStringList routed = main->RoutedCommands();
    items.sort();
    routed.sort();
    QCOMPARE(routed, items);
  }

  void availabilityFollowsTheNumberOfEditors() {
    CheckAvailability(false);
    main->Action("FileNewItem")->trigger();
    CheckAvailability(true);
    main->Action("FileNewItem")->trigger();
    CheckAvailability(true);
    CloseAllEditors();
    CheckAvailability(false);
  }

  void disabledShortcutsDoNothing() {
    main->activateWindow();
    for (int key : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F5, Qt::Key_F7, Qt::Key_F9}) QTest::keyClick(main, Qt::Key(key));
    QTest::keyClick(main, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(EditorCount(), 0);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(messages.isEmpty());
  }

  void newWindowsAreNumberedByTheirCount() {
    for (int i = 0; i < 3; ++i) main->FileNewItemClick();
    QCOMPARE(Title(0), QString("OrvJava - Java1.java"));
    QCOMPARE(Title(2), QString("OrvJava - Java3.java"));
    main->MdiArea()->subWindowList().at(0)->close();
    QApplication::processEvents();
    main->FileNewItemClick();
    QCOMPARE(Title(2), QString("OrvJava - Java3.java"));  // two windows may bear the same title
    TEditeur* editor = main->ActiveEditor();
    QCOMPARE(editor->CaretOffset(), 137);
    QCOMPARE(editor->CaretLine(), 8);
  }

  void openUsesTheChosenFileAndCancelCreatesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Calcul.java");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("import java.util.*;\r\nclass Calcul\r\n{\r\n}\r\n");
    file.close();
    main->openFileName = [](QWidget*) { return QString(); };
    main->FileOpenItemClick();
    QCOMPARE(EditorCount(), 0);
    main->openFileName = [path](QWidget*) { return path; };
    main->FileOpenItemClick();
    main->openFileName = nullptr;
    QCOMPARE(EditorCount(), 1);
    QCOMPARE(Title(0), QString("OrvJava - Calcul.java"));
    QCOMPARE(FromCp1252(main->ActiveEditor()->Lines().Line(1)), QString("class Calcul"));
  }

  void stepModeToggledTwice() {
    main->FileNewItemClick();
    main->Action("Pasapas")->trigger();
    QVERIFY(main->Action("Pasapas")->isChecked());
    QCOMPARE(Interpreter().StepMode, 1);
    main->Action("Pasapas")->trigger();
    QVERIFY(!main->Action("Pasapas")->isChecked());
    QCOMPARE(Interpreter().StepMode, 0);
  }

  void aTypedProgramRunsWithF9OnTheScreen() {
    main->FileNewItemClick();
    TEditeur* editor = main->ActiveEditor();
    editor->Memo1->setFocus();
    QTest::keyClicks(editor->Memo1, "System.out.println(\"Salut\");");
    main->activateWindow();
    QTest::keyClick(editor->Memo1, Qt::Key_F9);
    QVERIFY(messages.isEmpty());
    TEcran& ecran = Interpreter().Ecran();
    QVERIFY(ecran.isVisible());
    QCOMPARE(ecran.windowTitle(), QString("Orv Java - Java1.java"));
    const QImage image = ecran.Snapshot();
    int ink = 0;
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < ecran.TextWidth("Salut"); ++x) ink += qGray(image.pixel(x, y)) < 128;
    QVERIFY(ink > 20);
  }

  void theWindowMenuListsTheEditorsWithTheActiveOneChecked() {
    main->FileNewItemClick();
    main->FileNewItemClick();
    QMenu* menu = main->Menu("Window1");
    QMetaObject::invokeMethod(menu, "aboutToShow");
    QStringList listed, checked;
    for (QAction* action : menu->actions()) {
      if (!QRegularExpression("^&\\d ").match(action->text()).hasMatch()) continue;
      listed << action->text();
      if (action->isChecked()) checked << action->text();
    }
    QCOMPARE(listed, (QStringList{"&1 OrvJava - Java1.java", "&2 OrvJava - Java2.java"}));
    QCOMPARE(checked, QStringList{"&2 OrvJava - Java2.java"});
  }

  // The "*" of a modified text, in the title and in the window list, is
  // there exactly while the text differs from what was last read or saved.
  void aModifiedTextIsMarkedInItsTitleAndTheWindowList() {
    struct SaveTo : TEditeurDialogs {
      QString path;
      QString SaveFileName(QWidget*, const QString&, const QString&) override { return path; }
    } dialogs;
    QTemporaryDir dir;
    dialogs.path = dir.filePath("Sansnom.java");  // the class of a new window
    main->FileNewItemClick();
    TEditeur* editor = main->ActiveEditor();
    editor->SetDialogs(&dialogs);
    const struct {
      const char* name;
      std::function<void()> act;
      QString title;
    } steps[] = {
        {"new", [] {}, "OrvJava - Java1.java"},
        {"typed", [&] { QTest::keyClicks(editor->Memo1, "ab"); }, "OrvJava - Java1.java*"},
        {"undone to the start", [&] { editor->Memo1->undo(); }, "OrvJava - Java1.java"},
        {"redone", [&] { editor->Memo1->redo(); }, "OrvJava - Java1.java*"},
        {"saved as", [&] { QVERIFY(editor->SaveAs()); }, "OrvJava - Sansnom.java"},
        {"typed again", [&] { QTest::keyClick(editor->Memo1, Qt::Key_X); }, "OrvJava - Sansnom.java*"},
        {"saved", [&] { QVERIFY(editor->Enregistrer()); }, "OrvJava - Sansnom.java"},
        {"undone past the save", [&] { editor->Memo1->undo(); }, "OrvJava - Sansnom.java*"},
        {"opened",
         [&] {
           main->openFileName = [&](QWidget*) { return dialogs.path; };
           main->FileOpenItemClick();
           main->openFileName = nullptr;
         },
         "OrvJava - Sansnom.java"},
    };
    for (const auto& step : steps) {
      step.act();
      const int i = static_cast<int>(main->MdiArea()->subWindowList().indexOf(main->MdiArea()->activeSubWindow()));
      QVERIFY2(Title(i) == step.title, qPrintable(QString("%1: %2").arg(step.name, Title(i))));
      QCOMPARE(WindowList().at(i), QString("&%1 %2").arg(i + 1).arg(step.title));
    }
    QCOMPARE(main->Editors().front()->windowTitle(), QString("OrvJava - Sansnom.java"));  // the plain name
  }

  // Beside the code, within the client area; once the learner has moved it,
  // it opens where it was left.
  void theHelpOpensOnTheRightOfTheClientAreaAndStaysWhereItIsPut() {
    delete main->Aide;
    main->Aide = nullptr;
    main->ShowHelpTopic(6);
    const QWidget* area = main->MdiArea()->viewport();
    const QRect client(area->mapToGlobal(QPoint(0, 0)), area->size());
    const QRect help = main->Aide->frameGeometry();
    QVERIFY2(client.contains(help.topLeft()), qPrintable(QString("%1,%2").arg(help.x()).arg(help.y())));
    QVERIFY(help.left() > client.center().x());
    main->Aide->close();
    main->Aide->move(client.topLeft() + QPoint(5, 7));
    main->ShowHelpTopic(6);
    QCOMPARE(main->Aide->pos(), client.topLeft() + QPoint(5, 7));
    main->Aide->close();
  }

  void toolBarButtonsPerformTheirCommands() {
    main->Action("FileNew1Btn")->trigger();
    QCOMPARE(EditorCount(), 1);
    TEditeur* editor = main->ActiveEditor();
    editor->ToutSelectionner();
    main->Action("CopyBtn")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), editor->Memo1->toPlainText());
    main->Action("CutBtn")->trigger();
    QVERIFY(editor->Memo1->toPlainText().isEmpty());
    main->Action("PasteBtn")->trigger();
    QCOMPARE(editor->Memo1->toPlainText(), QApplication::clipboard()->text());
  }

  void hintsGoToTheStatusLineAndTheClockTicks() {
    QStatusTipEvent tip(main->Action("FileOpenItem")->statusTip());
    QApplication::sendEvent(main, &tip);
    QCOMPARE(main->StatusLine->text(), QString("Ouvrir un fichier existant"));
    QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(main->Panel2->text()).hasMatch());
    const QString before = main->Panel2->text();
    QTRY_VERIFY_WITH_TIMEOUT(main->Panel2->text() != before, 2500);
  }

  void utilitiesAndTheAboutBoxOpenModally() {
    for (const char* item : {"Calendrier1", "Calculatrice1", "Horloge1", "HelpAboutItem"}) {
      QString seen;
      CloseNextModal(&seen);
      main->Action(item)->trigger();
      QVERIFY2(!seen.isEmpty(), item);
    }
  }

  void theInterruptCommandStopsARun() {
    main->FileNewItemClick();
    TEditeur* editor = main->ActiveEditor();
    editor->Memo1->setPlainText(
        "class A\n{\n static int i;\n void main()\n {\n  while (i < 1)\n  {\n   i++;\n   i--;\n  }\n }\n}");
    bool enabledDuringRun = false;
    QTimer::singleShot(100, [this, &enabledDuringRun] {
      enabledDuringRun = main->Action("Interrompre1")->isEnabled() && !main->close();
      main->Action("Interrompre1")->trigger();
    });
    main->Action("Excuter1")->trigger();
    QVERIFY(enabledDuringRun);  // and quitting was refused while the program ran
    QVERIFY(Interpreter().Interpreter().Interrupted());
    QVERIFY(messages.contains("Programme interrompu"));
    QVERIFY(!main->Action("Interrompre1")->isEnabled());
  }

  void theHelpShowsATopicByNumber() {
    main->ShowHelpTopic(6);
    QVERIFY(main->Aide);
    QVERIFY(main->Aide->isVisible());
    QVERIFY(main->Aide->Book());
    main->Aide->close();
  }

  void f1OnAnOpenMenuShowsItsTopic() {
    for (const auto& [menuName, context] : {std::pair{"File1", 3}, std::pair{"N4", 6}, std::pair{"Help1", 10}}) {
      QMenu* menu = main->Menu(menuName);
      menu->popup(main->mapToGlobal(QPoint(10, 10)));
      QVERIFY(QTest::qWaitForWindowExposed(menu));
      QTest::keyClick(menu, Qt::Key_F1);
      QTRY_COMPARE(main->Aide ? main->Aide->CurrentTopic() : 0, context);
      QVERIFY(!menu->isVisible());
    }
    // The help comes from OrvJava.hlp in the start folder when there is one.
    QCOMPARE(main->Aide->HelpFile(), QDir(main->StartFolder()).filePath("OrvJava.hlp"));
    main->Aide->close();
  }

  // The frame's shortcuts belong to the frame: the help viewer copies its own
  // text, and neither it nor the output screen runs, marks or cuts the program.
  void shortcutsActOnlyInTheMainWindow() {
    main->FileNewItemClick();
    TEditeur* editor = main->ActiveEditor();
    const QString program = editor->Memo1->toPlainText();
    editor->ToutSelectionner();
    QSignalSpy runs(&Interpreter(), &InterpreterSession::RunningChanged);
    main->ShowHelpTopic(6);
    main->Aide->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main->Aide));
    main->Aide->Browser->selectAll();
    main->Aide->Browser->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(main->Aide->Browser, Qt::Key_C, Qt::ControlModifier);
    QVERIFY2(QApplication::clipboard()->text().startsWith("Menu Exécuter\n"), qPrintable(QApplication::clipboard()->text()));
    for (int key : {Qt::Key_F5, Qt::Key_F9, Qt::Key_F7}) QTest::keyClick(main->Aide->Browser, Qt::Key(key));
    main->Aide->close();
    TEcran& ecran = Interpreter().Ecran();
    ecran.show();
    ecran.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ecran));
    QTest::keyClick(&ecran, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(&ecran, Qt::Key_F9);
    QCOMPARE(editor->Memo1->toPlainText(), program);
    QCOMPARE(runs.count(), 0);
    ecran.hide();
    // In the frame the same key copies the program.
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    editor->Memo1->setFocus();
    QTest::keyClick(editor->Memo1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), program);
  }

  // Quitting asks every modified window before closing any.
  void quittingClosesNothingWhenOneWindowRefuses() {
    main->FileNewItemClick();
    main->ActiveEditor()->SetModified(true);
    main->FileNewItemClick();
    main->ActiveEditor()->SetModified(true);
    QStringList asked;
    AnswerQuestions(&asked, {"&Non", "Annuler"});
    QVERIFY(!main->close());
    QCOMPARE(asked.size(), 2);
    QCOMPARE(EditorCount(), 2);
    asked.clear();
    AnswerQuestions(&asked, {"&Non", "&Non"});
    QVERIFY(main->close());
    QCOMPARE(EditorCount(), 0);
    main->show();
  }

  void disabledItemsShowTheirHintToo() {
    QVERIFY(!main->Action("FileCloseItem")->isEnabled());
    QMenu* menu = main->Menu("File1");
    menu->popup(main->mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    main->StatusLine->clear();
    QTest::mouseMove(menu, menu->actionGeometry(main->Action("FileCloseItem")).center());
    QTRY_COMPARE(main->StatusLine->text(), QString("Fermer le fichier en cours"));
    menu->setActiveAction(main->Action("FileOpenItem"));
    QTest::keyClick(menu, Qt::Key_Down);  // the keyboard stops on the disabled item as well
    QCOMPARE(menu->activeAction(), main->Action("FileCloseItem"));
    QTRY_COMPARE(main->StatusLine->text(), QString("Fermer le fichier en cours"));
    menu->close();
  }

  void theOpenDialogSpeaksFrenchAndStartsInTheFilesFolder() {
    QTemporaryDir dir;
    WriteProgram(dir.filePath("Calcul.java"));
    main->OpenEditor(dir.filePath("Calcul.java"));
    QCOMPARE(main->OpenDialogFolder(), QDir(dir.path()).absolutePath());
    QStringList buttons;
    QString folder;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      folder = dialog->directory().absolutePath();
      for (QPushButton* button : dialog->findChildren<QDialogButtonBox*>().value(0)->findChildren<QPushButton*>())
        buttons << button->text();
      dialog->reject();
    });
    main->FileOpenItemClick();
    QCOMPARE(folder, QDir(dir.path()).absolutePath());
    QCOMPARE(buttons, (QStringList{"&Ouvrir", "Annuler"}));
    QCOMPARE(EditorCount(), 1);
    // Without a file, the folder a file was last opened from.
    CloseAllEditors();
    main->openFileName = [&dir](QWidget*) { return dir.filePath("Calcul.java"); };
    main->FileOpenItemClick();
    main->openFileName = nullptr;
    CloseAllEditors();
    QCOMPARE(main->OpenDialogFolder(), QDir(dir.path()).absolutePath());
  }

  void newWindowsTakeTwoThirdsOfTheAreaCascaded() {
    main->FileNewItemClick();
    main->FileNewItemClick();
    const QList<QMdiSubWindow*> windows = main->MdiArea()->subWindowList();
    const QSize area = main->MdiArea()->viewport()->size();
    QVERIFY(windows[0]->width() >= area.width() * 2 / 3 - 1);
    QVERIFY(windows[0]->height() >= area.height() * 2 / 3 - 1);
    QVERIFY(windows[1]->x() > windows[0]->x());
    QVERIFY(windows[1]->y() > windows[0]->y());
    QVERIFY(QRect(QPoint(0, 0), area).contains(windows[1]->geometry()));
    // Opened before the frame takes its size (start-up, before the window
    // manager maximises it), untouched windows follow the area; a window the
    // learner moved stays where it was put.
    main->FileNewItemClick();
    windows[1]->move(windows[1]->pos() + QPoint(7, 5));
    const QRect moved = windows[1]->geometry();
    const QSize before = main->size();
    main->resize(before + QSize(300, 200));
    QTRY_COMPARE(main->MdiArea()->viewport()->size(), area + QSize(300, 200));
    const QSize grown = main->MdiArea()->viewport()->size();
    QCOMPARE(windows[0]->size(), QSize(grown.width() * 2 / 3, grown.height() * 2 / 3).expandedTo(QSize(420, 300)));
    QCOMPARE(windows[1]->geometry(), moved);
    QCOMPARE(main->MdiArea()->subWindowList()[2]->size(), windows[0]->size());
    main->resize(before);
  }

  void quittingRestoresTheStartFolder() {
    QTemporaryDir elsewhere;
    main->FileNewItemClick();
    TEditeur* editor = main->ActiveEditor();
    QTest::keyClicks(editor->Memo1, "CHDIR \"" + elsewhere.path() + "\";");
    main->Action("Excuter1")->trigger();
    QVERIFY(messages.isEmpty());
    QCOMPARE(QDir::currentPath(), QDir(elsewhere.path()).canonicalPath());
    editor->SetModified(false);
    QVERIFY(main->close());
    QCOMPARE(QDir::currentPath(), main->StartFolder());
  }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
