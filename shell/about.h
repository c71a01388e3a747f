// TAboutBox: "A propos de OrvJava". Created once at start-up and shown
// modally by the main window with exec(); "OK" and Esc close it.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace orv {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 373;
  static constexpr int kHeight = 274;

  explicit TAboutBox(QWidget* parent = nullptr);

  QWidget* Panel1 = nullptr;
  QLabel* ProgramIcon = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  QLabel* Comments = nullptr;
  QPushButton* OKButton = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace orv
