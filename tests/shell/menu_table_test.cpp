// The menu table's availability rule and its shape.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "shell/menu_table.h"

namespace orv {
namespace {

TEST(MenuTable, AvailabilityFollowsTheEditorCountAndTheRun) {
  EXPECT_TRUE(IsAvailable(Availability::Always, 0, false));
  EXPECT_FALSE(IsAvailable(Availability::WithEditor, 0, true));
  EXPECT_TRUE(IsAvailable(Availability::WithEditor, 1, false));
  EXPECT_TRUE(IsAvailable(Availability::WithEditor, 2, false));
  EXPECT_FALSE(IsAvailable(Availability::WhileRunning, 3, false));
  EXPECT_TRUE(IsAvailable(Availability::WhileRunning, 0, true));
}

TEST(MenuTable, EightMenusWithTheirHelpContextsAndTheEditorCommands) {
  std::vector<int> contexts;
  std::set<std::string> names;
  int withEditor = 0;
  for (const MenuSpec& menu : MainMenuTable()) {
    contexts.push_back(menu.helpContext);
    for (const MenuItemSpec& item : menu.items) {
      EXPECT_TRUE(names.insert(item.name).second) << item.name;
      if (item.availability == Availability::WithEditor) ++withEditor;
      EXPECT_EQ(item.caption == "-", item.hint.empty() && item.shortcut.empty()) << item.name;
    }
  }
  EXPECT_EQ(contexts, (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(withEditor, 34);  // with "Animer", "Pas en arrière" and "Pile d'exécution"
}

// A key taken twice, or taken from the editor's own keys, works for only
// one of them.
TEST(MenuTable, EveryShortcutIsTheOnlyOneOnItsKey) {
  const std::set<std::string> editorKeys = {"Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Y", "Ctrl+A", "Ctrl++",
                                            "Ctrl+-", "Ctrl+=", "Ctrl+0", "Ctrl+Left", "Ctrl+Right"};
  std::map<std::string, std::string> keyOf;
  std::set<std::string> keys;
  for (const MenuSpec& menu : MainMenuTable())
    for (const MenuItemSpec& item : menu.items) {
      if (item.shortcut.empty()) continue;
      keyOf[item.name] = item.shortcut;
      EXPECT_TRUE(keys.insert(item.shortcut).second) << item.shortcut;
      EXPECT_FALSE(editorKeys.count(item.shortcut)) << item.shortcut;
    }
  const std::map<std::string, std::string> usual = {
      {"FileNewItem", "Ctrl+N"}, {"FileOpenItem", "Ctrl+O"}, {"FileSaveItem", "Ctrl+S"},
      {"Imprimer1", "Ctrl+P"},   {"Rechercher1", "Ctrl+F"},  {"Remplacer1", "Ctrl+H"},
      {"CutItem", "Ctrl+X"},     {"CopyItem", "Ctrl+C"},     {"PasteItem", "Ctrl+V"}};
  for (const auto& [name, key] : usual) EXPECT_EQ(keyOf[name], key) << name;
}

TEST(MenuTable, ToolButtonsPerformExistingItemsWithGapsBetweenGroups) {
  std::set<std::string> items;
  for (const MenuSpec& menu : MainMenuTable())
    for (const MenuItemSpec& item : menu.items) items.insert(item.name);
  int buttons = 0, gaps = 0, withEditor = 0;
  for (const ToolButtonSpec& button : ToolBarTable()) {
    if (button.name.empty()) {
      ++gaps;
      continue;
    }
    ++buttons;
    EXPECT_TRUE(items.count(button.command)) << button.name;
    if (button.availability == Availability::WithEditor) ++withEditor;
  }
  EXPECT_EQ(buttons, 7);
  EXPECT_EQ(gaps, 2);
  EXPECT_EQ(withEditor, 5);
}

}  // namespace
}  // namespace orv
