// The interpreter's view of the world around it. The same core runs in the
// environment (Qt windows), in the command-line runner and in the tests; each
// supplies these interfaces. All texts are 8-bit Windows-1252 byte strings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

// The program text: the editor window's source lines, indexed from 0, without
// line-break characters. The interpreter never keeps a copy of it.
class LineList {
 public:
  virtual ~LineList() = default;
  virtual int Count() const = 0;
  // An index outside 0..Count()-1 gives the empty text.
  virtual std::string Line(int i) const = 0;
  // Line i without a copy, for lists that hold their lines as texts; nothing
  // when they do not (or i is out of range). Valid until the list changes.
  virtual std::optional<std::string_view> LineView(int) const { return std::nullopt; }
  virtual void SetLine(int i, const std::string& text) = 0;
  virtual void DeleteLine(int i) = 0;
};

// How much a surface had drawn and written at some moment: what a step back
// returns it to.
struct ScreenMark {
  uint64_t Drawn = 0;    // texts drawn
  uint64_t Written = 0;  // characters of the transcript, line ends included
};

// The "Ecran" window: text drawn at pixel positions.
class OutputSurface {
 public:
  virtual ~OutputSurface() = default;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void Show() = 0;
  virtual void DrawText(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  // Called by print-line after its text: a text surface ends its line here.
  virtual void NewLine() {}
  // Stepping back: a surface that can take its drawing back gives a mark of
  // what it holds now, and RollBack forgets all it was given after the mark.
  // Without a mark, a line that draws cannot be taken back.
  virtual std::optional<ScreenMark> Mark() { return std::nullopt; }
  virtual void RollBack(const ScreenMark&) {}
};

struct DateTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};

// The "PRN:" device. WriteLine and Close return 0 or an error number.
class PrinterSink {
 public:
  virtual ~PrinterSink() = default;
  virtual int WriteLine(const std::string& text) = 0;
  virtual int Close() = 0;
};

class Host {
 public:
  virtual ~Host() = default;
  // A modal message box; returns when the user has dismissed it.
  virtual void MessageBox(const std::string& text) = 0;
  virtual OutputSurface& Screen() = 0;
  virtual DateTime Now() = 0;
  // The seed of a program's random numbers, taken at each Random
  // declaration: by default from the clock, so that each run draws others.
  virtual uint64_t RandomSeed();
  // Regional short date ("08/12/2026" on French settings).
  virtual std::string ShortDate(const DateTime& when);
  // Regional time: hours, two-digit minutes and seconds ("09:05:03").
  virtual std::string TimeText(const DateTime& when);
  // One line typed by the user; false at the end of input (the line is empty).
  // An interrupt asked for while the host waits for the line (Ctrl+C, Échap,
  // Ctrl+Pause) should end the wait: right after this returns, the
  // interpreter calls InterruptRequested(), and when that is true the run
  // stops as an interrupt ("Programme interrompu", TForm3::Interrupted())
  // at the FGETS line, whose variable keeps its value; a resume reads again.
  // A line longer than kMaxStringLength is refused ("Chaîne trop longue"), so
  // a host may stop reading a little past that length.
  virtual bool ReadKeyboardLine(std::string& line) = 0;
  // The printer, or nullptr when there is none (writes to PRN: then fail).
  virtual PrinterSink* Printer() { return nullptr; }
  // Polled by the run loop every thousand lines or so, and after every
  // keyboard line; true stops the run.
  virtual bool InterruptRequested() { return false; }
  // Called before the program creates a file or folder or writes `bytes`
  // into a file: a host that limits the disk ends the run there.
  virtual void ChargeDisk(uint64_t) {}
};

}  // namespace orv
