// Between the widgets' QStrings and the 8-bit Windows-1252 texts of
// files and of the interpreter, through the project's one codec.
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace orv {

QString FromCp1252(std::string_view bytes);
// Characters Windows-1252 has no byte for become '?'.
std::string ToCp1252(QStringView text);
// The same for text that enters the editor (typed or pasted): every line
// break becomes '\n' and characters without a byte become '?', so what is
// shown is what will be saved.
QString ToEditorText(QStringView text);

inline std::u16string_view View(const QString& s) {
  return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size())};
}

}  // namespace orv
