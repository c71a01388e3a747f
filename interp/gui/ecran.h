// TEcran: the output screen "Ecran". Programs draw text at pixel positions;
// the screen remembers what was drawn, so covering and uncovering it erases
// nothing, and output beyond its edges is reached by scrolling.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <map>
#include <vector>

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
  int TextWidth(const QString& text) const;
  // Forgets everything drawn: the screen is white again.
  void Clear();
  const QFont& ScreenFont() const { return font_; }
  // What the whole drawing surface shows.
  QImage Snapshot() const;

 signals:
  void InterruptRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QFont font_;
  QScrollArea* scroll_ = nullptr;
  TEcranCanvas* canvas_ = nullptr;
};

}  // namespace orv
