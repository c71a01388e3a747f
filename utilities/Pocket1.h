// TPocket, the pocket calculator: four operations, reciprocal and square
// root on one 80-bit accumulator, typed on its keypad or on the keyboard.
// Created once by the main window and shown modally with exec(); every
// opening starts from a cleared calculator.
#pragma once

#include <QDialog>
#include <array>

#include "utilities/pocket_model.h"
#include "utilities/desk_windows.h"

class QLabel;
class QPushButton;

namespace orv {

class TPocket : public QDialog {
  Q_OBJECT

 public:
  explicit TPocket(QWidget* parent = nullptr);

  // Where reading and arithmetic failures are reported (the "Orv Java" error
  // box unless replaced).
  void SetMessageBox(MessageBoxFn messageBox) { messageBox_ = std::move(messageBox); }

  const PocketModel& Model() const { return model_; }
  // Button0 .. Button18 are the keys in PocketKey order; Button19 is "Fermer".
  QPushButton* KeyButton(PocketKey key) const { return Buttons[static_cast<int>(key)]; }

  std::array<QPushButton*, kPocketKeyCount + 1> Buttons{};
  QLabel* Label1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateDisplay();
  void CreateKeys();
  void FormActivate();
  void FormKeyPress(QKeyEvent* event);
  void KeyClick(PocketKey key);
  void ShowDisplay();

  PocketModel model_;
  MessageBoxFn messageBox_ = ShowErrorBox;
};

}  // namespace orv
