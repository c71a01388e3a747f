// The print statements and GOTOXY on the output screen.
#include <algorithm>

#include "interp/Unit3.h"
#include "interp/text.h"

namespace orv {

namespace {
constexpr int32_t kLineAdvance = 18;
}

void TForm3::PrintStatement(std::string_view a, bool newLine) {
  ClearLookupFailure();
  std::string text(DropLast(TrimView(a)));
  if (text.empty()) return;
  if (!ScanValue(text)) return;
  OutputSurface& screen = host_.Screen();
  screen.DrawText(PrintX, PrintY, text);
  if (newLine) {
    screen.NewLine();
    PrintX = 0;
    PrintY += kLineAdvance;
  } else {
    PrintX += screen.TextWidth(text);
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
  if (*x <= 0 || *y <= 0) return Fail("Valeur de paramètre incorrecte"_cp);
  // Column x, row y counted from 1 (the offsets are already x - 1, y - 1).
  OutputSurface& screen = host_.Screen();
  PrintX = static_cast<int32_t>(std::min<int64_t>(int64_t{*x} * screen.TextWidth("0"), INT32_MAX));
  PrintY = static_cast<int32_t>(std::min<int64_t>(int64_t{*y} * kLineAdvance, INT32_MAX));
}

}  // namespace orv
