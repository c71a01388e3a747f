// The history of a run in step mode: what each executed line changed, with
// the values it replaced, so that the line can be taken back. Before a line
// runs, the interpreter copies its stores into one scratch kept from line to
// line; after it, only the differences go into the line's record. Strings
// are kept as they are overwritten. A line whose effect lies outside the
// interpreter (the keyboard, a file, a folder, the printer) cannot be taken
// back: the history starts again after it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "interp/Unit3.h"

namespace orv {

// One slot's value before the line changed it.
template <typename T>
struct OldValue {
  int32_t Slot = 0;
  T Value{};
};

// What one line changed, and the state before it ran.
struct StepRecord {
  // The run's small state before the line.
  int32_t ResumeLine = 0;  // what the run was resumed with
  int32_t RunState = 0;    // and the stop it had left
  int32_t CurrentLine = 0, BraceDepth = 0, PrintX = 0, PrintY = 0, IoStatus = 0;
  bool MainSeen = false, DoPending = false, ErrorReported = false, Interrupted = false;
  uint64_t RandomState = 0;
  // The outcome of the call before: its stop, and the lines it ran.
  std::string StopReason;
  int64_t Executed = 0, Compiled = 0;
  std::optional<ScreenMark> Screen;  // none: the line drew nothing to take back
  int ControlTop = 0, ReturnTop = 0;
  // The stacks before the line, when it changed them.
  bool StacksChanged = false;
  std::vector<ControlEntry> Control;
  std::vector<int32_t> Returns;
  // The slots the line wrote, with their old values.
  std::vector<OldValue<int32_t>> Ints;
  std::vector<OldValue<long double>> Reals;
  std::vector<OldValue<uint8_t>> Chars;
  std::vector<OldValue<std::string>> Strings;
  std::vector<OldValue<std::string>> FileNames;

  // The line the learner saw marked before this one ran: a block's closer
  // runs as if on the line above its resume point.
  int32_t ShownLine() const;
  size_t Bytes() const;
};

class RunHistory {
 public:
  // Nothing can be taken back from here: `line` (0-based) is as far back as
  // the run goes, for the reason given (a Windows-1252 text).
  void Reset(int32_t line, std::string reason);
  // Keeps a line's record; beyond the limits the oldest records go.
  void Push(StepRecord record);
  std::optional<StepRecord> Pop();
  size_t Size() const { return records_.size(); }
  size_t Bytes() const { return bytes_; }
  int32_t FloorLine() const { return floorLine_; }
  const std::string& FloorReason() const { return floorReason_; }
  void SetLimits(size_t lines, size_t bytes) {
    maxLines_ = lines;
    maxBytes_ = bytes;
  }

  // The scratch: the stores as they were when the running line started
  // (whole: a line may write past its variables' slots).
  std::array<int32_t, kStoreSlots + 1> Ints{};
  std::array<long double, kStoreSlots + 1> Reals{};
  std::array<uint8_t, kStoreSlots + 1> Chars{};
  std::vector<std::string> FileNames;
  std::vector<ControlEntry> Control;
  std::vector<int32_t> Returns;
  StepRecord Running;  // the record of the line being run

 private:
  std::deque<StepRecord> records_;
  size_t bytes_ = 0;
  size_t maxLines_ = kHistoryLines, maxBytes_ = kHistoryBytes;
  int32_t floorLine_ = 0;
  std::string floorReason_;
};

}  // namespace orv
