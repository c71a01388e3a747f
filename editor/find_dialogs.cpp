#include "editor/find_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

TSearchDialog::TSearchDialog(QWidget* parent, const QString& title, bool withDirection)
    : QDialog(parent, Qt::Tool) {
  setWindowTitle(title);
  setModal(false);
  auto* outer = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  Fields = new QGridLayout;
  What = new QLineEdit(this);
  auto* whatLabel = new QLabel(QStringLiteral("&Rechercher :"), this);
  whatLabel->setBuddy(What);
  Fields->addWidget(whatLabel, 0, 0);
  Fields->addWidget(What, 0, 1);
  left->addLayout(Fields);

  auto* options = new QHBoxLayout;
  auto* checks = new QVBoxLayout;
  WholeWord = new QCheckBox(QStringLiteral("&Mot entier uniquement"), this);
  MatchCase = new QCheckBox(QStringLiteral("Respecter la &casse"), this);
  checks->addWidget(WholeWord);
  checks->addWidget(MatchCase);
  checks->addStretch();
  options->addLayout(checks);
  Up = new QRadioButton(QStringLiteral("&Haut"), this);
  Down = new QRadioButton(QStringLiteral("&Bas"), this);
  Down->setChecked(true);
  if (withDirection) {
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* dirLayout = new QHBoxLayout(direction);
    dirLayout->addWidget(Up);
    dirLayout->addWidget(Down);
    options->addWidget(direction);
  } else {
    Up->hide();
    Down->hide();
  }
  left->addLayout(options);
  outer->addLayout(left);

  Buttons = new QVBoxLayout;
  outer->addLayout(Buttons);
  FindNext = new QPushButton(QStringLiteral("&Suivant"), this);
  FindNext->setDefault(true);
  AddButton(FindNext);
  auto* cancel = new QPushButton(QStringLiteral("Annuler"), this);
  AddButton(cancel);
  Buttons->addStretch();
  connect(FindNext, &QPushButton::clicked, this, &TSearchDialog::FindNextClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::close);
  connect(What, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
  UpdateButtons();
}

void TSearchDialog::AddButton(QPushButton* button, int row) {
  button->setAutoDefault(false);
  Buttons->insertWidget(row < 0 ? Buttons->count() : row, button);
}

void TSearchDialog::UpdateButtons() { FindNext->setEnabled(!What->text().isEmpty()); }

QString TSearchDialog::SearchText() const { return What->text(); }
void TSearchDialog::SetSearchText(const QString& text) { What->setText(text); }

TSearchOptions TSearchDialog::Options() const {
  return {Down->isChecked(), MatchCase->isChecked(), WholeWord->isChecked()};
}

void TSearchDialog::SetOptions(const TSearchOptions& options) {
  (options.Down ? Down : Up)->setChecked(true);
  MatchCase->setChecked(options.MatchCase);
  WholeWord->setChecked(options.WholeWord);
}

TFindDialog::TFindDialog(QWidget* parent) : TSearchDialog(parent, QStringLiteral("Rechercher"), true) {}

TReplaceDialog::TReplaceDialog(QWidget* parent) : TSearchDialog(parent, QStringLiteral("Remplacer"), false) {
  With = new QLineEdit(this);
  auto* withLabel = new QLabel(QStringLiteral("Rem&placer par :"), this);
  withLabel->setBuddy(With);
  Fields->addWidget(withLabel, 1, 0);
  Fields->addWidget(With, 1, 1);
  ReplaceOne = new QPushButton(QStringLiteral("&Remplacer"), this);
  ReplaceAll = new QPushButton(QStringLiteral("Remplacer &tout"), this);
  // Between "Suivant" and "Annuler".
  AddButton(ReplaceOne, 1);
  AddButton(ReplaceAll, 2);
  connect(ReplaceOne, &QPushButton::clicked, this, [this] { emit ReplaceClicked(false); });
  connect(ReplaceAll, &QPushButton::clicked, this, [this] { emit ReplaceClicked(true); });
  UpdateButtons();
}

void TReplaceDialog::UpdateButtons() {
  TSearchDialog::UpdateButtons();
  const bool any = !What->text().isEmpty();
  if (ReplaceOne) ReplaceOne->setEnabled(any);
  if (ReplaceAll) ReplaceAll->setEnabled(any);
}

QString TReplaceDialog::ReplaceText() const { return With->text(); }
void TReplaceDialog::SetReplaceText(const QString& text) { With->setText(text); }

}  // namespace orv
