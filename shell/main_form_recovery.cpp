// The copies kept against a crash: the frame hands its editor windows to
// the recovery, and at start-up asks whether texts a crashed session left
// behind are reopened or deleted.
#include <QMessageBox>
#include <QPushButton>

#include "editor/Childwin.h"
#include "shell/Main.h"
#include "shell/recovery.h"

namespace orv {

void TMainForm::SetRecovery(TRecovery* recovery) {
  recovery_ = recovery;
  if (recovery_)
    for (TEditeur* editor : Editors()) recovery_->Track(editor);
}

// Texts left by an environment that ended without closing its windows are
// offered back as modified windows, or deleted.
void TMainForm::OfferRecoveredTexts() {
  if (!recovery_) return;
  const QList<TRecovery::LeftCopy> copies = recovery_->LeftCopies();
  if (copies.isEmpty()) return;
  bool reopen = false;
  if (askReopen) {
    reopen = askReopen(static_cast<int>(copies.size()));
  } else {
    QMessageBox box(QMessageBox::Question, "Orv Java",
                    copies.size() == 1
                        ? QStringLiteral("OrvJava s'est arrêté sans enregistrer un texte modifié. Voulez-vous le "
                                         "rouvrir pour l'enregistrer, ou le supprimer ?")
                        : QStringLiteral("OrvJava s'est arrêté sans enregistrer %1 textes modifiés. Voulez-vous les "
                                         "rouvrir pour les enregistrer, ou les supprimer ?")
                              .arg(copies.size()),
                    QMessageBox::NoButton, this);
    QPushButton* yes = box.addButton(QStringLiteral("&Rouvrir"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("&Supprimer"), QMessageBox::DestructiveRole);
    box.setDefaultButton(yes);
    box.exec();
    reopen = box.clickedButton() == yes;
  }
  if (reopen) {
    for (const TRecovery::LeftCopy& copy : copies) {
      TEditeur* editor = AddEditor(copy.title.isEmpty() ? QStringLiteral("OrvJava - Java.java") : copy.title);
      const QByteArray bytes = TRecovery::Read(copy);
      editor->LoadRecovered(std::string(bytes.constData(), static_cast<size_t>(bytes.size())), copy.original);
    }
  }
  recovery_->Forget(copies);
  if (reopen) recovery_->CopyNow();
}

}  // namespace orv
