// Reading help files: topics, directives, code blocks, errors and links.
#include <gtest/gtest.h>

#include "tests/case_name.h"

#include <algorithm>

#include "shell/help/help_book.h"
#include "shell/help/help_pages.h"

namespace orv::help {
namespace {

HelpBook Read(std::string_view text) {
  HelpError error;
  auto book = HelpBook::Parse(text, error);
  EXPECT_TRUE(book) << error.Describe();
  return book ? std::move(*book) : HelpBook();
}

constexpr std::string_view kSmallBook =
    "\xEF\xBB\xBF@orvjava-aide 1\r\n"
    "@# a comment before the first topic\r\n"
    "\r\n"
    "@topic 1 sommaire\r\n"
    "@title Sommaire\r\n"
    "@key sommaire\r\n"
    "<p>Voir <a href=\"boucles\">les boucles</a> et <a href=\"boucles#for\">for</a>.</p>\r\n"
    "@topic 28 boucles\r\n"
    "@group Le langage\r\n"
    "@title Les boucles\r\n"
    "@key boucle\r\n"
    "@key for #for\r\n"
    "@@ une ligne qui commence par @\r\n"
    "<a name=\"for\"></a>\r\n"
    "@code run\r\n"
    "  if (i < 3 && s == \"a\")\r\n"
    "@end\r\n"
    "@code out\r\n"
    "@end\r\n";

TEST(HelpBook, ReadsTopicsWithTheirDirectives) {
  const HelpBook book = Read(kSmallBook);
  ASSERT_EQ(book.Topics().size(), 2u);
  const HelpTopic& first = book.Topics()[0];
  EXPECT_EQ(first.Number, 1);
  EXPECT_EQ(first.Name, "sommaire");
  EXPECT_EQ(first.Title, "Sommaire");
  EXPECT_EQ(first.Group, "");
  EXPECT_EQ(first.Line, 4);

  const HelpTopic& loops = *book.ByName("boucles");
  EXPECT_EQ(&loops, book.ByNumber(28));
  EXPECT_EQ(loops.Group, "Le langage");
  ASSERT_EQ(loops.Keywords.size(), 2u);
  EXPECT_EQ(loops.Keywords[0].Text, "boucle");
  EXPECT_EQ(loops.Keywords[0].Anchor, "");
  EXPECT_EQ(loops.Keywords[1].Text, "for");
  EXPECT_EQ(loops.Keywords[1].Anchor, "for");
  // "@@" keeps one "@"; CR LF line ends leave no CR in the body.
  EXPECT_TRUE(loops.Body.starts_with("@ une ligne qui commence par @\n")) << loops.Body;
  EXPECT_EQ(loops.Body.find('\r'), std::string::npos);
  EXPECT_EQ(book.ByNumber(2), nullptr);
  EXPECT_EQ(book.ByName("absente"), nullptr);
}

TEST(HelpBook, CodeBlocksAreKeptAsTypedAndShownEscaped) {
  const HelpBook book = Read(kSmallBook);
  const HelpTopic& loops = *book.ByName("boucles");
  ASSERT_EQ(loops.Blocks.size(), 2u);
  EXPECT_EQ(loops.Blocks[0].Kind, "run");
  EXPECT_EQ(loops.Blocks[0].Text, "  if (i < 3 && s == \"a\")\n");
  EXPECT_EQ(loops.Blocks[0].Line, 15);
  EXPECT_EQ(loops.Blocks[1].Kind, "out");
  EXPECT_EQ(loops.Blocks[1].Text, "");
  EXPECT_NE(loops.Body.find("<pre class=\"run\">  if (i &lt; 3 &amp;&amp; s == &quot;a&quot;)</pre>"),
            std::string::npos)
      << loops.Body;
  // What a program prints is announced as such.
  EXPECT_NE(loops.Body.find("<p class=\"caption\">Le programme affiche :</p>\n<pre class=\"out\"></pre>"),
            std::string::npos)
      << loops.Body;
  // A directive-looking line inside a block is program text.
  const HelpBook inside = Read("@orvjava-aide 1\n@topic 1 a\n@title A\n@code java\n@title x\n@end\n");
  EXPECT_EQ(inside.Topics()[0].Blocks[0].Text, "@title x\n");
  EXPECT_EQ(inside.Topics()[0].Title, "A");
}

struct BrokenFile {
  const char* text;
  int line;
  const char* message;  // a part of the French message
};

class HelpBookErrors : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(HelpBookErrors, AreReportedWithTheirLine) {
  HelpError error;
  EXPECT_FALSE(HelpBook::Parse(GetParam().text, error));
  EXPECT_EQ(error.Line, GetParam().line) << error.Describe();
  EXPECT_NE(error.Message.find(GetParam().message), std::string::npos) << error.Describe();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HelpBookErrors,
    ::testing::Values(
        BrokenFile{"", 0, "vide"},
        BrokenFile{"  \n\n", 0, "vide"},
        BrokenFile{"<html>\n", 1, "pas un fichier d'aide OrvJava"},
        BrokenFile{"@orvjava-aide 2\n@topic 1 a\n@title A\n", 1, "version"},
        BrokenFile{"@orvjava-aide 1\n", 0, "aucune rubrique"},
        BrokenFile{"@orvjava-aide 1\ntexte\n", 2, "en dehors d'une rubrique"},
        BrokenFile{"@orvjava-aide 1\n@title A\n", 2, "en dehors d'une rubrique"},
        BrokenFile{"@orvjava-aide 1\n@topic x a\n", 2, "numéro de rubrique incorrect"},
        BrokenFile{"@orvjava-aide 1\n@topic 0 a\n", 2, "numéro de rubrique incorrect"},
        BrokenFile{"@orvjava-aide 1\n@topic 100000 a\n", 2, "numéro de rubrique incorrect"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 Menu\n", 2, "nom de rubrique incorrect"},
        BrokenFile{"@orvjava-aide 1\n@topic 3\n", 2, "nom de rubrique incorrect"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@topic 3 b\n", 4, "déjà utilisé à la ligne 2"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@topic 4 a\n", 4, "déjà utilisé à la ligne 2"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n<p>x</p>\n@topic 4 b\n@title B\n", 2, "pas de titre"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n", 2, "pas de titre"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@title B\n", 4, "deuxième titre"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@lien b\n", 4, "directive inconnue « @lien »"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@key\n", 4, "mot clé vide"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@key x #\n", 4, "ancre vide"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@code run\nclass A\n", 4, "sans @end"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@end\n", 4, "@end sans @code"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n@code python\n@end\n", 4, "sorte de bloc inconnue"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n<p>caf\xE9</p>\n", 4, "UTF-8"},
        BrokenFile{"@orvjava-aide 1\n@topic 3 a\n@title A\n<p>\xC3</p>\n", 4, "UTF-8"}),
    [](const auto& info) { return orv::test::CaseName(info.index, {info.param.message}); });

TEST(HelpError, DescribesTheLine) {
  EXPECT_EQ((HelpError{12, "directive inconnue"}.Describe()), "ligne 12 : directive inconnue");
  EXPECT_EQ((HelpError{0, "le fichier est vide"}.Describe()), "le fichier est vide");
}

TEST(HelpLinks, ResolveByNameNumberAndAnchor) {
  const HelpBook book = Read(kSmallBook);
  const HelpTopic& contents = *book.ByNumber(1);
  const HelpTopic& loops = *book.ByNumber(28);
  EXPECT_EQ(book.ResolveLink(contents, "boucles").Topic, &loops);
  EXPECT_EQ(book.ResolveLink(contents, "28").Topic, &loops);
  const LinkTarget anchored = book.ResolveLink(contents, "boucles#for");
  EXPECT_EQ(anchored.Topic, &loops);
  EXPECT_EQ(anchored.Anchor, "for");
  const LinkTarget same = book.ResolveLink(loops, "#for");
  EXPECT_EQ(same.Topic, &loops);
  EXPECT_EQ(same.Anchor, "for");
  EXPECT_EQ(book.ResolveLink(contents, "tableaux").Topic, nullptr);
  EXPECT_EQ(book.ResolveLink(contents, "99").Topic, nullptr);
}

TEST(HelpLinks, BrokenLinksAndAnchorsAreListed) {
  EXPECT_TRUE(Read(kSmallBook).BrokenLinks().empty());
  const HelpBook book = Read(
      "@orvjava-aide 1\n@topic 1 a\n@title A\n@key x #ailleurs\n"
      "<a href=\"b\">b</a> <a href=\"c\">c</a> <a href=\"b#fin\">fin</a> <a href=\"b#debut\">d</a>\n"
      "@topic 2 b\n@title B\n<h2 id=\"debut\">D</h2>\n");
  const std::vector<std::string> broken = book.BrokenLinks();
  ASSERT_EQ(broken.size(), 3u);
  EXPECT_NE(broken[0].find("« c »"), std::string::npos) << broken[0];
  EXPECT_NE(broken[1].find("ancre « fin »"), std::string::npos) << broken[1];
  EXPECT_NE(broken[2].find("mot clé « x »"), std::string::npos) << broken[2];
}

TEST(HelpLinks, ReachableTopicsFollowLinksTransitively) {
  const HelpBook book = Read(
      "@orvjava-aide 1\n@topic 1 a\n@title A\n<a href=\"b\">b</a>\n"
      "@topic 2 b\n@title B\n<a href=\"3\">c</a> <a href=\"a\">retour</a>\n"
      "@topic 3 c\n@title C\n@topic 4 d\n@title D\n<a href=\"a\">a</a>\n");
  std::vector<int> reached = book.ReachableFrom(1);
  std::sort(reached.begin(), reached.end());
  EXPECT_EQ(reached, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(book.ReachableFrom(7).empty());
}

TEST(HelpLinks, AttributesAreMatchedAsWholeNames) {
  EXPECT_EQ(AttributeValues("<a href=\"x\"> <b classname=\"y\"> <a name=\"z\">", "name"),
            (std::vector<std::string>{"z"}));
  EXPECT_EQ(AttributeValues("<a href=\"x\">\n<a\thref=\"y\"> <a href=\"", "href"),
            (std::vector<std::string>{"x", "y"}));
}

TEST(HelpPages, TopicAndMessagePagesEscapeTheirTexts) {
  HelpTopic topic;
  topic.Title = "Conditions < et >";
  topic.Body = "<p>corps</p>\n";
  EXPECT_EQ(TopicPage(topic), "<html><body><h1>Conditions &lt; et &gt;</h1>\n<p>corps</p>\n</body></html>");
  const std::string page = MessagePage("Aide introuvable", {"a & b", "\"c\""});
  EXPECT_NE(page.find("<h1>Aide introuvable</h1>"), std::string::npos);
  EXPECT_NE(page.find("<p>a &amp; b</p>"), std::string::npos);
  EXPECT_NE(page.find("<p>&quot;c&quot;</p>"), std::string::npos);
}

}  // namespace
}  // namespace orv::help
