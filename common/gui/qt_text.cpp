#include "common/gui/qt_text.h"

#include <array>

#include "common/cp1252.h"

namespace orv {
namespace {

const std::array<char16_t, 256>& DecodeTable() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[static_cast<size_t>(b)] = static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(b)));
    return t;
  }();
  return table;
}

int ByteOf(char16_t c) { return c < 0x80 ? c : UnicodeToCp1252(c); }

}  // namespace

QString FromCp1252(std::string_view bytes) {
  const auto& table = DecodeTable();
  QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* data = out.data();
  for (size_t i = 0; i < bytes.size(); ++i) data[i] = QChar(table[static_cast<unsigned char>(bytes[i])]);
  return out;
}

std::string ToCp1252(QStringView text) {
  std::string out(static_cast<size_t>(text.size()), '\0');
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int b = ByteOf(text[i].unicode());
    out[static_cast<size_t>(i)] = b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

QString ToEditorText(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == u'\r') {
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out += u'\n';
    } else if (c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
      out += u'\n';
    } else {
      out += ByteOf(c) < 0 ? QChar(u'?') : QChar(c);
    }
  }
  return out;
}

}  // namespace orv
