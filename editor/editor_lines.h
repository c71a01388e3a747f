// The program text as the interpreter reads it: the editor's source lines
// (text blocks, never wrapped display lines) as Windows-1252 byte strings.
// A copy of every line is kept up to date on each document change, so reading
// a line costs no more than reading a plain list.
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "interp/host.h"

class QTextDocument;

namespace orv {

class TEditorLines : public QObject, public LineList {
  Q_OBJECT

 public:
  explicit TEditorLines(QTextDocument* document);

  // An empty last line is not counted.
  int Count() const override;
  std::string Line(int i) const override;
  std::optional<std::string_view> LineView(int i) const override {
    if (i < 0 || i >= static_cast<int>(Cache.size())) return std::nullopt;
    return Cache[static_cast<size_t>(i)];
  }
  // Both edit the document (and so set its modified flag), read-only or not.
  void SetLine(int i, const std::string& text) override;
  void DeleteLine(int i) override;

  // Every block, the empty last one included.
  const std::vector<std::string>& Blocks() const { return Cache; }
  // Reconverts every block; used after the whole text was replaced.
  void Rebuild();
  // While suspended, changes are not followed (the caller rebuilds after).
  void SetSuspended(bool suspended) { Suspended = suspended; }

 private:
  void OnContentsChange(int from, int removed, int added);

  QTextDocument* Document;
  std::vector<std::string> Cache;
  bool Suspended = false;
};

}  // namespace orv
