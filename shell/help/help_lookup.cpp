// The lookup order of the help file.
#include "shell/help/help_lookup.h"

#include <filesystem>

namespace orv::help {

HelpLoad LoadHelp(const std::vector<HelpPlace>& places, const HelpReader& read) {
  HelpLoad load;
  for (const HelpPlace& place : places) {
    const FileRead file = read(place.Path);
    if (file.State == FileRead::Status::Absent) continue;
    if (file.State == FileRead::Status::Unreadable) {
      load.Problems.push_back("Le fichier d'aide " + place.Path + " ne peut pas être lu (" + file.Reason + ").");
      continue;
    }
    HelpError error;
    if (auto book = HelpBook::Parse(file.Text, error)) {
      load.Book = std::move(book);
      load.Path = place.Path;
      return load;
    }
    load.Problems.push_back("Le fichier d'aide " + place.Path + " est endommagé : " + error.Describe() + ".");
  }
  return load;
}

std::vector<std::string> FallbackHelpFiles(const std::string& executableDir, const std::string& builtIn) {
  std::vector<std::string> files;
  if (!executableDir.empty()) {
    const std::filesystem::path dir(executableDir);
    files.push_back((dir / "OrvJava.hlp").lexically_normal().string());
    files.push_back((dir / ".." / "share" / "orvjava" / "OrvJava.hlp").lexically_normal().string());
  }
  files.push_back(builtIn);
  return files;
}

std::string FallbackPlace(const std::string& path) {
  if (path.starts_with(':')) return "dans le programme lui-même";
  if (path.ends_with("/share/orvjava/OrvJava.hlp")) return "dans le dossier d'installation";
  return "à côté du programme";
}

std::vector<std::string> MissingHelpLines(const std::vector<HelpPlace>& places, const HelpLoad& load) {
  std::vector<std::string> lines;
  if (load.Problems.empty()) lines.push_back("Le fichier d'aide OrvJava.hlp est introuvable.");
  else lines.push_back("Aucun fichier d'aide OrvJava.hlp utilisable n'a été trouvé.");
  for (const std::string& problem : load.Problems) lines.push_back(problem);
  lines.push_back("Il a été cherché :");
  for (const HelpPlace& place : places) lines.push_back("– " + place.Where + " : " + place.Path);
  lines.push_back(
      "Copiez le fichier OrvJava.hlp dans le dossier à partir duquel vous lancez OrvJava, "
      "puis rouvrez l'aide.");
  return lines;
}

}  // namespace orv::help
