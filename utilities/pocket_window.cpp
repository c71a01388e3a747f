#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/gui/regional.h"
#include "utilities/Pocket1.h"

namespace orv {

namespace {

constexpr int kClientWidth = 342, kClientHeight = 219;
constexpr int kKeyWidth = 34, kKeyHeight = 33;
constexpr int kLeft = 14, kTop = 64, kPitchY = 38;
// The digits stand together; the operators and the functions a little apart.
constexpr int kColumnX[] = {kLeft, kLeft + 42, kLeft + 84, kLeft + 136, kLeft + 188};
constexpr int kFlashMs = 100;  // how long a typed key shows pressed

struct KeyPlace {
  PocketKey key;
  const char* caption;
  int row, column;
};

// The keypad, four rows of five columns.
constexpr KeyPlace kKeypad[] = {
    {PocketKey::Digit7, "7", 0, 0}, {PocketKey::Digit8, "8", 0, 1}, {PocketKey::Digit9, "9", 0, 2},
    {PocketKey::Plus, "+", 0, 3}, {PocketKey::Reciprocal, "1/x", 0, 4},
    {PocketKey::Digit4, "4", 1, 0}, {PocketKey::Digit5, "5", 1, 1}, {PocketKey::Digit6, "6", 1, 2},
    {PocketKey::Minus, "-", 1, 3}, {PocketKey::SquareRoot, "sqr", 1, 4},
    {PocketKey::Digit1, "1", 2, 0}, {PocketKey::Digit2, "2", 2, 1}, {PocketKey::Digit3, "3", 2, 2},
    {PocketKey::Times, "*", 2, 3}, {PocketKey::Clear, "C", 2, 4},
    {PocketKey::Comma, ",", 3, 0}, {PocketKey::Digit0, "0", 3, 1}, {PocketKey::Equals, "=", 3, 2},
    {PocketKey::Divide, "/", 3, 3},
};

}  // namespace

TPocket::TPocket(QWidget* parent)
    : QDialog(parent, kDeskWindowFlags | Qt::MSWindowsFixedSizeDialogHint),
      model_(RegionalLocale().decimalPoint().toStdString()) {
  setObjectName("TPocket");
  setWindowTitle(QString::fromUtf8("Calculatrice"));
  setFixedSize(kClientWidth, kClientHeight);
  SetBackground(this, kTeal);
  CreateDisplay();
  CreateKeys();
}

void TPocket::CreateDisplay() {
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(kLeft, 14, 290, 36);
  Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label1->setStyleSheet(
      "QLabel { background: white; color: black; border: 2px solid navy; padding-right: 6px; }");
  Label1->setFont(BoldArial(20));
  auto* strip = new QLabel(this);
  strip->setObjectName("Strip");
  strip->setGeometry(kLeft + 298, 14, 16, 36);
  strip->setStyleSheet("QLabel { background: red; border: 1px solid maroon; }");
}

void TPocket::CreateKeys() {
  const QFont font = BoldArial(14);
  for (const KeyPlace& place : kKeypad) {
    auto* button = new QPushButton(QString::fromUtf8(place.caption), this);
    button->setGeometry(kColumnX[place.column], kTop + place.row * kPitchY, kKeyWidth, kKeyHeight);
    button->setFont(font);
    const PocketKey key = place.key;
    connect(button, &QPushButton::clicked, this, [this, key] { KeyClick(key); });
    Buttons[static_cast<int>(key)] = button;
  }
  auto* close = new QPushButton(QString::fromUtf8("Fermer"), this);
  close->setGeometry(kClientWidth - kLeft - 88, kTop + 3 * kPitchY, 88, kKeyHeight);
  close->setFont(font);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  Buttons[kPocketKeyCount] = close;
  for (size_t i = 0; i < Buttons.size(); ++i)
    Buttons[i]->setObjectName(QString("Button%1").arg(i));
}

void TPocket::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

// Every opening starts cleared, with the focus on "=".
void TPocket::FormActivate() {
  model_.Clear();
  ShowDisplay();
  KeyButton(PocketKey::Equals)->setFocus(Qt::OtherFocusReason);
}

void TPocket::keyPressEvent(QKeyEvent* event) { FormKeyPress(event); }

// A mapped character acts as a click on its key, which takes the focus; the
// rest (Esc, Enter and Space on the focused key) is the dialog's own.
void TPocket::FormKeyPress(QKeyEvent* event) {
  const QString text = event->text();
  const auto key = text.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                       ? PocketKeyForChar(text.at(0).unicode())
                       : std::nullopt;
  if (!key) {
    QDialog::keyPressEvent(event);
    return;
  }
  event->accept();
  QPushButton* button = KeyButton(*key);
  button->setFocus(Qt::ShortcutFocusReason);
  button->setDown(true);
  QTimer::singleShot(kFlashMs, button, [button] { button->setDown(false); });
  KeyClick(*key);
}

void TPocket::KeyClick(PocketKey key) {
  const auto error = model_.Press(key);
  ShowDisplay();
  if (error) messageBox_(this, QString::fromStdString(*error));
}

void TPocket::ShowDisplay() { Label1->setText(QString::fromStdString(model_.Display())); }

}  // namespace orv
