#include "interp/gui/gui_host.h"

#include <QApplication>
#include <QDateTime>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "interp/gui/ecran.h"
#include "interp/gui/input_box.h"
#include "common/gui/qt_text.h"
#include "common/gui/regional.h"

namespace orv {
namespace {

constexpr int kEventsEveryMs = 30;  // how often a run lets the windows breathe
constexpr int kPrinterError = 105;  // as for a file not open for writing

}  // namespace

QPrinter& ApplicationPrinter() {
  static QPrinter* printer = [] {
    auto* p = new QPrinter(QPrinter::HighResolution);
    qAddPostRoutine([] { delete &ApplicationPrinter(); });
    return p;
  }();
  return *printer;
}

int PrinterJob::WriteLine(const std::string& text) {
  lines_.push_back(FromCp1252(text));
  return 0;
}

int PrinterJob::Close() {
  const QStringList lines = std::move(lines_);
  lines_.clear();
  if (lines.isEmpty()) return 0;
  if (print) return print(lines) ? 0 : kPrinterError;
  return PrintLines(ApplicationPrinter(), lines) ? 0 : kPrinterError;
}

bool PrinterJob::PrintLines(QPrinter& printer, const QStringList& lines) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(11);
  painter.setFont(font);
  const QFontMetrics metrics(font, &printer);
  const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
  int y = metrics.ascent();
  for (const QString& line : lines) {
    if (y + metrics.descent() > pageHeight) {
      printer.newPage();
      y = metrics.ascent();
    }
    painter.drawText(0, y, line);
    y += metrics.lineSpacing();
  }
  return painter.end();
}

GuiHost::GuiHost(TEcran& screen, std::function<TForm12&()> input)
    : surface_(screen), input_(std::move(input)) {
  sinceEvents_.start();
}

void GuiHost::MessageBox(const std::string& text) {
  if (muted_) return;
  const QString message = FromCp1252(text);
  if (messageBox) return messageBox(message);
  QMessageBox box(QMessageBox::NoIcon, "Orv Java", message, QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

DateTime GuiHost::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  return {now.date().year(), now.date().month(), now.date().day(),
          now.time().hour(), now.time().minute(), now.time().second()};
}

std::string GuiHost::ShortDate(const DateTime& when) {
  const QLocale locale = RegionalLocale();
  return ToCp1252(locale.toString(QDate(when.year, when.month, when.day), QLocale::ShortFormat));
}

std::string GuiHost::TimeText(const DateTime& when) {
  const QLocale locale = RegionalLocale();
  return ToCp1252(locale.toString(QTime(when.hour, when.minute, when.second), LongTimeFormat(locale)));
}

bool GuiHost::ReadKeyboardLine(std::string& line) {
  QString text;
  bool entered = false;
  if (keyboard) {
    entered = keyboard(text);
  } else {
    TForm12& box = input_();
    box.move(surface_.Ecran().InputBoxPlace(box.size()));
    entered = box.exec() == QDialog::Accepted;
    if (entered) text = box.Result();
    // The box closes without Enter only on Échap or an interrupt request.
    else interrupt_ = true;
  }
  line = entered ? ToCp1252(text) : std::string();
  return entered;
}

PrinterSink* GuiHost::Printer() {
  const bool available = hasPrinter ? hasPrinter() : !QPrinterInfo::defaultPrinter().isNull();
  return available ? &printer : nullptr;
}

bool GuiHost::InterruptRequested() {
  if (sinceEvents_.elapsed() >= kEventsEveryMs) {
    QApplication::processEvents(QEventLoop::AllEvents, kEventsEveryMs);
    sinceEvents_.restart();
  }
  return interrupt_;
}

void GuiHost::Surface::SetTitle(const std::string& title) { screen_.SetTitle(FromCp1252(title)); }
void GuiHost::Surface::Show() { screen_.ShowScreen(); }
void GuiHost::Surface::DrawText(int x, int y, const std::string& text) {
  screen_.DrawText(x, y, FromCp1252(text));
}
void GuiHost::Surface::NewLine() { screen_.NewLine(); }
std::optional<ScreenMark> GuiHost::Surface::Mark() { return screen_.Mark(); }
void GuiHost::Surface::RollBack(const ScreenMark& mark) { screen_.RollBack(mark); }
int GuiHost::Surface::TextWidth(const std::string& text) { return screen_.TextWidth(FromCp1252(text)); }

}  // namespace orv
