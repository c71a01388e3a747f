#include "runner/runner_host.h"

#include <cerrno>
#include <ctime>

#include "common/local_time.h"
#include "interp/Unit3.h"
#include "common/cp1252.h"
#include "runner/confine.h"
#include "runner/platform.h"

namespace orv {

volatile std::sig_atomic_t RunnerHost::interruptFlag = 0;

void TextSurface::CheckWrite(bool written) {
  if (!written && writeError_ == 0) writeError_ = errno ? errno : EIO;
}

void TextSurface::DrawText(int, int, const std::string& text) {
  const std::string utf8 = Cp1252ToUtf8(text);
  errno = 0;
  CheckWrite(std::fwrite(utf8.data(), 1, utf8.size(), out_) == utf8.size());
}

void TextSurface::NewLine() {
  errno = 0;
  CheckWrite(std::fputc('\n', out_) != EOF);
}

int FilePrinter::WriteLine(const std::string& text) {
  if (!file_) {
    file_ = platform::OpenFile(path_, "wb");
    if (!file_) return errno ? errno : EIO;
  }
  const std::string utf8 = Cp1252ToUtf8(text) + "\n";
  errno = 0;
  if (std::fwrite(utf8.data(), 1, utf8.size(), file_) != utf8.size()) return errno ? errno : EIO;
  return 0;
}

int FilePrinter::Close() {
  if (!file_) return 0;
  errno = 0;
  const int result = std::fclose(file_) == 0 ? 0 : (errno ? errno : EIO);
  file_ = nullptr;
  return result;
}

RunnerHost::RunnerHost(std::FILE* out, std::FILE* err, std::FILE* in,
                       const std::string& printerPath)
    : screen_(out), out_(out), err_(err), in_(in) {
  if (!printerPath.empty()) printer_ = std::make_unique<FilePrinter>(printerPath);
}

void RunnerHost::MessageBox(const std::string& text) {
  // Once the output has failed, the run's stop is that failure, told last.
  if (screen_.WriteError() != 0) return;
  errno = 0;
  screen_.CheckWrite(std::fflush(out_) == 0);
  const std::string utf8 = Cp1252ToUtf8(text) + "\n";
  std::fwrite(utf8.data(), 1, utf8.size(), err_);
  std::fflush(err_);
}

DateTime RunnerHost::Now() {
  std::tm local{};
  ToLocalTime(std::time(nullptr), local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

void RunnerHost::ChargeDisk(uint64_t bytes) { confine::ChargeDisk(bytes); }

bool RunnerHost::ReadKeyboardLine(std::string& line) {
  std::fflush(out_);
  line.clear();
  if (const std::optional<bool> typed = platform::ReadConsoleLine(in_, line)) {
    line = Utf8ToCp1252(line);
    return *typed;
  }
  // A UTF-8 character takes at most 4 bytes: past this many bytes the line is
  // longer than any text of the interpreter, which refuses it. Reading stops
  // there (a stream without line ends, such as /dev/zero, never ends).
  constexpr size_t kMaxLineBytes = 4 * kMaxStringLength + 4;
  int c = 0;
  bool any = false;
  while (line.size() <= kMaxLineBytes && (c = std::fgetc(in_)) != EOF) {
    any = true;
    if (c == '\n') break;
    line += static_cast<char>(c);
  }
  if (c == EOF) std::clearerr(in_);  // an interrupted read is not the end for good
  if (!line.empty() && line.back() == '\r') line.pop_back();
  line = Utf8ToCp1252(line);
  return any;
}

}  // namespace orv
