// The interpreter's host in the environment: message boxes, the "Ecran"
// window, the input box, the regional clock texts, the default printer, and
// an interrupt poll that keeps the windows alive during a run.
#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <functional>

#include "interp/host.h"

class QPrinter;
class QWidget;

namespace orv {

class TEcran;
class TForm12;

// The printer the environment prints on: listings and PRN: output share the
// set-up chosen with "Configuration impression...".
QPrinter& ApplicationPrinter();

// PRN: lines, printed as one job on the default printer when the printer
// slot closes.
class PrinterJob : public PrinterSink {
 public:
  int WriteLine(const std::string& text) override;
  int Close() override;
  // Prints lines in a fixed font with page breaks; false when the printer
  // cannot be started.
  static bool PrintLines(QPrinter& printer, const QStringList& lines);
  // Replaces the default printer (tests print to a PDF file).
  std::function<bool(const QStringList&)> print;

 private:
  QStringList lines_;
};

class GuiHost : public Host {
 public:
  // The input box is found when first needed: it is created after the host.
  GuiHost(TEcran& screen, std::function<TForm12&()> input);

  void MessageBox(const std::string& text) override;
  OutputSurface& Screen() override { return surface_; }
  DateTime Now() override;
  std::string ShortDate(const DateTime& when) override;
  std::string TimeText(const DateTime& when) override;
  bool ReadKeyboardLine(std::string& line) override;
  PrinterSink* Printer() override;
  bool InterruptRequested() override;

  // Asks the running program to stop before its next line.
  void RequestInterrupt() { interrupt_ = true; }
  void ClearInterrupt() { interrupt_ = false; }
  // While muted, message boxes are not shown (refreshes of the debug views).
  void SetMessagesMuted(bool muted) { muted_ = muted; }

  // Seams: tests answer message boxes and the keyboard themselves.
  std::function<void(const QString&)> messageBox;
  std::function<bool(QString&)> keyboard;
  // Whether a printer exists; the default printer by default.
  std::function<bool()> hasPrinter;
  PrinterJob printer;

 private:
  class Surface : public OutputSurface {
   public:
    explicit Surface(TEcran& screen) : screen_(screen) {}
    void SetTitle(const std::string& title) override;
    void Show() override;
    void DrawText(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text) override;
    void NewLine() override;
    std::optional<ScreenMark> Mark() override;
    void RollBack(const ScreenMark& mark) override;
    TEcran& Ecran() { return screen_; }

   private:
    TEcran& screen_;
  };

  Surface surface_;
  std::function<TForm12&()> input_;
  bool interrupt_ = false;
  bool muted_ = false;
  QElapsedTimer sinceEvents_;
};

}  // namespace orv
