// The help file that ships with the environment: its menu topics, links and
// keywords, every message the interpreter and the editor can show, and every
// example program, which must print what the help says it prints.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "common/cp1252.h"
#include "shell/help/help_book.h"
#include "shell/help/help_index.h"

namespace orv::help {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const HelpBook& Book() {
  static const HelpBook book = [] {
    HelpError error;
    auto parsed = HelpBook::Parse(ReadFile(fs::path(ORV_SOURCE_DIR) / "help" / "OrvJava.hlp"), error);
    if (!parsed) ADD_FAILURE() << "OrvJava.hlp: " << error.Describe();
    return parsed ? std::move(*parsed) : HelpBook();
  }();
  return book;
}

// What a reader sees of an HTML text: tags dropped, entities decoded, runs of
// blanks made one blank.
std::string PlainText(std::string_view html) {
  std::string text;
  for (size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '<') {
      const size_t end = html.find('>', i);
      if (end == std::string_view::npos) break;
      i = end;
      continue;
    }
    text += html[i];
  }
  for (const auto& [entity, plain] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""},
                                      {"&nbsp;", " "}, {"&#39;", "'"}, {"&amp;", "&"}})
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
      text.replace(at, std::string_view(entity).size(), plain);
  std::string collapsed;
  for (char c : text) {
    const bool blank = c == ' ' || c == '\n' || c == '\t';
    if (blank && (collapsed.empty() || collapsed.back() == ' ')) continue;
    collapsed += blank ? ' ' : c;
  }
  return collapsed;
}

std::string AllText() {
  std::string text;
  for (const HelpTopic& topic : Book().Topics()) text += PlainText(topic.Title + " " + topic.Body) + " ";
  return text;
}

std::string TopicText(int number) {
  const HelpTopic* topic = Book().ByNumber(number);
  return topic ? PlainText(topic->Body) : std::string();
}

TEST(HelpContent, FileIsReadWithoutErrors) {
  EXPECT_GE(Book().Topics().size(), 40u);
  ASSERT_NE(Book().ByNumber(kContentsTopic), nullptr);
  ASSERT_NE(Book().ByNumber(kHowToUseTopic), nullptr);
  EXPECT_EQ(Book().ByNumber(kHowToUseTopic)->Title, "Utiliser l'aide");
}

struct MenuItem {
  const char* caption;  // as shown, without the accelerator's "&"
  const char* hint;     // the status-bar text ("" when it has none)
  const char* key;      // the shortcut ("" when it has none)
};

struct Menu {
  int context;
  const char* caption;
  std::vector<MenuItem> items;
};

const std::vector<Menu> kMenus = {
    {3, "Fichier",
     {{"Nouveau", "Créer un nouveau fichier", "Ctrl+N"},
      {"Ouvrir", "Ouvrir un fichier existant", "Ctrl+O"},
      {"Fermer", "Fermer le fichier en cours", ""},
      {"Enregistrer", "Enregistrer le fichier en cours", "Ctrl+S"},
      {"Enregistrer sous...", "Enregistrer le fichier en cours sous...", ""},
      {"Importer", "Importerr un fichier", ""},
      {"Imprimer...", "Imprimer le fichier", "Ctrl+P"},
      {"Configuration impression...", "Configurer l'imprimante", ""},
      {"Quitter", "Quitter l'application", ""}}},
    {4, "Edition",
     {{"Couper", "Couper vers le Presse-papiers", "Ctrl+X"},
      {"Copier", "Copier vers le Presse-papiers", "Ctrl+C"},
      {"Coller", "Coller depuis le Presse-papiers", "Ctrl+V"},
      {"Tout sélectionner", "Sélectionner tout le texte", ""},
      {"Rechercher...", "Rechercher le texte", "Ctrl+F"},
      {"Continuer", "Continer la recherche", "F3"},
      {"Remplacer...", "Remplacer un texte", "Ctrl+H"}}},
    {5, "Voir",
     {{"Procedures...", "voir liste des subs", "F2"},
      {"Table des symboles", "Afficher la table des symboles", ""},
      {"Examiner variable...", "Voir la valeur de la variable", ""},
      {"ile d'exécution", "Afficher les boucles et les appels en cours", ""}}},
    {6, "Exécuter",
     {{"Exécuter", "Exécuter le programme", "F9"},
      {"Point d'arrêt", "Poser un point d'arrêt", "F5"},
      {"Continuer", "Continue l'éxécution", "F7"},
      {"rière", "Défaire la dernière ligne exécutée en pas à pas", "Maj+F7"},
      {"nimer", "Exécuter le programme ligne à ligne, au rythme choisi par Vitesse", "Maj+F9"},
      {"Interrompre", "Interrompre le programme", "Ctrl+Pause"},
      {"Mode pas à pas", "Exécute en pas à pas", ""}}},
    {7, "Programmer",
     {{"Mots clé...", " Les instructions java", ""},
      {"Boucle For...", "Générer boucle For", ""},
      {"Boucle Whille...", "Générer boucle while", ""},
      {"Boucle Do...", "Générer boucle Repeat", ""},
      {"Condition If...", "Générer condition If", ""},
      {"Lecture fichier...", "Ouvrir un fichier en lecture", ""},
      {"Ecriture fichier...", "Ouvrir un fichier en écriture", ""}}},
    {8, "Utilitaires", {{"Calendrier", "Calendrier", ""}, {"Calculatrice", "Calculatrice", ""}, {"Horloge", "Horloge", ""}}},
    {9, "Fenêtre",
     {{"Cascade", "Disposer les fenêtres en recouvrement", ""},
      {"Mosaïque", "Disposer les fenêtres sans recouvrement", ""},
      {"Réorganiser les icônes", "Disposer les fenêtres en bas de la fenêtre principale", ""},
      {"Tout réduire", "Minimiser toutes les fenêtres", ""}}},
    {10, "Aide",
     {{"Index", "Sommaire de l'aide", ""},
      {"Rechercher", "&Rechercher", ""},
      {"Utiliser l'aide", "Utiliser l'aide", ""},
      {"A propos", "Informations sur le logiciel", ""}}},
};

TEST(HelpContent, EveryMenuHasItsTopicAndEveryItemIsDescribed) {
  for (const Menu& menu : kMenus) {
    const HelpTopic* topic = Book().ByNumber(menu.context);
    ASSERT_NE(topic, nullptr) << "context " << menu.context;
    EXPECT_EQ(topic->Title, std::string("Menu ") + menu.caption);
    const std::string text = TopicText(menu.context);
    for (const MenuItem& item : menu.items) {
      EXPECT_NE(text.find(item.caption), std::string::npos) << menu.caption << ": " << item.caption;
      // The hint as the status bar shows it (a leading blank collapses).
      EXPECT_NE(text.find(PlainText(item.hint)), std::string::npos) << menu.caption << ": " << item.hint;
      if (*item.key) {
        EXPECT_NE(text.find(item.key), std::string::npos) << menu.caption << ": " << item.key;
      }
    }
  }
}

TEST(HelpContent, EveryTopicIsReachableFromTheContents) {
  std::vector<int> reached = Book().ReachableFrom(kContentsTopic);
  std::sort(reached.begin(), reached.end());
  for (const HelpTopic& topic : Book().Topics())
    EXPECT_TRUE(std::binary_search(reached.begin(), reached.end(), topic.Number))
        << topic.Name << " cannot be reached from the contents";
}

TEST(HelpContent, EveryLinkAndKeywordAnchorLeadsSomewhere) {
  for (const std::string& broken : Book().BrokenLinks()) ADD_FAILURE() << broken;
}

TEST(HelpContent, EveryTopicHasKeywordsAndAChapter) {
  for (const HelpTopic& topic : Book().Topics()) {
    EXPECT_FALSE(topic.Keywords.empty()) << topic.Name;
    if (topic.Number != kContentsTopic && topic.Number != kHowToUseTopic) {
      EXPECT_FALSE(topic.Group.empty()) << topic.Name;
    }
  }
}

// The double-quoted literals of a C++ line, skipping character literals and
// a trailing comment.
std::vector<std::string> StringLiterals(std::string_view line) {
  std::vector<std::string> literals;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line.substr(i, 2) == "//") break;
    if (line[i] == '\'') {
      for (++i; i < line.size() && line[i] != '\''; ++i)
        if (line[i] == '\\') ++i;
      continue;
    }
    if (line[i] != '"') continue;
    std::string literal;
    for (++i; i < line.size() && line[i] != '"'; ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) ++i;
      literal += line[i];
    }
    literals.push_back(literal);
  }
  return literals;
}

// Each message as the sequence of its fixed pieces (the parts between them
// are names or numbers that the program fills in).
using Message = std::vector<std::string>;

std::vector<Message> MessagesIn(const fs::path& folder, const std::vector<std::string>& markers,
                                bool splitPlaceholders) {
  std::vector<Message> messages;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".cpp") continue;
    std::istringstream lines(ReadFile(entry.path()));
    for (std::string line; std::getline(lines, line);) {
      // The message is what follows the call: literals before it are tests.
      size_t call = std::string::npos;
      for (const std::string& marker : markers) call = std::min(call, line.find(marker));
      if (call == std::string::npos) continue;
      Message message;
      for (std::string literal : StringLiterals(std::string_view(line).substr(call))) {
        if (!splitPlaceholders) {
          message.push_back(literal);
          continue;
        }
        static const std::regex placeholder("%[0-9]");
        for (std::sregex_token_iterator it(literal.begin(), literal.end(), placeholder, -1), end; it != end; ++it)
          if (!it->str().empty()) message.push_back(it->str());
      }
      if (!message.empty()) messages.push_back(message);
    }
  }
  return messages;
}

std::string Escaped(const std::string& piece) {
  static const std::regex special(R"([\\^$.|?*+()\[\]{}])");
  return std::regex_replace(PlainText(piece), special, R"(\$&)");
}

// The pieces in order, each at most 40 characters after the one before.
bool Documented(const std::string& text, const Message& message) {
  std::string pattern;
  for (const std::string& piece : message) pattern += (pattern.empty() ? "" : ".{0,40}?") + Escaped(piece);
  return std::regex_search(text, std::regex(pattern));
}

std::string Shown(const Message& message) {
  std::string shown;
  for (const std::string& piece : message) shown += (shown.empty() ? "" : "…") + piece;
  return shown;
}

TEST(HelpContent, EveryInterpreterMessageIsExplained) {
  const std::vector<Message> messages = MessagesIn(fs::path(ORV_SOURCE_DIR) / "interp",
                                                   {"Fail(", "MessageBox(", "FolderStatement(", "ArrayElement("},
                                                   false);
  EXPECT_GE(messages.size(), 80u) << "the messages of the interpreter were not found";
  const std::string text = AllText();
  for (const Message& message : messages)
    EXPECT_TRUE(Documented(text, message)) << "not in the help: " << Shown(message);
}

TEST(HelpContent, EveryEditorMessageIsExplained) {
  const std::vector<Message> messages = MessagesIn(fs::path(ORV_SOURCE_DIR) / "editor",
                                                   {"Message(QStringLiteral", "Question(this, QStringLiteral", "Confirm(this, QStringLiteral"}, true);
  EXPECT_GE(messages.size(), 6u) << "the messages of the editor were not found";
  const std::string text = AllText();
  for (const Message& message : messages)
    EXPECT_TRUE(Documented(text, message)) << "not in the help: " << Shown(message);
}

TEST(HelpContent, EveryInterpreterMessageCanBeFoundInTheSearchList) {
  const HelpIndex index(Book());
  for (const Message& message :
       MessagesIn(fs::path(ORV_SOURCE_DIR) / "interp", {"Fail(", "MessageBox(", "FolderStatement("}, false)) {
    std::string longest = *std::max_element(message.begin(), message.end(),
                                            [](const auto& a, const auto& b) { return a.size() < b.size(); });
    longest.erase(0, longest.find_first_not_of(" '"));
    EXPECT_FALSE(index.Matching(longest).empty()) << "no keyword for: " << Shown(message);
  }
}

// One example of the help: a program and what the help says it does.
struct Example {
  std::string topic;
  const CodeBlock* program = nullptr;
  std::string input, output, errors;
};

std::vector<Example> Examples() {
  std::vector<Example> examples;
  for (const HelpTopic& topic : Book().Topics()) {
    bool open = false;  // the last example takes the in, out and err blocks
    for (const CodeBlock& block : topic.Blocks) {
      if (block.Kind == "run") {
        examples.push_back({topic.Name, &block, "", "", ""});
        open = true;
      } else if (block.Kind == "java") {
        open = false;
      } else if (!open) {
        ADD_FAILURE() << topic.Name << " line " << block.Line << ": \"" << block.Kind << "\" block after no program";
      } else {
        Example& last = examples.back();
        (block.Kind == "in" ? last.input : block.Kind == "out" ? last.output : last.errors) = block.Text;
      }
    }
  }
  return examples;
}

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Each example runs twice, with the fast path and with --reference (every
// line from its text): both must do what the help says, and stop at the
// same line.
TEST(HelpContent, EveryExampleProgramPrintsWhatTheHelpShows) {
  const std::vector<Example> examples = Examples();
  EXPECT_GE(examples.size(), 30u);
  for (const Example& example : examples) {
    std::string fastErrors;
    for (const std::string mode : {"", " --reference"}) {
      std::string folder = (fs::temp_directory_path() / "orvjava-help-XXXXXX").string();
      ASSERT_NE(mkdtemp(folder.data()), nullptr);
      const fs::path dir(folder);
      Write(dir / "Exemple.java", Utf8ToCp1252(example.program->Text));
      Write(dir / "entree.txt", example.input);
      const std::string command = "cd '" + folder + "' && '" ORV_RUNNER "'" + mode +
                                  " Exemple.java < entree.txt > sortie.txt 2> erreurs.txt";
      const int status = std::system(command.c_str());
      ASSERT_TRUE(WIFEXITED(status));
      const std::string where = example.topic + " line " + std::to_string(example.program->Line) + mode;
      EXPECT_EQ(ReadFile(dir / "sortie.txt"), example.output) << where;
      // The runner ends a stopped run with the line number, which the
      // environment shows by moving the caret instead.
      std::string errors = ReadFile(dir / "erreurs.txt");
      if (mode.empty()) fastErrors = errors;
      else EXPECT_EQ(errors, fastErrors) << where;
      const size_t stop = errors.rfind("Arrêt à la ligne ");
      const bool stopped = stop != std::string::npos;
      if (stopped) errors.erase(stop);
      EXPECT_EQ(errors, example.errors) << where;
      EXPECT_EQ(WEXITSTATUS(status), stopped ? 1 : 0) << where;
      EXPECT_EQ(stopped, !example.errors.empty()) << where;
      fs::remove_all(dir);
    }
  }
}

}  // namespace
}  // namespace orv::help
