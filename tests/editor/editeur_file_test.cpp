// The editor window's file commands and closing: open, save, save as,
// import, print, in a temporary folder with dialogs answered by the test.
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>

#include "editor/rules/source_lines.h"
#include "editor_test_support.h"

using namespace orv;
using namespace orv::test;

namespace {

// The system call that fails in a save, with its error number.
enum class Step { None, Write, ShortWrite, Fsync, Close, Rename };
Step failingStep = Step::None;
int failingError = 0;

long WriteCall(int fd, const void* data, unsigned long size) {
  if (failingStep == Step::Write) return errno = failingError, -1;
  if (failingStep == Step::ShortWrite) return 0;
  return ::write(fd, data, size);
}
int FsyncCall(int fd) { return failingStep == Step::Fsync ? (errno = failingError, -1) : ::fsync(fd); }
int CloseCall(int fd) {
  const int result = ::close(fd);
  return failingStep == Step::Close ? (errno = failingError, -1) : result;
}
int RenameCall(const char* from, const char* to) {
  return failingStep == Step::Rename ? (errno = failingError, -1) : std::rename(from, to);
}
const SaveCalls kFaultyCalls{WriteCall, FsyncCall, CloseCall, RenameCall};

const QString kClassMessage = "Le nom de la classe ne correspond pas au fichier";
const QString kTooLarge = "Le texte dépasse la capacité du mémo";
}

class EditeurFileTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  TFakeDialogs dialogs;
  QPointer<TEditeur> editor;

  QString Path(const QString& name) const { return dir.filePath(name); }
  QString Text() const { return editor->Memo1->toPlainText(); }
  // A name as long as the file system takes: no temporary name fits beside it.
  QString LongestName() const {
    QDir(dir.path()).mkpath("long");
    return Path("long/" + QString(250, 'L') + ".java");
  }

 private slots:
  void init() {
    QVERIFY(dir.isValid());
    dialogs = TFakeDialogs();
    editor = NewEditor(dialogs);
  }
  void cleanup() {
    if (editor) {
      editor->SetModified(false);
      delete editor;
    }
  }

  void newWindowHoldsTheDefaultProgram() {
    QCOMPARE(editor->Lines().Count(), 11);
    QCOMPARE(editor->Lines().Line(1), std::string("class Sansnom"));
    QCOMPARE(editor->Lines().Line(6), std::string(" public static void main(String args[])"));
    QCOMPARE(editor->Lines().Line(8), std::string("  "));
    QCOMPARE(editor->Lines().Line(10), std::string("}"));
    QVERIFY(!editor->Modified());
    QVERIFY(editor->FileName().isEmpty());
    QCOMPARE(editor->font().family(), QString("Times New Roman"));
    QCOMPARE(editor->font().pixelSize(), 17);
    QVERIFY(editor->Memo1->tabChangesFocus());
    QCOMPARE(editor->Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(editor->Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  }

  void everyNonNulByteSurvivesOpenAndSave() {
    QByteArray all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    WriteBytes(Path("Octets.java"), all);
    QVERIFY(editor->OpenFile(Path("Octets.java")));
    QVERIFY(!editor->Modified());
    QCOMPARE(editor->Lines().Count(), 3);  // the lone LF (10) and CR (13) end lines
    QCOMPARE(editor->Lines().Line(1), std::string("\x0B\x0C"));
    QCOMPARE(DocumentLines(*editor), editor->SourceLineList().Blocks());
    // An edit undone leaves the text as loaded, but modified.
    QTest::keyClick(editor->Memo1, Qt::Key_Z);
    editor->Memo1->undo();
    editor->SetModified(true);
    QVERIFY(editor->Enregistrer());
    QByteArray expected = all;
    expected.replace("\x0D", "\x0D\x0A").replace("\x0A", "\x0D\x0A").replace("\x0D\x0D\x0A", "\x0D\x0A");
    QCOMPARE(ReadBytes(Path("Octets.java")), expected);
    QVERIFY(!editor->Modified());
  }

  void lineEndsAreNormalisedAndTheLastOneKeptAsItIs() {
    WriteBytes(Path("Fins.java"), "class Fins\n{\r}\r\n");
    QVERIFY(editor->OpenFile(Path("Fins.java")));
    QCOMPARE(editor->Lines().Count(), 3);
    QVERIFY(editor->Enregistrer());
    QCOMPARE(ReadBytes(Path("Fins.java")), QByteArray("class Fins\r\n{\r\n}\r\n"));
    WriteBytes(Path("Fins.java"), "class Fins\r\n}");
    QVERIFY(editor->OpenFile(Path("Fins.java")));
    QVERIFY(editor->Enregistrer());
    QCOMPARE(ReadBytes(Path("Fins.java")), QByteArray("class Fins\r\n}"));
  }

  void classNameCheck_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("message");
    QByteArray imports20, imports21;
    for (int i = 0; i < 20; ++i) imports20 += "import a;\r\n";
    imports21 = imports20 + "import b;\r\n";
    QTest::newRow("import then class") << "Essai.java" << QByteArray("import java.util.*;\r\nclass Essai\r\n{") << false;
    QTest::newRow("blanks after class") << "Essai.java" << QByteArray("class   Essai") << false;
    QTest::newRow("brace on the class line") << "Essai.java" << QByteArray("class Essai {") << true;
    QTest::newRow("public class") << "Essai.java" << QByteArray("public class Essai") << true;
    QTest::newRow("other extension") << "Essai.txt" << QByteArray("class Essai") << true;
    QTest::newRow("letter case counts") << "essai.java" << QByteArray("class Essai") << true;
    QTest::newRow("twenty imports") << "Essai.java" << imports20 + "class Essai" << false;
    QTest::newRow("twenty-one imports") << "Essai.java" << imports21 + "class Essai" << true;
  }
  void classNameCheck() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, message);
    WriteBytes(Path(name), content);
    QVERIFY(editor->OpenFile(Path(name)));  // the check only informs
    QCOMPARE(dialogs.Messages, message ? QStringList{kClassMessage} : QStringList{});
    QCOMPARE(editor->FileName(), Path(name));
  }

  void unreadableOrTooLargeFilesChangeNothing() {
    const QString before = Text();
    QVERIFY(!editor->OpenFile(Path("absent.java")));
    QCOMPARE(dialogs.Messages.size(), 1);
    QVERIFY(dialogs.Messages[0].startsWith("Erreur d'entrée/sortie"));
    QVERIFY(dialogs.Messages[0].contains("fichier introuvable"));
    QFile big(Path("Gros.java"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(static_cast<qint64>(kMaxSourceBytes) + 1));
    big.close();
    QVERIFY(!editor->OpenFile(Path("Gros.java")));
    QCOMPARE(dialogs.Messages.last(), kTooLarge);
    QVERIFY(!editor->OpenFile(dir.path()));
    QCOMPARE(Text(), before);
    QVERIFY(editor->FileName().isEmpty());
  }

  void savingANewWindowAsksForAName() {
    editor->SetModified(true);
    QVERIFY(!editor->Enregistrer());  // the dialog was cancelled
    QCOMPARE(dialogs.SaveRequests, QStringList{"Fichier java (*.java);;Tous les fichiers (*)|*.java"});
    QVERIFY(editor->Modified());
    QVERIFY(editor->FileName().isEmpty());
  }

  void saveAsAlwaysGivesJavaExtension_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << "prog" << "prog.java";
    QTest::newRow("txt") << "prog.txt" << "prog.java";
    QTest::newRow("java") << "prog.java" << "prog.java";
    QTest::newRow("two dots") << "a.b.c" << "a.java";
    QTest::newRow("folder with a dot") << "v1.2/prog" << "v1.2/prog.java";
  }
  void saveAsAlwaysGivesJavaExtension() {
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QDir(dir.path()).mkpath("v1.2");
    dialogs.SaveNames = {Path(chosen)};
    QTest::keyClicks(editor->Memo1, "x");
    QVERIFY(editor->SaveAs());
    QCOMPARE(editor->FileName(), Path(saved));
    QCOMPARE(editor->windowTitle(), "OrvJava - " + QFileInfo(saved).fileName());
    QVERIFY(!editor->Modified());
    QVERIFY(ReadBytes(Path(saved)).startsWith("ximport java.util.*;\r\nclass Sansnom\r\n"));
  }

  void saveRemovesStepMarkersButKeepsBreakpoints() {
    dialogs.SaveNames = {Path("Sansnom.java")};
    editor->Lines().SetLine(3, "\x95 static int i;");
    editor->Lines().SetLine(4, "\xBB static float r;");
    editor->Lines().SetLine(5, " \x95static char c;");
    QVERIFY(editor->Enregistrer());
    const QList<QByteArray> lines = ReadBytes(Path("Sansnom.java")).split('\n');
    QCOMPARE(lines[3], QByteArray(" static int i;\r"));
    QCOMPARE(lines[4], QByteArray("\xBB static float r;\r"));
    QCOMPARE(lines[5], QByteArray(" \x95static char c;\r"));
    QCOMPARE(editor->Lines().Line(3), std::string(" static int i;"));
  }

  void failedSaveLeavesTheFileAndTheModifiedFlag() {
    const QString name = LongestName();
    WriteBytes(name, "class Original");
    QVERIFY(editor->OpenFile(name));
    QTest::keyClicks(editor->Memo1, "nouveau ");
    dialogs.Messages.clear();
    QVERIFY(!editor->Enregistrer());
    QCOMPARE(ReadBytes(name), QByteArray("class Original"));
    QCOMPARE(dialogs.Messages.size(), 1);
    QVERIFY(dialogs.Messages[0].contains("n'a pas été enregistré"));
    QVERIFY(editor->Modified());
    QCOMPARE(QDir(Path("long")).entryList(QDir::Files).size(), 1);  // no temporary file left
  }

  void everyFailingStepOfASaveKeepsTheOriginal_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    QTest::newRow("write, disk full") << int(Step::Write) << ENOSPC << "espace disque insuffisant";
    QTest::newRow("write writes nothing") << int(Step::ShortWrite) << 0 << "espace disque insuffisant";
    QTest::newRow("fsync, I/O error") << int(Step::Fsync) << EIO << "erreur d'entrée/sortie du disque";
    QTest::newRow("close, quota") << int(Step::Close) << EDQUOT << "quota disque dépassé";
    QTest::newRow("rename refused") << int(Step::Rename) << EACCES << "accès refusé";
  }
  void everyFailingStepOfASaveKeepsTheOriginal() {
    QFETCH(int, step);
    QFETCH(int, error);
    QFETCH(QString, reason);
    QTemporaryDir own;
    const QString path = own.filePath("Original.java");
    WriteBytes(path, "class Original");
    QVERIFY(editor->OpenFile(path));
    QTest::keyClicks(editor->Memo1, "nouveau ");
    dialogs.Messages.clear();
    editor->SetSaveCalls(&kFaultyCalls);
    failingStep = Step(step);
    failingError = error;
    const bool saved = editor->Enregistrer();
    failingStep = Step::None;
    editor->SetSaveCalls(nullptr);
    QVERIFY(!saved);
    QCOMPARE(ReadBytes(path), QByteArray("class Original"));
    QCOMPARE(dialogs.Messages,
             QStringList{QString("Le fichier « %1 » n'a pas été enregistré (%2).").arg(path, reason)});
    QVERIFY(editor->Modified());
    QCOMPARE(QDir(own.path()).entryList(QDir::Files), QStringList{"Original.java"});  // no temporary left
    QVERIFY(editor->Enregistrer());  // and once the disk works again, it saves
    QVERIFY(ReadBytes(path).startsWith("nouveau class Original"));
  }

  // The real thing: a tiny file system filled up (needs the right to mount).
  void savingOntoAFullDiskKeepsTheOriginal() {
    QTemporaryDir mountPoint;
    if (geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=16k") != 0)
      QSKIP("mounting a small file system needs root");
    const QString name = mountPoint.filePath("Plein.java");
    WriteBytes(name, "class Plein");
    WriteBytes(mountPoint.filePath("remplissage"), QByteArray(64 * 1024, 'x'));  // fills what is left
    QVERIFY(editor->OpenFile(name));
    QTest::keyClicks(editor->Memo1, QString(300, 'a'));
    dialogs.Messages.clear();
    const bool saved = editor->Enregistrer();
    const QByteArray onDisk = ReadBytes(name);
    const QStringList left = QDir(mountPoint.path()).entryList(QDir::Files);
    ::umount(QFile::encodeName(mountPoint.path()).constData());
    QVERIFY(!saved);
    QCOMPARE(onDisk, QByteArray("class Plein"));
    QCOMPARE(left, (QStringList{"Plein.java", "remplissage"}));
    QCOMPARE(dialogs.Messages.size(), 1);
    QVERIFY(dialogs.Messages[0].contains("espace disque insuffisant"));
    QVERIFY(editor->Modified());
  }

  void aFailedSaveAsKeepsTheWindowsName() {
    const QString title = editor->windowTitle();
    dialogs.SaveNames = {LongestName()};
    QVERIFY(!editor->SaveAs());
    QVERIFY(editor->FileName().isEmpty());
    QCOMPARE(editor->windowTitle(), title);
  }

  void aFileChangedByAnotherProgramIsOverwrittenOnlyWhenTheLearnerSaysSo() {
    WriteBytes(Path("Partage.java"), "class Partage");
    QVERIFY(editor->OpenFile(Path("Partage.java")));
    QTest::keyClicks(editor->Memo1, "x");
    QVERIFY(editor->Enregistrer());  // unchanged on disk: no question
    QVERIFY(dialogs.Questions.isEmpty());
    WriteBytes(Path("Partage.java"), "class Partage // changé ailleurs");
    QTest::keyClicks(editor->Memo1, "y");
    dialogs.Answers = {TEditeurDialogs::TAnswer::Non};
    QVERIFY(!editor->Enregistrer());
    QCOMPARE(dialogs.Questions,
             QStringList{"Le fichier « Partage.java » a été modifié par un autre programme. Enregistrer quand même ?"});
    QCOMPARE(ReadBytes(Path("Partage.java")), QByteArray("class Partage // changé ailleurs"));
    QVERIFY(editor->Modified());
    dialogs.Answers = {TEditeurDialogs::TAnswer::Oui};
    QVERIFY(editor->Enregistrer());
    QCOMPARE(ReadBytes(Path("Partage.java")), QByteArray("xyclass Partage"));
    QVERIFY(!editor->Modified());
  }

  void charactersOutsideTheFileFormatAreNamedBeforeTheSave() {
    dialogs.SaveNames = {Path("Chinois.java"), Path("Chinois.java")};
    editor->Lines().SetLine(8, "  ");
    PlaceCaret(*editor, Pos(*editor, 8, 2));
    editor->Memo1->insertPlainText(QString::fromUtf8("s = \"中\";"));
    dialogs.Answers = {TEditeurDialogs::TAnswer::Non};
    QVERIFY(!editor->SaveAs());
    QVERIFY(!QFileInfo::exists(Path("Chinois.java")));
    QCOMPARE(dialogs.Questions.size(), 1);
    QVERIFY2(dialogs.Questions[0].startsWith(QString::fromUtf8("La ligne 9 contient « 中 »")), qPrintable(dialogs.Questions[0]));
    dialogs.Answers = {TEditeurDialogs::TAnswer::Oui};
    QVERIFY(editor->SaveAs());
    QVERIFY(ReadBytes(Path("Chinois.java")).contains("  s = \"?\";\r\n"));
  }

  void closingAnUnmodifiedWindowAsksNothing() {
    QSignalSpy closed(editor.data(), &TEditeur::Closed);
    QVERIFY(editor->close());
    QVERIFY(dialogs.Questions.isEmpty());
    QCOMPARE(closed.count(), 1);
  }

  void closeQuery_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveName");
    QTest::addColumn<bool>("closes");
    using A = TEditeurDialogs::TAnswer;
    QTest::newRow("cancel keeps it") << int(A::Annuler) << "" << false;
    QTest::newRow("no closes without saving") << int(A::Non) << "" << true;
    QTest::newRow("yes, save dialog cancelled, keeps it") << int(A::Oui) << "" << false;
    QTest::newRow("yes, save fails, keeps it") << int(A::Oui) << "LONG" << false;
    QTest::newRow("yes, saved, closes") << int(A::Oui) << "Sansnom" << true;
  }
  void closeQuery() {
    QFETCH(int, answer);
    QFETCH(QString, saveName);
    QFETCH(bool, closes);
    dialogs.Answers = {static_cast<TEditeurDialogs::TAnswer>(answer)};
    if (!saveName.isEmpty()) dialogs.SaveNames = {saveName == "LONG" ? LongestName() : Path(saveName)};
    QTest::keyClicks(editor->Memo1, "x");
    QCOMPARE(editor->close(), closes);
    QCOMPARE(dialogs.Questions, QStringList{"Enregistrer changements dans ''?"});
    QCOMPARE(editor->isVisible(), !closes);
    if (saveName == "Sansnom") QVERIFY(ReadBytes(Path("Sansnom.java")).startsWith("ximport"));
    if (answer == int(TEditeurDialogs::TAnswer::Oui)) QCOMPARE(dialogs.SaveRequests.size(), 1);
  }

  void closingTheMdiChildAsksTheWindow() {
    QMdiArea area;
    QMdiSubWindow* child = area.addSubWindow(editor.data());
    area.show();
    QTest::keyClicks(editor->Memo1, "x");
    dialogs.Answers = {TEditeurDialogs::TAnswer::Annuler, TEditeurDialogs::TAnswer::Non};
    QVERIFY(!child->close());
    QVERIFY(editor->isVisible());
    QVERIFY(child->close());
    QCOMPARE(dialogs.Questions.size(), 2);
    QTRY_VERIFY(editor.isNull());  // the window is destroyed with its text
  }

  void nulBytesLoadAndSaveWithoutHarm() {
    WriteBytes(Path("Nul.java"), QByteArray("class Nul\r\na\0b", 14));
    QVERIFY(editor->OpenFile(Path("Nul.java")));
    QCOMPARE(editor->Lines().Line(1), std::string("a\0b", 3));
    QVERIFY(editor->Enregistrer());
    QCOMPARE(ReadBytes(Path("Nul.java")), QByteArray("class Nul\r\na\0b", 14));
  }

  void closeQueryNamesTheFile() {
    WriteBytes(Path("Essai.java"), "class Essai");
    QVERIFY(editor->OpenFile(Path("Essai.java")));
    QTest::keyClicks(editor->Memo1, "x");
    dialogs.Answers = {TEditeurDialogs::TAnswer::Annuler};
    QVERIFY(!editor->close());
    QCOMPARE(dialogs.Questions, QStringList{"Enregistrer changements dans 'Essai.java'?"});
  }

  void importInsertsTheFileAsABlockAtTheCaret() {
    WriteBytes(Path("bloc.txt"), "x = 1;\ny = 2;");
    dialogs.OpenNames = {Path("bloc.txt")};
    PlaceCaret(*editor, Pos(*editor, 2, 0));
    editor->Importer();
    QCOMPARE(dialogs.OpenRequests,
             QStringList{"Insérer fichier|Fichiers java (*.java);;Fichiers texte (*.txt);;Tous les fichiers (*.*)|*.txt"});
    QCOMPARE(editor->Lines().Line(1), std::string("class Sansnom"));
    QCOMPARE(editor->Lines().Line(2), std::string("x = 1;"));
    QCOMPARE(editor->Lines().Line(3), std::string("y = 2;"));
    QCOMPARE(editor->Lines().Line(4), std::string("{"));
    QVERIFY(editor->Modified());
    // A selection is replaced.
    dialogs.OpenNames = {Path("bloc.txt")};
    PlaceCaret(*editor, Pos(*editor, 1, 5), Pos(*editor, 1, 0));
    editor->Importer();
    QCOMPARE(editor->Lines().Line(1), std::string("x = 1;"));
    QCOMPARE(editor->Lines().Line(3), std::string(" Sansnom"));
  }

  void importThatDoesNotHappenChangesNothing() {
    const QString before = Text();
    editor->Importer();  // cancelled
    WriteBytes(Path("vide.txt"), "");
    dialogs.OpenNames = {Path("vide.txt"), Path("absent.txt")};
    editor->Importer();
    editor->Importer();
    QCOMPARE(Text(), before);
    QCOMPARE(dialogs.Messages.size(), 1);
    QVERIFY(!editor->Modified());
  }

  void printsEveryLineToPagesAndRemovesStepMarkers() {
    auto pages = [](const QString& pdf) {
      return static_cast<int>(QString::fromLatin1(ReadBytes(pdf)).count(QRegularExpression("/Type\\s*/Page[^s]")));
    };
    dialogs.PdfPath = Path("court.pdf");
    editor->Lines().SetLine(3, "\x95 static int i;");
    editor->Imprimer();
    QVERIFY(ReadBytes(Path("court.pdf")).startsWith("%PDF"));
    QCOMPARE(pages(Path("court.pdf")), 1);
    QCOMPARE(editor->Lines().Line(3), std::string(" static int i;"));
    QString text;
    for (int i = 0; i < 150; ++i) text += QString("ligne %1\n").arg(i);
    editor->Memo1->setPlainText(text);
    dialogs.PdfPath = Path("long.pdf");
    editor->Imprimer();
    QVERIFY(pages(Path("long.pdf")) >= 3);
  }

  void cancelledPrintChangesNothing() {
    editor->Lines().SetLine(3, "\x95 static int i;");
    editor->Imprimer();
    QCOMPARE(editor->Lines().Line(3), std::string("\x95 static int i;"));
    QVERIFY(dialogs.Messages.isEmpty());
  }
};

QTEST_MAIN(EditeurFileTest)
#include "editeur_file_test.moc"
