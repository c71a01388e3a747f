#include "rules_test_util.h"

#include "editor/rules/java_rules.h"

namespace orv::test {

char ColorLetter(const TKeyDescr& run) {
  if (run.ZOrder == kZSelection) return 'S';
  if (run.ZOrder == kZTab) return 'T';
  if (run.ZOrder == kZHotSpotText) return 'H';
  if (run.ZOrder == kZHotSpotMarker) return 'K';
  switch (run.Color) {
    case 0x808080: return 'G';
    case 0xFF0000: return 'B';
    case 0x000080: return 'M';
    case 0x0000FF: return 'R';
    case 0xFFFFFF: return 'W';
    case 0x00FF00: return 'L';
    default: return '?';
  }
}

std::string ColorMap(TColorizer& colorizer, const std::u16string& text, TPassOptions options) {
  const int runs = colorizer.Pass({text, 0}, options);
  std::string map(text.size(), '.');
  for (const TKeyDescr& run : colorizer.Runs(runs))
    for (std::int32_t p = run.StartPos; p <= run.EndPos; ++p)
      if (p >= 0 && p < static_cast<std::int32_t>(map.size())) map[static_cast<size_t>(p)] = ColorLetter(run);
  return map;
}

std::string JavaColorMap(const std::u16string& text) {
  TColorizer colorizer;
  InstallJavaRules(colorizer.ColorRules);
  return ColorMap(colorizer, text);
}

}  // namespace orv::test
