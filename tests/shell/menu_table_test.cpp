// The menu table's availability rule and its shape.
#include <gtest/gtest.h>

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
  EXPECT_EQ(withEditor, 31);
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
