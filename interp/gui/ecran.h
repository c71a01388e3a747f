// TEcran: the output screen "Ecran". Programs draw text at pixel positions;
// the screen remembers what was drawn, so covering and uncovering it erases
// nothing, and output beyond its edges is reached by scrolling. It also keeps
// the text drawn as lines (copied or saved from its context menu), can be
// zoomed, and opens beside the editor's text when there is room.
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <deque>
#include <functional>

#include "interp/host.h"

class QAction;
class QMenu;
class QScrollArea;

namespace orv {

class TEcranCanvas;

class TEcran : public QWidget {
  Q_OBJECT

 public:
  explicit TEcran(QWidget* parent = nullptr);

  void SetTitle(const QString& title);
  // Shows the screen and brings it to the front; nothing is cleared.
  void ShowScreen();
  // Text on an opaque white background, its top-left corner at (x, y).
  void DrawText(int x, int y, const QString& text);
  // A print-line ended its line: the transcript starts a new one.
  void NewLine();
  int TextWidth(const QString& text) const;
  // Forgets everything drawn and its transcript: the screen is white again.
  void Clear();
  // A step back: how much has been drawn and written since Clear, and
  // taking back all that came after such a mark.
  ScreenMark Mark() const;
  void RollBack(const ScreenMark& mark);
  const QFont& ScreenFont() const { return font_; }
  // What the whole drawing surface shows, at the program's scale.
  QImage Snapshot() const;

  // The text drawn since the last Clear, in drawing order; each print-line
  // ends its line with "\n".
  QString Transcript() const;
  // "Copier le texte": the transcript to the clipboard.
  void CopyText();
  // Writes the transcript as UTF-8; on failure says why and returns false
  // (the transcript and any earlier file stay as they were).
  bool SaveText(const QString& path);
  // "Enregistrer le texte...": asks for a file name, then SaveText.
  void SaveTextAs();
  // What "Enregistrer le texte..." proposes: "<programme>-sortie.txt".
  QString ProposedSaveName() const;
  QAction* CopyTextItem = nullptr;
  QAction* SaveTextItem = nullptr;
  // Seams: the save dialog (an empty name cancels) and the message box.
  std::function<QString()> askSaveName;
  std::function<void(const QString&)> messageBox;

  // Zoom of the drawing in percent; the program's coordinates and
  // TextWidth do not change. Remembered between sessions.
  int Zoom() const { return zoom_; }
  void SetZoom(int percent);
  // Levels up (positive) or down; 0 goes back to 100 %.
  void ZoomBy(int steps);

  // Before a run: while the screen is hidden and the learner never moved it,
  // puts it where it does not cover `avoidGlobal` (right of it, else left,
  // else below, else the usual place). Once the learner has moved it, it
  // opens where it was left.
  void PlaceBeside(const QRect& avoidGlobal);
  // Where a box of this size goes, in global coordinates: just below the last
  // line drawn when the visible area has room there, else just below the
  // window.
  QPoint InputBoxPlace(const QSize& box);

 signals:
  void InterruptRequested();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void AppendTranscript(const QString& text);
  void MoveOurselves(const QPoint& framePosition);
  void WaitUntilMapped();

  QFont font_;
  QScrollArea* scroll_ = nullptr;
  TEcranCanvas* canvas_ = nullptr;
  QMenu* menu_ = nullptr;
  int zoom_ = 100;
  int wheelDelta_ = 0;  // high-resolution wheels: whole notches only
  // Transcript: the lines ended so far and the line being drawn.
  std::deque<QString> lines_;
  QString current_;
  qsizetype transcriptSize_ = 0;
  uint64_t written_ = 0;  // characters written since Clear, line ends included
  // Where we put the window ourselves; a move elsewhere after the window has
  // settled is the learner's.
  QPoint placedAt_;
  QElapsedTimer shown_;
};

}  // namespace orv
