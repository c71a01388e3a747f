// The command-line runner's host: program output on stdout, message-box texts
// on stderr, keyboard lines from stdin, PRN: to a file.
#pragma once

#include <csignal>
#include <memory>
#include <cstdio>
#include <string>

#include "interp/host.h"

namespace orv {

// Output as plain text: print writes its text, print-line ends the line.
class TextSurface : public OutputSurface {
 public:
  explicit TextSurface(std::FILE* out) : out_(out) {}
  void SetTitle(const std::string&) override {}
  void Show() override {}
  void DrawText(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override { return 8 * static_cast<int>(text.size()); }
  void NewLine() override;
  // The error of the first write to the output that failed or fell short
  // (a full disk, a closed pipe); 0 while every write went through.
  int WriteError() const { return writeError_; }
  void CheckWrite(bool written);

 private:
  std::FILE* out_;
  int writeError_ = 0;
};

// PRN: lines go to a text file (UTF-8), created at the first line.
class FilePrinter : public PrinterSink {
 public:
  explicit FilePrinter(std::string path) : path_(std::move(path)) {}
  ~FilePrinter() override { Close(); }
  int WriteLine(const std::string& text) override;
  int Close() override;

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

class RunnerHost : public Host {
 public:
  RunnerHost(std::FILE* out, std::FILE* err, std::FILE* in, const std::string& printerPath);
  void MessageBox(const std::string& text) override;
  OutputSurface& Screen() override { return screen_; }
  DateTime Now() override;
  bool ReadKeyboardLine(std::string& line) override;
  PrinterSink* Printer() override { return printer_.get(); }
  // A run whose output cannot be written goes no further.
  bool InterruptRequested() override { return interruptFlag != 0 || screen_.WriteError() != 0; }
  int OutputError() const { return screen_.WriteError(); }
  // A confined runner's disk budget (nothing counted otherwise).
  void ChargeDisk(uint64_t bytes) override;

  // Set by the SIGINT handler.
  static volatile std::sig_atomic_t interruptFlag;

 private:
  TextSurface screen_;
  std::FILE* out_;
  std::FILE* err_;
  std::FILE* in_;
  std::unique_ptr<FilePrinter> printer_;
};

}  // namespace orv
