#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/gui/regional.h"
#include "utilities/Calend.h"
#include "utilities/month_grid.h"
#include "utilities/pictures.h"
#include "utilities/desk_windows.h"

namespace orv {

namespace {

constexpr int kWidth = 376, kHeight = 243;
constexpr int kPanelHeight = 96;
constexpr int kBandWidth = 372;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setMinimumSize(96, 30);
  return button;
}

}  // namespace

TCalendrier::TCalendrier(QWidget* parent, QDate today)
    : QDialog(parent, kDeskWindowFlags),
      locale_(RegionalLocale()),
      model_(today.year(), today.month(), today.day()) {
  setObjectName("TCalendrier");
  setWindowTitle(QString::fromUtf8("Calendrier"));
  resize(kWidth, kHeight);
  setMinimumSize(kWidth - 60, kHeight - 60);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 0, 2, 2);
  column->setSpacing(2);
  CreatePanel();
  column->addWidget(BitBtn1->parentWidget());
  Calendar1 = new MonthGrid(model_, locale_, this);
  Calendar1->setObjectName("Calendar1");
  Calendar1->setMinimumSize(kBandWidth - 80, 143 - 40);
  column->addWidget(Calendar1, 1);
  connect(Calendar1, &MonthGrid::DateChanged, this, &TCalendrier::Calendar1Change);
  setTabOrder(Calendar1, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
  setTabOrder(BitBtn2, Button1);
  Calendar1->setFocus();
}

void TCalendrier::CreatePanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("Panel1");
  panel->setFixedHeight(kPanelHeight);
  SetBackground(panel, kTeal);

  BitBtn1 = MakeButton(panel, "BitBtn1", "Mois");
  BitBtn1->setIcon(MonthArrowIcon(true, QColor(0, 0, 160)));
  BitBtn2 = MakeButton(panel, "BitBtn2", "Mois");
  BitBtn2->setIcon(MonthArrowIcon(false, QColor(0, 0, 160)));
  BitBtn2->setLayoutDirection(Qt::RightToLeft);  // its arrow stands at the right
  Button1 = MakeButton(panel, "Button1", "Fermer");
  connect(BitBtn1, &QPushButton::clicked, this, &TCalendrier::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TCalendrier::BitBtn2Click);
  connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

  Label1 = new QLabel(panel);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setFont(BoldArial(23));
  QPalette red = Label1->palette();
  red.setColor(QPalette::WindowText, Qt::red);
  Label1->setPalette(red);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(14);
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  buttons->addWidget(Button1);
  buttons->addStretch();
  auto* rows = new QVBoxLayout(panel);
  rows->setContentsMargins(0, 12, 0, 8);
  rows->addLayout(buttons);
  rows->addWidget(Label1, 1);
}

QString TCalendrier::TitleText(const QLocale& locale, int year, int month) {
  return locale.standaloneMonthName(month, QLocale::LongFormat) + "  " +
         QString("%1").arg(year, 4, 10, QChar(u'0'));
}

void TCalendrier::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Calendar1Change();
}

void TCalendrier::keyPressEvent(QKeyEvent* event) {
  // Enter from the grid must not press a default button behind the user's back.
  if (IsEnterKey(event)) {
    event->accept();
    return;
  }
  switch (event->key()) {
    case Qt::Key_PageUp: BitBtn1Click(); break;
    case Qt::Key_PageDown: BitBtn2Click(); break;
    default: QDialog::keyPressEvent(event); return;  // Esc closes
  }
  event->accept();
}

void TCalendrier::BitBtn1Click() {
  model_.PreviousMonth();
  Calendar1Change();
}

void TCalendrier::BitBtn2Click() {
  model_.NextMonth();
  Calendar1Change();
}

void TCalendrier::Calendar1Change() {
  Label1->setText(TitleText(locale_, model_.Year(), model_.Month()));
  Calendar1->update();
}

}  // namespace orv
