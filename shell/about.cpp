// The about box.
#include "shell/about.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "shell/program_picture.h"

namespace orv {
namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kIconSide = 64;

// The panel's double bevel: lowered outside, raised inside.
class BevelPanel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    DrawBevel(painter, rect(), 1, false, light, dark);
    DrawBevel(painter, rect().adjusted(1, 1, -1, -1), 1, true, light, dark);
  }
};

QLabel* TextLabel(QWidget* parent, const QString& text, const QRect& where) {
  auto* label = new QLabel(text, parent);
  label->setFont(BoldFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans")},
                          15));
  label->setGeometry(where);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(QStringLiteral("A propos de OrvJava"));
  setFixedSize(kWidth, kHeight);
  setModal(true);

  const int buttonTop = kHeight - kMargin - kButtonHeight - 4;
  Panel1 = new BevelPanel(this);
  Panel1->setGeometry(kMargin, kMargin, kWidth - 2 * kMargin, buttonTop - 2 * kMargin);
  const int panelWidth = Panel1->width();

  ProgramIcon = new QLabel(Panel1);
  ProgramIcon->setGeometry(12, 12, kIconSide, kIconSide);
  ProgramIcon->setPixmap(orv::ProgramIcon().pixmap(kIconSide, kIconSide));

  const int textLeft = 12 + kIconSide + 16;
  ProductName = TextLabel(Panel1, QStringLiteral("Orv Java"), QRect(textLeft, 20, panelWidth - textLeft - 12, 22));
  Version = TextLabel(Panel1, QStringLiteral("Version 2.0"), QRect(textLeft, 52, panelWidth - textLeft - 12, 22));
  // Up to two lines at the bottom of the panel.
  const int commentsHeight = 2 * 20;
  Comments = TextLabel(Panel1, QStringLiteral("Interpréteur java."),
                       QRect(12, Panel1->height() - 14 - commentsHeight, panelWidth - 24, commentsHeight));
  Comments->setWordWrap(true);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setGeometry((kWidth - kButtonWidth) / 2, buttonTop, kButtonWidth, kButtonHeight);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  // Esc is the dialog's own cancel key: it rejects, which hides the box too.
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* where = screen()) move(where->availableGeometry().center() - rect().center());
  OKButton->setFocus();
}

}  // namespace orv
