// The keyword search list: folding, order and prefix search.
#include <gtest/gtest.h>

#include "shell/help/help_index.h"

namespace orv::help {
namespace {

TEST(FoldForSearch, IgnoresCaseAccentsAndExtraBlanks) {
  const std::pair<const char*, const char*> cases[] = {
      {"Écran", "ecran"},
      {"ÉLÈVE", "eleve"},
      {"  Mot   clé\t ", "mot cle"},
      {"Cœur", "coeur"},
      {"Ægypte", "aegypte"},
      {"çà où Ÿ", "ca ou y"},
      {"Fenêtre", "fenetre"},
      {"Table des symboles saturée", "table des symboles saturee"},
      {"'%s' n'est pas", "'%s' n'est pas"},
      {"1/x", "1/x"},
      {"»", "»"},
      {"", ""},
  };
  for (const auto& [text, folded] : cases) EXPECT_EQ(FoldForSearch(text), folded) << text;
}

HelpBook Book() {
  HelpError error;
  auto book = HelpBook::Parse(
      "@orvjava-aide 1\n"
      "@topic 1 a\n@title Sommaire\n@key Écran\n@key boucle\n"
      "@topic 2 b\n@title Les boucles\n@key boucle #for\n@key Boucle For\n@key for\n@key break\n"
      "@topic 3 c\n@title Erreurs\n@key Pile vide #pile-vide\n@key Pile saturée\n@key else manquant\n"
      "@key pile vide #pile-vide\n@key éditeur\n",
      error);
  EXPECT_TRUE(book) << error.Describe();
  return std::move(*book);
}

std::vector<std::string> Labels(const std::vector<const IndexEntry*>& entries) {
  std::vector<std::string> labels;
  for (const IndexEntry* entry : entries) labels.push_back(entry->Label);
  return labels;
}

TEST(HelpIndex, SortsAsAFrenchReaderExpects) {
  const HelpIndex index(Book());
  std::vector<std::string> keywords;
  for (const IndexEntry& entry : index.Entries()) keywords.push_back(entry.Keyword);
  // Accented and capital initials sort with their plain letters; a keyword
  // repeated with other capitals for the same place is listed once.
  EXPECT_EQ(keywords, (std::vector<std::string>{"boucle", "boucle", "Boucle For", "break", "Écran",
                                                "éditeur", "else manquant", "for", "Pile saturée",
                                                "Pile vide"}));
}

TEST(HelpIndex, SharedKeywordsNameTheirTopic) {
  const HelpIndex index(Book());
  const std::vector<const IndexEntry*> loops = index.Matching("boucle ");
  ASSERT_GE(loops.size(), 2u);
  EXPECT_EQ(loops[0]->Label, "boucle (Les boucles)");
  EXPECT_EQ(loops[0]->Topic, 2);
  EXPECT_EQ(loops[0]->Anchor, "for");
  EXPECT_EQ(loops[1]->Label, "boucle (Sommaire)");
  EXPECT_EQ(index.Matching("break")[0]->Label, "break");
}

TEST(HelpIndex, FindsEntriesByTheirFirstLetters) {
  const HelpIndex index(Book());
  EXPECT_EQ(index.Matching("").size(), index.Entries().size());
  EXPECT_EQ(Labels(index.Matching("BR")), (std::vector<std::string>{"break"}));
  EXPECT_EQ(Labels(index.Matching("ecr")), (std::vector<std::string>{"Écran"}));
  EXPECT_EQ(Labels(index.Matching("pile  v")), (std::vector<std::string>{"Pile vide"}));
  EXPECT_TRUE(index.Matching("zèbre").empty());
  EXPECT_TRUE(index.Matching("reak").empty());  // inside a word is not a start
}

TEST(HelpIndex, LaterWordsMatchAfterTheKeywordsThatBeginWithTheText) {
  const HelpIndex index(Book());
  // "for" begins "for" and is a later word of "Boucle For".
  EXPECT_EQ(Labels(index.Matching("for")), (std::vector<std::string>{"for", "Boucle For"}));
  EXPECT_EQ(Labels(index.Matching("manq")), (std::vector<std::string>{"else manquant"}));
  const std::vector<const IndexEntry*> vide = index.Matching("vide");
  ASSERT_EQ(vide.size(), 1u);
  EXPECT_EQ(vide[0]->Anchor, "pile-vide");
}

TEST(HelpIndex, AnEmptyBookHasAnEmptyList) {
  EXPECT_TRUE(HelpIndex().Matching("").empty());
}

}  // namespace
}  // namespace orv::help
