// Run commands of the editor window.
#include "editor/Childwin.h"

namespace orv {

void TEditeur::Executer() {}
void TEditeur::Continuer2() {}
void TEditeur::Arret() {}
void TEditeur::Pasapas(bool) {}

}  // namespace orv
