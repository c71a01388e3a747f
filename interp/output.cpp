// The print statements and GOTOXY on the output screen.
#include <algorithm>

#include "interp/Unit3.h"
#include "interp/text.h"

namespace orv {

namespace {
constexpr int32_t kLineAdvance = 18;
// GOTOXY coordinates, as Indice gives them (the written value - 1).
constexpr int64_t kFirstCoordinate = 1, kLastCoordinate = 32767;

// The print position only ever grows; it stops at the largest int instead of
// wrapping round to the top-left corner.
int32_t Advance(int32_t position, int64_t by) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{position} + by, INT32_MIN, INT32_MAX));
}
}  // namespace

void TForm3::PrintStatement(std::string_view a, bool newLine) {
  ClearLookupFailure();
  std::string text(DropLast(TrimView(a)));
  if (text.empty()) return;
  if (!ScanValue(text)) return;
  DrawOutput(text, newLine);
}

void TForm3::DrawOutput(const std::string& text, bool newLine) {
  if (recording_) NoteDrawing();
  OutputSurface& screen = Outside().Screen();
  screen.DrawText(PrintX, PrintY, text);
  if (newLine) {
    screen.NewLine();
    PrintX = 0;
    PrintY = Advance(PrintY, kLineAdvance);
  } else {
    PrintX = Advance(PrintX, screen.TextWidth(text));
  }
}

void TForm3::GotoXYStatement(std::string_view a) {
  const std::string_view t = DropLast(a);
  const size_t comma = t.find(',');
  if (comma == std::string_view::npos) return Fail("Erreur dans paramètres"_cp);
  const auto x = Indice(t.substr(0, comma));
  if (!x) return;
  const auto y = Indice(Tail(t, comma + 1));
  if (!y) return;
  for (const int64_t c : {*x, *y})
    if (c < kFirstCoordinate || c > kLastCoordinate) return Fail("Valeur de paramètre incorrecte"_cp);
  // Column x, row y counted from 1 (the offsets are already x - 1, y - 1).
  OutputSurface& screen = Outside().Screen();
  PrintX = Advance(0, *x * std::max(screen.TextWidth("0"), 0));
  PrintY = Advance(0, *y * kLineAdvance);
}

}  // namespace orv
