#include "editor/editor_lines.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "common/gui/qt_text.h"

namespace orv {

TEditorLines::TEditorLines(QTextDocument* document) : QObject(document), Document(document) {
  connect(Document, &QTextDocument::contentsChange, this, &TEditorLines::OnContentsChange);
  Rebuild();
}

int TEditorLines::Count() const {
  const int n = static_cast<int>(Cache.size());
  return n > 0 && Cache.back().empty() ? n - 1 : n;
}

std::string TEditorLines::Line(int i) const {
  if (i < 0 || i >= static_cast<int>(Cache.size())) return {};
  return Cache[static_cast<size_t>(i)];
}

void TEditorLines::SetLine(int i, const std::string& text) {
  if (i < 0 || i >= static_cast<int>(Cache.size()) || Cache[static_cast<size_t>(i)] == text) return;
  QTextCursor cursor(Document->findBlockByNumber(i));
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  cursor.insertText(FromCp1252(text));
}

void TEditorLines::DeleteLine(int i) {
  const int blocks = static_cast<int>(Cache.size());
  if (i < 0 || i >= blocks) return;
  const QTextBlock block = Document->findBlockByNumber(i);
  QTextCursor cursor(block);
  if (i + 1 < blocks) {
    cursor.setPosition(block.next().position(), QTextCursor::KeepAnchor);
  } else if (i > 0) {  // the last block: take the line break before it
    cursor.setPosition(block.previous().position() + block.previous().length() - 1);
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
  } else {
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  }
  cursor.removeSelectedText();
}

void TEditorLines::Rebuild() {
  Cache.clear();
  Cache.reserve(static_cast<size_t>(Document->blockCount()));
  for (QTextBlock b = Document->begin(); b.isValid(); b = b.next()) Cache.push_back(ToCp1252(b.text()));
}

// The changed stretch is blocks first..lastNew of the new text; it replaces
// as many old blocks as the block count change leaves.
void TEditorLines::OnContentsChange(int from, int /*removed*/, int added) {
  if (Suspended) return;
  const int newCount = Document->blockCount();
  const QTextBlock firstBlock = Document->findBlock(from);
  const QTextBlock lastBlock = Document->findBlock(from + added);
  const int first = firstBlock.isValid() ? firstBlock.blockNumber() : newCount - 1;
  const int lastNew = lastBlock.isValid() ? lastBlock.blockNumber() : newCount - 1;
  const int oldLast = lastNew - (newCount - static_cast<int>(Cache.size()));
  if (first < 0 || lastNew < first || oldLast < first - 1 || oldLast >= static_cast<int>(Cache.size())) {
    Rebuild();
    return;
  }
  // Overwrite the blocks both texts have, then insert or erase the rest.
  QTextBlock b = Document->findBlockByNumber(first);
  int n = first;
  for (; n <= lastNew && n <= oldLast; ++n, b = b.next()) Cache[static_cast<size_t>(n)] = ToCp1252(b.text());
  if (n <= oldLast) Cache.erase(Cache.begin() + n, Cache.begin() + oldLast + 1);
  std::vector<std::string> fresh;
  for (; n <= lastNew; ++n, b = b.next()) fresh.push_back(ToCp1252(b.text()));
  Cache.insert(Cache.begin() + (lastNew - static_cast<int>(fresh.size()) + 1),
               std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
}

}  // namespace orv
