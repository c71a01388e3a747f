// TForm12: the keyboard input box. A framed box on top of the other windows
// with a prompt and one edit field; Enter closes it (accepted), Échap too
// (rejected). It opens just below the last line the program drew.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace orv {

class TForm12 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm12(QWidget* parent = nullptr);
  QString Result() const;

  QLabel* Prompt = nullptr;  // "Entrée au clavier :"
  QLineEdit* Edit1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orv
