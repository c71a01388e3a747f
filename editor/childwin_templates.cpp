// Code templates and pickers of the editor window.
#include "editor/Childwin.h"

namespace orv {

void TEditeur::Forg() {}
void TEditeur::whileg() {}
void TEditeur::Dog() {}
void TEditeur::Ifg() {}
void TEditeur::Liref() {}
void TEditeur::Ecriref() {}
void TEditeur::Instructions() {}
void TEditeur::ListeSubs() {}

}  // namespace orv
