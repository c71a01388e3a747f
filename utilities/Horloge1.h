// THorloge, the desk clock: the current time and date refreshed every second
// while the window is active; "Set" freezes them for adjustment with the
// field selector and the spin control, and a second "Set" writes them to the
// system clock. Created once by the main window and shown modally with exec().
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QLocale>
#include <functional>

#include "utilities/clock_model.h"
#include "utilities/desk_windows.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace orv {

class SpinButton;

class THorloge : public QDialog {
  Q_OBJECT

 public:
  using NowSource = std::function<QDateTime()>;
  static constexpr int kTickMs = 1000;

  explicit THorloge(QWidget* parent = nullptr);

  // Seams for tests; by default the real system clock, the current local
  // time and the "Orv Java" error box.
  void SetClockSetter(ClockSetter setter) { setter_ = std::move(setter); }
  void SetNowSource(NowSource now) { now_ = std::move(now); }
  void SetMessageBox(MessageBoxFn messageBox) { messageBox_ = std::move(messageBox); }

  const ClockModel& Model() const { return model_; }
  ClockField SelectedField() const;

  // The time format shown: the regional long time format without its time
  // zone ("HH:mm:ss" on French settings).
  static QString TimeFormat(const QLocale& locale);

  QLabel* Label1 = nullptr;  // time
  QLabel* Label2 = nullptr;  // date
  QLabel* Label3 = nullptr;  // the clock face
  QGroupBox* RadioGroup1 = nullptr;
  SpinButton* SpinButton1 = nullptr;
  QPushButton* Button1 = nullptr;  // "Fermer"
  QPushButton* Button2 = nullptr;  // "Set"
  QTimer* Timer1 = nullptr;

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateTexts();
  void CreateControls();
  void FormActivate();
  void WindowActivated();
  void Refresh();
  void ShowTexts();
  void Timer1Timer();
  void Button2Click();
  void Step(bool up);
  void Report(const std::optional<std::string>& message);

  QLocale locale_;
  ClockModel model_;
  QButtonGroup* fields_ = nullptr;
  ClockSetter setter_ = SetSystemClock;
  NowSource now_ = [] { return QDateTime::currentDateTime(); };
  MessageBoxFn messageBox_ = ShowErrorBox;
};

}  // namespace orv
