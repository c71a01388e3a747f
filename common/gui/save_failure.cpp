#include "common/gui/save_failure.h"

#include <cerrno>

namespace orv {

QString SaveFailureText(int error) {
  switch (error) {
    case ENOSPC: return QStringLiteral("espace disque insuffisant");
    case EDQUOT: return QStringLiteral("quota disque dépassé");
    case EACCES:
    case EPERM: return QStringLiteral("accès refusé");
    case EROFS: return QStringLiteral("support en lecture seule");
    case ENOENT: return QStringLiteral("dossier introuvable");
    case EISDIR: return QStringLiteral("c'est un dossier");
    case ENAMETOOLONG: return QStringLiteral("nom trop long");
    case EIO: return QStringLiteral("erreur d'entrée/sortie du disque");
    default: return QStringLiteral("erreur d'entrée/sortie %1").arg(error);
  }
}

}  // namespace orv
