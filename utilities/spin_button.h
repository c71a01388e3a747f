// A spin control: an up arrow above a down arrow. Holding an arrow repeats it
// (first after 400 ms, then every 100 ms); with the focus on the control the
// up and down arrow keys act as its arrows.
#pragma once

#include <QWidget>

class QToolButton;

namespace orv {

class SpinButton : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRepeatDelayMs = 400;
  static constexpr int kRepeatIntervalMs = 100;

  explicit SpinButton(QWidget* parent = nullptr);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 signals:
  void UpClick();
  void DownClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* MakeArrow(bool up);

  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace orv
