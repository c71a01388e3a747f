// The files last opened or saved, newest first, as the "Fichier" menu lists
// them; kept in the environment's settings.
#pragma once

#include <QStringList>

namespace orv {

inline constexpr int kRecentFiles = 8;

// `list` with `path` moved (or added) to the front, at most `max` long. Paths
// are compared as absolute, cleaned paths.
QStringList WithRecentFile(const QStringList& list, const QString& path, int max = kRecentFiles);

QStringList RecentFiles();
void AddRecentFile(const QString& path);
void RemoveRecentFile(const QString& path);

}  // namespace orv
