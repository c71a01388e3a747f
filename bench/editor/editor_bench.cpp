// Timings of the editor window on a large program, printed as medians:
//  - opening a 20,000-line program (about 600 KB) and showing it coloured;
//  - typing one character in its middle, recolouring and repainting included;
//  - reading lines through the window's line list against a plain list, and
//    a 1,000,000-iteration program run by the interpreter on each.
// Runs offscreen unless a platform is chosen. Never part of the test run.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "editor/Childwin.h"
#include "interp/Unit3.h"

namespace {

const char* const kLines[] = {
    "  for (i=1; i<=10; i++)       // boucle principale",
    "  {",
    "   System.out.println(s + i); /* sortie */",
    "   r = Math.sqrt(r) + 1.5;     // racine",
    "   if (i == n) break;",
    "  }",
    "  static int compteur;",
    "  s = s.toUpperCase();        /* majuscules */",
};

std::string MakeProgram(int lines) {
  std::string text = "import java.util.*;\r\nclass Grand\r\n{\r\n";
  for (int i = 3; i < lines - 1; ++i) text += std::string(kLines[i % 8]) + "\r\n";
  return text + "}";
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double OpenAndShowMs(const QString& path) {
  QElapsedTimer timer;
  timer.start();
  auto* editor = new orv::TEditeur;
  editor->resize(700, 600);
  editor->OpenFile(path);
  editor->show();
  editor->Memo1->viewport()->repaint();
  QApplication::processEvents();
  const double ms = timer.nsecsElapsed() / 1e6;
  delete editor;
  return ms;
}

std::vector<double> KeystrokeMs(orv::TEditeur& editor, int count) {
  std::vector<double> times;
  for (int k = 0; k < count; ++k) {
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(editor.Memo1, &press);
    QApplication::sendEvent(editor.Memo1, &release);
    editor.Memo1->viewport()->repaint();
    times.push_back(timer.nsecsElapsed() / 1e6);
  }
  return times;
}

class TPlainLines : public orv::LineList {
 public:
  explicit TPlainLines(std::vector<std::string> lines) : Lines(std::move(lines)) {}
  int Count() const override { return static_cast<int>(Lines.size()); }
  std::string Line(int i) const override { return i >= 0 && i < Count() ? Lines[static_cast<size_t>(i)] : std::string(); }
  void SetLine(int i, const std::string& text) override { Lines[static_cast<size_t>(i)] = text; }
  void DeleteLine(int i) override { Lines.erase(Lines.begin() + i); }
  std::vector<std::string> Lines;
};

double ReadLinesNs(const orv::LineList& lines, int reads) {
  QElapsedTimer timer;
  timer.start();
  size_t total = 0;
  const int n = lines.Count();
  for (int k = 0; k < reads; ++k) total += lines.Line(k % n).size();
  const double ns = static_cast<double>(timer.nsecsElapsed()) / reads;
  if (total == 0) std::puts("(no text)");
  return ns;
}

const char* const kLoop =
    "class Boucle\n{\n static int i;\n static int n;\n public static void main(String args[])\n {\n"
    "  for (i=1; i<=1000000; i++)\n  {\n   n = n + 1;\n  }\n }\n}";

class TQuietHost : public orv::Host {
  class TSurface : public orv::OutputSurface {
    void SetTitle(const std::string&) override {}
    void Show() override {}
    void DrawText(int, int, const std::string&) override {}
    int TextWidth(const std::string& t) override { return static_cast<int>(t.size()); }
  } surface;

 public:
  void MessageBox(const std::string& text) override { std::printf("message: %s\n", text.c_str()); }
  orv::OutputSurface& Screen() override { return surface; }
  orv::DateTime Now() override { return {}; }
  bool ReadKeyboardLine(std::string& line) override {
    line.clear();
    return false;
  }
};

double RunLoopMs(orv::LineList& lines) {
  TQuietHost host;
  orv::TForm3 interpreter(host);
  interpreter.InitPrg("Boucle");
  std::int32_t resume = 0, state = 0;
  QElapsedTimer timer;
  timer.start();
  interpreter.Exec(lines, resume, 0, state);
  return timer.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = dir.filePath("Grand.java");
  const std::string program = MakeProgram(20000);
  std::ofstream(path.toStdString(), std::ios::binary) << program;
  std::printf("program: 20000 lines, %zu bytes\n", program.size());

  std::vector<double> opens;
  for (int i = 0; i < 7; ++i) opens.push_back(OpenAndShowMs(path));
  std::printf("open and show coloured: median %.1f ms (limit 500 ms)\n", Median(opens));

  orv::TEditeur editor;
  editor.resize(700, 600);
  editor.OpenFile(path);
  editor.show();
  QApplication::processEvents();
  editor.CaretToLine(10000);
  editor.Memo1->centerCursor();
  QApplication::processEvents();
  const std::vector<double> keys = KeystrokeMs(editor, 300);
  std::printf("type one character mid-program: median %.3f ms, max %.3f ms (limit 5 ms median)\n", Median(keys),
              *std::max_element(keys.begin(), keys.end()));

  const auto& blocks = editor.SourceLineList().Blocks();
  const TPlainLines plain(blocks);
  const double windowNs = ReadLinesNs(editor.Lines(), 5000000);
  const double plainNs = ReadLinesNs(plain, 5000000);
  std::printf("read a line: window %.1f ns, plain list %.1f ns (ratio %.2f)\n", windowNs, plainNs, windowNs / plainNs);

  orv::TEditeur loopEditor;
  loopEditor.Memo1->setPlainText(QString::fromLatin1(kLoop));
  TPlainLines loopPlain(loopEditor.SourceLineList().Blocks());
  std::vector<double> inWindow, inPlain;
  for (int i = 0; i < 5; ++i) {
    inWindow.push_back(RunLoopMs(loopEditor.Lines()));
    inPlain.push_back(RunLoopMs(loopPlain));
  }
  std::printf("1,000,000-iteration loop: window %.1f ms, plain list %.1f ms (ratio %.2f, limit 1.5)\n",
              Median(inWindow), Median(inPlain), Median(inWindow) / Median(inPlain));
  editor.SetModified(false);
  loopEditor.SetModified(false);
  return 0;
}
