// The help viewer, offscreen: the three help commands, topics by number,
// links and history, the search list, and where the help file is read from.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include "shell/help/help_viewer.h"

namespace {

QByteArray CourseHelp() {
  QByteArray filler;
  for (int i = 0; i < 80; ++i) filler += "<p>Une ligne pour remplir la page.</p>\n";
  return QByteArray(
    "@orvjava-aide 1\n"
    "@topic 1 sommaire\n@title Sommaire du cours\n@key sommaire\n"
    "<p><a href=\"boucles\">Les boucles</a> et <a href=\"aide\">l'aide</a>.</p>\n"
    "@topic 2 aide\n@title Se servir de l'aide\n@key aide\n<p>Mode d'emploi.</p>\n"
    "@topic 6 menu-executer\n@group Les menus\n@title Menu Exécuter\n@key F9\n<p>Lancer avec F9.</p>\n"
    "@topic 28 boucles\n@group Le langage\n@title Les boucles\n@key boucle\n@key break #break\n"
    "<p><a href=\"sommaire\">Retour</a></p>\n"
    "@code java\nfor (i=1; i<=3; i++)\n@end\n") +
    filler + "<h2><a name=\"break\"></a>Sortir par break</h2>\n<p>break quitte la boucle.</p>\n";
}

class HelpViewerTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString HelpPath() const { return dir_.filePath(QStringLiteral("OrvJava.hlp")); }

  void WriteHelp(const QByteArray& text) {
    QFile file(HelpPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
  }

  // A viewer over the course folder, falling back on `fallbacks` only.
  std::unique_ptr<orv::TAide> Viewer(const QStringList& fallbacks) {
    auto viewer = std::make_unique<orv::TAide>();
    viewer->SetHelpFile(HelpPath());
    viewer->SetFallbacks(fallbacks);
    return viewer;
  }

  static QString Page(const orv::TAide& viewer) { return viewer.Browser->toPlainText(); }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    QFile::remove(HelpPath());
  }

  void BuiltInHelpAnswersEveryMenuContext() {
    auto viewer = Viewer({orv::TAide::BuiltInHelp()});
    for (int context = 3; context <= 10; ++context) {
      QVERIFY2(viewer->ShowTopic(context), qPrintable(QString::number(context)));
      QCOMPARE(viewer->CurrentTopic(), context);
      QVERIFY(Page(*viewer).startsWith(QStringLiteral("Menu ")));
    }
    QCOMPARE(viewer->Source(), orv::TAide::BuiltInHelp());
    QVERIFY(viewer->Problems().isEmpty());
    QVERIFY(viewer->isVisible());
  }

  void TopicByNumberShowsItsTitleAndBody() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({});
    QVERIFY(viewer->ShowTopic(6));
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Menu Exécuter")));
    QVERIFY(Page(*viewer).contains(QStringLiteral("Lancer avec F9.")));
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Aide de OrvJava - Menu Exécuter"));
    // The contents tree follows the topic shown.
    QCOMPARE(viewer->ContentsTree->currentItem()->text(0), QStringLiteral("Menu Exécuter"));
  }

  void ContentsShowTopicOneAndListEveryTopicByChapter() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({});
    viewer->HContents();
    QCOMPARE(viewer->CurrentTopic(), 1);
    QCOMPARE(viewer->Tabs->currentIndex(), 0);
    QTreeWidget* tree = viewer->ContentsTree;
    // Two topics without a chapter, then the chapters in order of appearance.
    QCOMPARE(tree->topLevelItemCount(), 4);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Sommaire du cours"));
    QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("Les menus"));
    QCOMPARE(tree->topLevelItem(3)->child(0)->text(0), QStringLiteral("Les boucles"));
    tree->itemClicked(tree->topLevelItem(3)->child(0), 0);
    QCOMPARE(viewer->CurrentTopic(), 28);
  }

  // Clicking the tab, or choosing it from the keyboard, puts the caret in the
  // search field: what the learner types next is the word looked for.
  void TheSearchTabTakesTheTypingAtOnce() {
    auto viewer = Viewer({orv::TAide::BuiltInHelp()});
    viewer->HContents();
    viewer->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(viewer.get()));
    QTabBar* bar = viewer->Tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCOMPARE(viewer->Tabs->currentIndex(), 1);
    QCOMPARE(QApplication::focusWidget(), viewer->SearchEdit);
    QTest::keyClicks(QApplication::focusWidget(), "bou");
    QCOMPARE(viewer->SearchEdit->text(), QStringLiteral("bou"));
    viewer->ContentsTree->setFocus();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());  // already the current tab
    QCOMPARE(QApplication::focusWidget(), viewer->SearchEdit);
  }

  void SearchOpensTheListWithTheGivenKeyword() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({});
    viewer->HSearch();
    QCOMPARE(viewer->Tabs->currentWidget(), viewer->SearchEdit->parentWidget());
    QCOMPARE(viewer->SearchEdit->text(), QString());
    QCOMPARE(viewer->SearchList->count(), 5);  // every keyword
    QCOMPARE(viewer->CurrentTopic(), 1);       // the contents stand behind

    viewer->HSearch(QStringLiteral("BR"));
    QCOMPARE(viewer->SearchEdit->text(), QStringLiteral("BR"));
    QCOMPARE(viewer->SearchList->count(), 1);
    QCOMPARE(viewer->SearchList->currentItem()->text(), QStringLiteral("break"));

    QTest::keyClicks(viewer->SearchEdit, QStringLiteral("x"));
    QCOMPARE(viewer->SearchList->count(), 1);
    QVERIFY(!(viewer->SearchList->item(0)->flags() & Qt::ItemIsEnabled));  // "(aucun mot clé ...)"
    QVERIFY(!viewer->ShowButton->isEnabled());
  }

  void EnterOnAKeywordOpensItsTopicAtItsAnchor() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({});
    viewer->resize(700, 400);
    viewer->HSearch(QStringLiteral("b"));
    QCOMPARE(viewer->SearchList->count(), 2);  // "boucle", "break"
    QTest::keyClick(viewer->SearchEdit, Qt::Key_Down);
    QCOMPARE(viewer->SearchList->currentItem()->text(), QStringLiteral("break"));
    QTest::keyClick(viewer->SearchEdit, Qt::Key_Return);
    QCOMPARE(viewer->CurrentTopic(), 28);
    QCOMPARE(viewer->Browser->source().fragment(), QStringLiteral("break"));
    QTRY_VERIFY(viewer->Browser->verticalScrollBar()->value() > 0);  // scrolled down to the anchor
  }

  void LinksLeadToTheirTopicAndHistoryComesBack() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({});
    viewer->HContents();
    QVERIFY(!viewer->BackAction->isEnabled());
    // A link followed from the keyboard, as a click would.
    viewer->Browser->setFocus();
    QTest::keyClick(viewer->Browser, Qt::Key_Tab);
    QTest::keyClick(viewer->Browser, Qt::Key_Return);
    QCOMPARE(viewer->CurrentTopic(), 28);
    QVERIFY(viewer->BackAction->isEnabled());
    viewer->BackAction->trigger();
    QCOMPARE(viewer->CurrentTopic(), 1);
    QVERIFY(viewer->ForwardAction->isEnabled());
    viewer->ForwardAction->trigger();
    QCOMPARE(viewer->CurrentTopic(), 28);
  }

  void HowToUseShowsTheHelpOnHelp() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({});
    viewer->HowToUse();
    QCOMPARE(viewer->CurrentTopic(), 2);
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Se servir de l'aide")));
  }

  void TheStartFolderFileComesBeforeTheBuiltInOne() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({orv::TAide::BuiltInHelp()});
    viewer->HContents();
    QCOMPARE(viewer->Source(), HelpPath());
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Sommaire du cours")));
    QVERIFY(!viewer->ProblemBanner->isVisibleTo(viewer.get()));

    QFile::remove(HelpPath());
    viewer->HContents();
    QCOMPARE(viewer->Source(), orv::TAide::BuiltInHelp());
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Sommaire de l'aide")));
  }

  void ARelativeHelpFileIsLookedForInTheCurrentFolder() {
    WriteHelp(CourseHelp());
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
    orv::TAide viewer;
    viewer.SetFallbacks({});
    QCOMPARE(viewer.HelpFile(), QStringLiteral("OrvJava.hlp"));
    viewer.HContents();
    QDir::setCurrent(before);
    QCOMPARE(viewer.CurrentTopic(), 1);
    QCOMPARE(QFileInfo(viewer.Source()).canonicalFilePath(), QFileInfo(HelpPath()).canonicalFilePath());
  }

  void ADamagedFileIsReportedAndTheBuiltInHelpShown() {
    WriteHelp("@orvjava-aide 1\n@topic 1 a\n@titre Sommaire\n");
    auto viewer = Viewer({orv::TAide::BuiltInHelp()});
    viewer->HContents();
    QCOMPARE(viewer->Source(), orv::TAide::BuiltInHelp());
    QVERIFY(viewer->ProblemBanner->isVisibleTo(viewer.get()));
    const QString banner = viewer->ProblemBanner->text();
    QVERIFY2(banner.contains(HelpPath() + QStringLiteral(" est endommagé : ligne 3 : directive inconnue « @titre »")),
             qPrintable(banner));
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Sommaire de l'aide")));
  }

  void MissingHelpIsSaidInFrenchAndNothingBreaks() {
    auto viewer = Viewer({});
    viewer->HContents();
    QVERIFY(viewer->Book() == nullptr);
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Aide introuvable")));
    QVERIFY(Page(*viewer).contains(QStringLiteral("Le fichier d'aide OrvJava.hlp est introuvable.")));
    QVERIFY(Page(*viewer).contains(HelpPath()));
    QVERIFY(!viewer->Tabs->isEnabled());
    QVERIFY(!viewer->ShowTopic(6));
    viewer->HSearch(QStringLiteral("for"));
    viewer->HowToUse();
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Aide introuvable")));
    QCOMPARE(viewer->CurrentTopic(), 0);
  }

  void AnUnknownNumberSaysTheTopicIsMissing() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({});
    QVERIFY(!viewer->ShowTopic(12));
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Rubrique introuvable")));
    QVERIFY(Page(*viewer).contains(QStringLiteral("La rubrique « 12 » n'existe pas")));
  }

  void AChangedFileIsReadAgainAtTheNextCommand() {
    WriteHelp(CourseHelp());
    auto viewer = Viewer({});
    QVERIFY(viewer->ShowTopic(6));
    QTest::qWait(20);  // a modification time that differs
    WriteHelp("@orvjava-aide 1\n@topic 6 menu-executer\n@title Menu Exécuter (nouveau)\n@key F9\n");
    QVERIFY(viewer->ShowTopic(6));
    QVERIFY(Page(*viewer).startsWith(QStringLiteral("Menu Exécuter (nouveau)")));
    QVERIFY(!viewer->ShowTopic(28));
  }
};

}  // namespace

QTEST_MAIN(HelpViewerTest)
#include "help_viewer_test.moc"
