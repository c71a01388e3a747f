// Not a test: shows an editor window with the default program, then with a
// richer one, and saves both to PNG files for a person to look at.
// Usage: editor_screenshot <default.png> <program.png> [listing.pdf]
#include <QApplication>
#include <QPrinter>

#include "editor/Childwin.h"

namespace {

const char* const kProgram =
    "import java.util.*;\n"
    "class Couleurs\n"
    "{\n"
    " /* Compte les lignes d'un fichier\n"
    "    et affiche la racine du total. */\n"
    " static int i, n;\n"
    " static float r;\n"
    " static String s;\n"
    " public static void main(String args[])\n"
    " {\n"
    "  File f=new File(\"donnees.txt\");  // for est gris ici, int reste marron\n"
    "  FileInputStream inStream=new FileInputStream(f);\n"
    "  for (i=1; i<=10; i++)\n"
    "  {\n"
    "   if (i == 5) break;\n"
    "   n ++;\n"
    "  }\n"
    "  r = Math.sqrt(n);\n"
    "  System.out.println(\"Total : \" + s.toUpperCase());\n"
    "  inStream.close();\n"
    "  affiche();\n"
    " }\n"
    " static void affiche()\n"
    " {\n"
    "  System.out.print(Calendar.YEAR);\n"
    "  return;\n"
    " }\n"
    "}";

void Shoot(orv::TEditeur& editor, const QString& path) {
  editor.show();
  QApplication::processEvents();
  editor.Memo1->Recolor();
  QApplication::processEvents();
  editor.grab().save(path);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  orv::TEditeur editor;
  editor.setWindowTitle("OrvJava - Sansnom.java");
  editor.resize(560, 300);
  Shoot(editor, QString::fromLocal8Bit(argv[1]));
  editor.Memo1->setPlainText(QString::fromUtf8(kProgram));
  editor.resize(620, 560);
  QTextCursor cursor(editor.Memo1->document()->findBlockByNumber(17));
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  editor.Memo1->setTextCursor(cursor);  // a selected line keeps its highlight
  Shoot(editor, QString::fromLocal8Bit(argv[2]));
  if (argc > 3) {  // the printed listing of the same program
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(argv[3]));
    printer.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
    if (!editor.PrintLines(printer)) return 1;
  }
  editor.SetModified(false);
  return 0;
}
