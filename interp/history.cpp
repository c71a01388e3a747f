// Taking back the lines run in step mode.
#include "interp/history.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>

#include "common/cp1252.h"
#include "interp/text.h"

namespace orv {
namespace {

// The bytes of a real that hold its value: an x87 extended real has six
// bytes of padding, whatever they hold.
constexpr size_t kRealBytes = std::numeric_limits<long double>::digits == 64 ? 10 : sizeof(long double);

bool SameReal(const long double& a, const long double& b) { return std::memcmp(&a, &b, kRealBytes) == 0; }

bool SameEntry(const ControlEntry& a, const ControlEntry& b) {
  return a.Line == b.Line && a.BraceDepth == b.BraceDepth && a.Closer == b.Closer;
}

// A store into the scratch, byte for byte.
template <typename T, size_t N>
void Copy(const std::array<T, N>& store, std::array<T, N>& scratch) {
  std::memcpy(scratch.data(), store.data(), sizeof store);
}

// Every slot of the store that differs from the scratch, with the scratch's
// value. Most lines change nothing of a store, or one slot.
template <typename T, size_t N, typename Same>
void Differences(const std::array<T, N>& store, const std::array<T, N>& scratch, std::vector<OldValue<T>>& changed,
                 Same same) {
  if (std::memcmp(store.data(), scratch.data(), sizeof store) == 0) return;
  for (size_t i = 0; i < N; ++i)
    if (!same(store[i], scratch[i])) changed.push_back({static_cast<int32_t>(i), scratch[i]});
}

// 100000 as "100 000".
std::string Grouped(size_t n) {
  std::string digits = std::to_string(n);
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, " ");
  return digits;
}

std::string MegaBytes(size_t bytes) {
  return bytes >= (size_t{1} << 20) ? Grouped(bytes >> 20) : "0," + std::to_string(bytes * 10 >> 20);
}

// The line marked while a run waits to resume there.
int32_t ShownLine(int32_t resumeLine, int32_t state) {
  return state == kStoppedBeforeCloser ? resumeLine - 1 : resumeLine;
}

std::string WithoutSteps() { return "lignes exécutées sans pas à pas"_cp; }

constexpr auto kKeep = [](auto& kept, const auto& live) { kept = live; };
constexpr auto kGiveBack = [](const auto& kept, auto& live) { live = kept; };

std::string LineNumber(int32_t line) { return std::to_string(int64_t{line} + 1); }

}  // namespace

// --- RunHistory ----------------------------------------------------------------

int32_t StepRecord::ShownLine() const { return orv::ShownLine(ResumeLine, RunState); }

size_t StepRecord::Bytes() const {
  size_t bytes = sizeof(StepRecord) + StopReason.capacity() + Control.size() * sizeof(ControlEntry) +
                 Returns.size() * sizeof(int32_t) + Ints.size() * sizeof(Ints[0]) +
                 Reals.size() * sizeof(Reals[0]) + Chars.size() * sizeof(Chars[0]);
  for (const auto* texts : {&Strings, &FileNames})
    for (const OldValue<std::string>& old : *texts) bytes += sizeof(old) + old.Value.capacity();
  return bytes;
}

void RunHistory::Reset(int32_t line, std::string reason) {
  records_.clear();
  bytes_ = 0;
  floorLine_ = line;
  floorReason_ = std::move(reason);
}

void RunHistory::Push(StepRecord record) {
  bytes_ += record.Bytes();
  records_.push_back(std::move(record));
  while (records_.size() > 1 && (records_.size() > maxLines_ || bytes_ > maxBytes_)) {
    const bool byLines = records_.size() > maxLines_;
    bytes_ -= records_.front().Bytes();
    records_.pop_front();
    floorLine_ = records_.front().ShownLine();
    floorReason_ = byLines ? "historique limité aux "_cp + Grouped(maxLines_) + " dernières lignes"_cp
                           : "historique limité à "_cp + MegaBytes(maxBytes_) + " Mo";
  }
}

std::optional<StepRecord> RunHistory::Pop() {
  if (records_.empty()) return std::nullopt;
  StepRecord record = std::move(records_.back());
  records_.pop_back();
  bytes_ -= record.Bytes();
  return record;
}

// --- The interpreter's side ----------------------------------------------------------

// The small state a record keeps, each field beside the interpreter's own:
// one list to keep it and to give it back. The outcome of the call before is
// kept before the call changes it; the rest just before the line.
template <typename Visit>
void TForm3::OutcomeFields(StepRecord& record, Visit visit) {
  visit(record.RunState, RunState);
  visit(record.StopReason, stopReason_);
  visit(record.ErrorReported, errorReported_);
  visit(record.Interrupted, interrupted_);
  visit(record.Executed, executedLines_);
  visit(record.Compiled, compiledLines_);
  visit(record.CurrentLine, CurrentLine);
}

template <typename Visit>
void TForm3::FrameFields(StepRecord& record, Visit visit) {
  visit(record.BraceDepth, BraceDepth);
  visit(record.PrintX, PrintX);
  visit(record.PrintY, PrintY);
  visit(record.IoStatus, IoStatus);
  visit(record.MainSeen, MainSeen);
  visit(record.DoPending, DoPending);
  visit(record.RandomState, randomState_);
  visit(record.ControlTop, ControlTop);
  visit(record.ReturnTop, ReturnTop);
}

void TForm3::SetHistoryLimits(size_t lines, size_t bytes) {
  historyLines_ = lines;
  historyBytes_ = bytes;
  if (history_) history_->SetLimits(lines, bytes);
}

RunHistory& TForm3::History() {
  if (!history_) {
    history_ = std::make_unique<RunHistory>();
    history_->SetLimits(historyLines_, historyBytes_);
  }
  return *history_;
}

size_t TForm3::StepsBack() const { return history_ ? history_->Size() : 0; }

// Lines run without step mode cannot be taken back: the history starts
// again where they stopped. A run that keeps none (the runner's) never makes one.
void TForm3::ForgetHistoryAfterRun(int32_t resumeLine, int32_t finalState) {
  if (history_) history_->Reset(ShownLine(resumeLine, finalState), WithoutSteps());
}

// Before the call changes anything: how the call before ended, which a step
// back over this call's line gives back.
void TForm3::KeepOutcome(int32_t resumeLine) {
  const bool made = !history_;
  RunHistory& history = History();
  // Steps after a run that kept none: they go back to where it stopped.
  if (made) history.Reset(ShownLine(resumeLine, RunState), WithoutSteps());
  StepRecord& record = history.Running;
  record = StepRecord{};
  OutcomeFields(record, kKeep);  // CurrentLine too: the run goes on from the resume line, but shows this one
}

// Before the line: the state it starts from, the stores into the scratch. A
// run that starts over starts a new history, from the main header.
void TForm3::BeginStep(int32_t resumeLine, bool startsOver) {
  RunHistory& history = History();  // a fresh run's pre-pass forgot the old one
  StepRecord& record = history.Running;
  if (startsOver) {
    history.Reset(resumeLine, "début du programme"_cp);
    record = StepRecord{};  // as if stopped before the main header
    record.RunState = kStopped;
  }
  record.ResumeLine = resumeLine;
  if (startsOver) record.CurrentLine = CurrentLine;
  FrameFields(record, kKeep);
  record.Screen = Outside().Screen().Mark();

  Copy(IntStore, history.Ints);
  Copy(RealStore, history.Reals);
  Copy(CharStore, history.Chars);
  history.FileNames.resize(static_cast<size_t>(FileCount) + 1);
  for (int i = 0; i <= FileCount; ++i) history.FileNames[static_cast<size_t>(i)] = FileStore[static_cast<size_t>(i)].Name;
  history.Control.assign(ControlStack.begin(), ControlStack.begin() + ControlTop);
  history.Returns.assign(ReturnStack.begin(), ReturnStack.begin() + ReturnTop);
  untakeable_ = nullptr;
  recording_ = true;
}

// After the line: what it changed goes into its record, unless it reached
// outside the interpreter, where the history starts again.
void TForm3::EndStep() {
  recording_ = false;
  if (executedLines_ == 0) return;  // stopped before its line: nothing ran
  RunHistory& history = *history_;
  StepRecord& record = history.Running;
  if (untakeable_) return history.Reset(record.ShownLine(), Utf8ToCp1252(untakeable_));
  Differences(IntStore, history.Ints, record.Ints, std::equal_to<>());
  Differences(RealStore, history.Reals, record.Reals, SameReal);
  Differences(CharStore, history.Chars, record.Chars, std::equal_to<>());
  for (size_t i = 0; i < history.FileNames.size(); ++i)
    if (FileStore[i].Name != history.FileNames[i])
      record.FileNames.push_back({static_cast<int32_t>(i), history.FileNames[i]});
  bool same = ControlTop == record.ControlTop && ReturnTop == record.ReturnTop;
  for (int i = 0; same && i < ControlTop; ++i)
    same = SameEntry(ControlStack[static_cast<size_t>(i)], history.Control[static_cast<size_t>(i)]);
  for (int i = 0; same && i < ReturnTop; ++i)
    same = ReturnStack[static_cast<size_t>(i)] == history.Returns[static_cast<size_t>(i)];
  if (!same) {
    record.StacksChanged = true;
    record.Control = std::move(history.Control);
    record.Returns = std::move(history.Returns);
  }
  history.Push(std::move(record));
}

// A string slot about to be written, kept once per line with its old text.
void TForm3::KeepOldString(int64_t slot) {
  std::vector<OldValue<std::string>>& kept = history_->Running.Strings;
  for (const OldValue<std::string>& old : kept)
    if (old.Slot == slot) return;
  kept.push_back({static_cast<int32_t>(slot), StringStore[static_cast<size_t>(slot)]});
}

// A line that draws on a screen that cannot take its drawing back.
void TForm3::NoteDrawing() {
  if (!history_->Running.Screen) Untakeable("affichage");
}

bool TForm3::StepBack(int32_t& resumeLine, int32_t& finalState, std::string& note) {
  std::optional<StepRecord> taken = history_ ? history_->Pop() : std::nullopt;
  if (!taken) {
    note = "Retour impossible avant la ligne " + LineNumber(history_ ? history_->FloorLine() : CurrentLine) + " : " +
           (history_ ? history_->FloorReason() : "aucune ligne exécutée en pas à pas"_cp);
    return false;
  }
  StepRecord& record = *taken;
  for (const auto& old : record.Ints) IntStore[static_cast<size_t>(old.Slot)] = old.Value;
  for (const auto& old : record.Reals) RealStore[static_cast<size_t>(old.Slot)] = old.Value;
  for (const auto& old : record.Chars) CharStore[static_cast<size_t>(old.Slot)] = old.Value;
  for (const auto& old : record.Strings) StringStore[static_cast<size_t>(old.Slot)] = old.Value;
  for (const auto& old : record.FileNames) FileStore[static_cast<size_t>(old.Slot)].Name = old.Value;
  if (record.StacksChanged) {
    std::copy(record.Control.begin(), record.Control.end(), ControlStack.begin());
    std::copy(record.Returns.begin(), record.Returns.end(), ReturnStack.begin());
  }
  OutcomeFields(record, kGiveBack);
  FrameFields(record, kGiveBack);
  if (record.Screen) Outside().Screen().RollBack(*record.Screen);
  resumeLine = record.ResumeLine;
  finalState = record.RunState;

  note = "Retour à la ligne "_cp + LineNumber(record.ShownLine()) + " : ";
  if (const size_t left = history_->Size(); left == 0)
    note += "plus de pas en arrière possible ("_cp + history_->FloorReason() + ")";
  else
    note += Grouped(left) + (left == 1 ? " pas en arrière encore possible"_cp : " pas en arrière encore possibles"_cp);
  return true;
}

}  // namespace orv
