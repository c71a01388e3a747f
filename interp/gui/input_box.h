// TForm12: the keyboard input box. A borderless box on top of the other
// windows with one edit field; Enter closes it.
#pragma once

#include <QDialog>

class QLineEdit;

namespace orv {

class TForm12 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm12(QWidget* parent = nullptr);
  QString Result() const;

  QLineEdit* Edit1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orv
