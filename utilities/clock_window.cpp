#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "common/gui/regional.h"
#include "utilities/Horloge1.h"
#include "utilities/pictures.h"
#include "utilities/spin_button.h"

namespace orv {

namespace {

constexpr int kClientWidth = 277, kClientHeight = 156;
constexpr int kFaceSide = 54;

struct FieldChoice {
  const char* caption;
  ClockField field;
};

constexpr FieldChoice kFields[] = {{"Hr", ClockField::Hour},
                                   {"Mn", ClockField::Minute},
                                   {"Jo", ClockField::Day},
                                   {"Mo", ClockField::Month},
                                   {"An", ClockField::Year}};

QLabel* MakeField(QWidget* parent, const char* name, const char* placeholder, int y) {
  auto* label = new QLabel(QString::fromUtf8(placeholder), parent);
  label->setObjectName(name);
  label->setGeometry(6, y, 142, 34);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setLineWidth(2);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(BoldArial(23));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
  palette.setColor(QPalette::Light, QColor(160, 160, 160));
  palette.setColor(QPalette::Dark, QColor(64, 64, 64));
  label->setPalette(palette);
  return label;
}

// Hours, minutes and seconds of the shown time, for the face's hands.
bool ShownTime(const std::string& text, int* h, int* m, int* s) {
  const auto hour = ReadClockInteger(text.substr(0, 2));
  const auto minute = ReadClockInteger(text.size() > 3 ? text.substr(3, 2) : "");
  const auto second = ReadClockInteger(text.size() > 6 ? text.substr(6, 2) : "");
  if (!hour || !minute || !second) return false;
  *h = *hour, *m = *minute, *s = *second;
  return true;
}

}  // namespace

THorloge::THorloge(QWidget* parent)
    : QDialog(parent, kDeskWindowFlags | Qt::MSWindowsFixedSizeDialogHint),
      locale_(RegionalLocale()) {
  setObjectName("THorloge");
  setWindowTitle(QString::fromUtf8("Horloge"));
  setFixedSize(kClientWidth, kClientHeight);
  SetBackground(this, Qt::black);
  QPalette white = palette();
  white.setColor(QPalette::WindowText, Qt::white);
  setPalette(white);
  CreateControls();  // first, so that "Fermer" leads the tab order
  CreateTexts();
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kTickMs);
  Timer1->setTimerType(Qt::PreciseTimer);  // a coarse timer would skip seconds now and then
  connect(Timer1, &QTimer::timeout, this, &THorloge::Timer1Timer);
  Button1->setFocus();
}

void THorloge::CreateControls() {
  Button1 = new QPushButton(QString::fromUtf8("Fermer"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(156, 124, 115, 26);
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setGeometry(156, 2, 62, 116);
  auto* column = new QVBoxLayout(RadioGroup1);
  column->setContentsMargins(8, 4, 4, 4);
  column->setSpacing(0);
  fields_ = new QButtonGroup(this);
  QFont bold = font();
  bold.setBold(true);
  for (int i = 0; i < 5; ++i) {
    auto* item = new QRadioButton(QString::fromUtf8(kFields[i].caption), RadioGroup1);
    item->setObjectName(QString::fromUtf8(kFields[i].caption));
    item->setFont(bold);
    column->addWidget(item);
    fields_->addButton(item, i);
  }

  SpinButton1 = new SpinButton(this);
  SpinButton1->setObjectName("SpinButton1");
  SpinButton1->setGeometry(230, 6, 36, 52);
  connect(SpinButton1, &SpinButton::UpClick, this, [this] { Step(true); });
  connect(SpinButton1, &SpinButton::DownClick, this, [this] { Step(false); });

  Button2 = new QPushButton(QString::fromUtf8("Set"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(226, 64, 45, 26);
  connect(Button2, &QPushButton::clicked, this, &THorloge::Button2Click);
}

void THorloge::CreateTexts() {
  Label1 = MakeField(this, "Label1", "18:23:00", 10);
  auto* line = new QFrame(this);
  line->setGeometry(6, 49, 142, 1);
  SetBackground(line, Qt::white);
  Label2 = MakeField(this, "Label2", "20/10/1998", 54);
  Label3 = new QLabel(this);
  Label3->setObjectName("Label3");
  Label3->setGeometry(6, 96, 142, 58);
  Label3->setAlignment(Qt::AlignCenter);
  Label3->setPixmap(ClockFacePicture(kFaceSide, false, 0, 0, 0));
}

QString THorloge::TimeFormat(const QLocale& locale) { return LongTimeFormat(locale); }

ClockField THorloge::SelectedField() const {
  const int id = fields_->checkedId();
  return id < 0 ? ClockField::None : kFields[id].field;
}

bool THorloge::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) WindowActivated();
  if (event->type() == QEvent::WindowDeactivate) Timer1->stop();
  return QDialog::event(event);
}

void THorloge::keyPressEvent(QKeyEvent* event) {
  // Enter reaching the window came from a control that is not a button: it
  // must not press a default button behind the user's back.
  if (IsEnterKey(event))
    event->accept();
  else
    QDialog::keyPressEvent(event);
}

void THorloge::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void THorloge::hideEvent(QHideEvent* event) {
  Timer1->stop();
  QDialog::hideEvent(event);
}

// Each opening discards a frozen adjustment and shows the running time.
void THorloge::FormActivate() {
  model_.LeaveSetMode();
  Refresh();
  Timer1->start();
}

// Coming back from another window resumes the running display; a frozen
// adjustment stays frozen.
void THorloge::WindowActivated() {
  if (model_.SetMode() || !isVisible()) return;
  Refresh();
  Timer1->start();
}

void THorloge::Refresh() {
  const QDateTime now = now_();
  model_.Show(locale_.toString(now.time(), TimeFormat(locale_)).toStdString(),
              locale_.toString(now.date(), locale_.dateFormat(QLocale::ShortFormat)).toStdString());
  ShowTexts();
}

void THorloge::ShowTexts() {
  Label1->setText(QString::fromStdString(model_.TimeText()));
  Label2->setText(QString::fromStdString(model_.DateText()));
  int h = 0, m = 0, s = 0;
  const bool hands = ShownTime(model_.TimeText(), &h, &m, &s);
  Label3->setPixmap(ClockFacePicture(kFaceSide, hands, h, m, s));
}

void THorloge::Timer1Timer() { Refresh(); }

void THorloge::Button2Click() {
  const SetOutcome outcome = model_.PressSet(setter_);
  if (outcome.resumeDisplay) {
    Refresh();
    Timer1->start();
  } else {
    Timer1->stop();
  }
  Report(outcome.message);
}

void THorloge::Step(bool up) {
  const auto error = model_.Step(SelectedField(), up);
  ShowTexts();
  Report(error);
}

void THorloge::Report(const std::optional<std::string>& message) {
  if (message) messageBox_(this, QString::fromStdString(*message));
}

}  // namespace orv
