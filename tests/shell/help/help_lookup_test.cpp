// Where the help comes from: the start folder first, then the copies
// installed with the program (beside it, in the installation's share folder)
// and built into it; damaged and unreadable files are passed over.
#include <gtest/gtest.h>

#include <map>

#include "shell/help/help_lookup.h"

namespace orv::help {
namespace {

std::string Book(const std::string& title) {
  return "@orvjava-aide 1\n@topic 1 sommaire\n@title " + title + "\n";
}

const std::vector<HelpPlace> kPlaces = {
    {"/cours/OrvJava.hlp", "dans le dossier de démarrage"},
    {"/opt/orvjava/OrvJava.hlp", "à côté du programme"},
    {":/orvjava/OrvJava.hlp", "dans le programme lui-même"},
};

// A file system made of a table: a missing path is absent.
struct FakeFiles {
  std::map<std::string, FileRead> files;
  std::vector<std::string> asked;
  HelpReader Reader() {
    return [this](const std::string& path) {
      asked.push_back(path);
      const auto found = files.find(path);
      return found == files.end() ? FileRead{} : found->second;
    };
  }
};

FileRead Text(const std::string& text) { return {FileRead::Status::Read, text, ""}; }

TEST(HelpLookup, TheStartFolderComesFirst) {
  FakeFiles fs;
  fs.files[kPlaces[0].Path] = Text(Book("Aide du cours"));
  fs.files[kPlaces[2].Path] = Text(Book("Aide intégrée"));
  const HelpLoad load = LoadHelp(kPlaces, fs.Reader());
  ASSERT_TRUE(load.Book);
  EXPECT_EQ(load.Book->Topics()[0].Title, "Aide du cours");
  EXPECT_EQ(load.Path, kPlaces[0].Path);
  EXPECT_TRUE(load.Problems.empty());
  EXPECT_EQ(fs.asked, (std::vector<std::string>{kPlaces[0].Path}));  // no further look
}

TEST(HelpLookup, AMissingStartFolderFileFallsBackInOrder) {
  FakeFiles fs;
  fs.files[kPlaces[1].Path] = Text(Book("Aide installée"));
  fs.files[kPlaces[2].Path] = Text(Book("Aide intégrée"));
  HelpLoad load = LoadHelp(kPlaces, fs.Reader());
  ASSERT_TRUE(load.Book);
  EXPECT_EQ(load.Path, kPlaces[1].Path);
  EXPECT_TRUE(load.Problems.empty());  // a missing file is no problem to report

  fs.files.erase(kPlaces[1].Path);
  load = LoadHelp(kPlaces, fs.Reader());
  ASSERT_TRUE(load.Book);
  EXPECT_EQ(load.Book->Topics()[0].Title, "Aide intégrée");
}

TEST(HelpLookup, DamagedAndUnreadableFilesAreReportedAndPassedOver) {
  FakeFiles fs;
  fs.files[kPlaces[0].Path] = Text("@orvjava-aide 1\n@topic 1 a\n@tilte Faute\n");
  fs.files[kPlaces[1].Path] = {FileRead::Status::Unreadable, "", "accès refusé"};
  fs.files[kPlaces[2].Path] = Text(Book("Aide intégrée"));
  const HelpLoad load = LoadHelp(kPlaces, fs.Reader());
  ASSERT_TRUE(load.Book);
  EXPECT_EQ(load.Path, kPlaces[2].Path);
  ASSERT_EQ(load.Problems.size(), 2u);
  EXPECT_EQ(load.Problems[0],
            "Le fichier d'aide /cours/OrvJava.hlp est endommagé : ligne 3 : directive inconnue « @tilte ».");
  EXPECT_EQ(load.Problems[1], "Le fichier d'aide /opt/orvjava/OrvJava.hlp ne peut pas être lu (accès refusé).");
}

TEST(HelpLookup, NoHelpAnywhereSaysWhereItLooked) {
  FakeFiles fs;
  const HelpLoad load = LoadHelp(kPlaces, fs.Reader());
  EXPECT_FALSE(load.Book);
  const std::vector<std::string> lines = MissingHelpLines(kPlaces, load);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Le fichier d'aide OrvJava.hlp est introuvable.");
  EXPECT_EQ(lines[1], "Il a été cherché :");
  EXPECT_EQ(lines[2], "– dans le dossier de démarrage : /cours/OrvJava.hlp");
  EXPECT_EQ(lines[4], "– dans le programme lui-même : :/orvjava/OrvJava.hlp");
  EXPECT_NE(lines[5].find("Copiez le fichier OrvJava.hlp"), std::string::npos);
}

TEST(HelpLookup, OnlyDamagedFilesGiveTheirReasons) {
  FakeFiles fs;
  fs.files[kPlaces[0].Path] = Text("");
  fs.files[kPlaces[2].Path] = Text("pas de l'aide");
  const HelpLoad load = LoadHelp(kPlaces, fs.Reader());
  EXPECT_FALSE(load.Book);
  const std::vector<std::string> lines = MissingHelpLines(kPlaces, load);
  EXPECT_EQ(lines[0], "Aucun fichier d'aide OrvJava.hlp utilisable n'a été trouvé.");
  EXPECT_EQ(lines[1], "Le fichier d'aide /cours/OrvJava.hlp est endommagé : le fichier est vide.");
  EXPECT_NE(lines[2].find(":/orvjava/OrvJava.hlp est endommagé : ligne 1 : ce n'est pas un fichier d'aide"),
            std::string::npos)
      << lines[2];
}

TEST(HelpLookup, AnInstalledProgramFindsTheHelpInItsShareFolder) {
  const std::string builtIn = ":/orvjava/OrvJava.hlp";
  EXPECT_EQ(FallbackHelpFiles("/usr/bin", builtIn),
            (std::vector<std::string>{"/usr/bin/OrvJava.hlp", "/usr/share/orvjava/OrvJava.hlp", builtIn}));
  EXPECT_EQ(FallbackHelpFiles("/opt/orv/bin/", builtIn)[1], "/opt/orv/share/orvjava/OrvJava.hlp");

  std::vector<HelpPlace> places = {kPlaces[0]};
  for (const std::string& path : FallbackHelpFiles("/usr/bin", builtIn))
    places.push_back({path, FallbackPlace(path)});
  FakeFiles fs;
  fs.files["/usr/share/orvjava/OrvJava.hlp"] = Text(Book("Aide installée"));
  fs.files[builtIn] = Text(Book("Aide intégrée"));
  HelpLoad load = LoadHelp(places, fs.Reader());
  ASSERT_TRUE(load.Book);
  EXPECT_EQ(load.Path, "/usr/share/orvjava/OrvJava.hlp");
  EXPECT_EQ(fs.asked, (std::vector<std::string>{kPlaces[0].Path, "/usr/bin/OrvJava.hlp", load.Path}));

  fs.files.clear();
  load = LoadHelp(places, fs.Reader());
  const std::vector<std::string> lines = MissingHelpLines(places, load);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[3], "– à côté du programme : /usr/bin/OrvJava.hlp");
  EXPECT_EQ(lines[4], "– dans le dossier d'installation : /usr/share/orvjava/OrvJava.hlp");
  EXPECT_EQ(lines[5], "– dans le programme lui-même : :/orvjava/OrvJava.hlp");
}

}  // namespace
}  // namespace orv::help
