// Not a test: renders the for, if and keyword dialogs with sample values and
// saves them to PNG files for a person to look at.
// Usage: templates_screenshot <for.png> <if.png> <keywords.png>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

#include "editor/template_dialogs.h"

namespace {

bool Shoot(QWidget& window, const char* path) {
  window.show();
  QApplication::processEvents();
  const bool saved = window.grab().save(QString::fromLocal8Bit(path));
  window.hide();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) return 2;
  using orv::TemplateWindows;
  orv::TBoucleFor& loop = TemplateWindows::BoucleFor();
  loop.Edit1->setText("i");
  loop.Edit2->setText("1");
  loop.Edit3->setText("10");
  orv::TConditionIf& condition = TemplateWindows::ConditionIf();
  condition.Edit1->setText("note");
  condition.RadioGroup1->SetItemIndex(4);
  condition.Edit2->setText("10");
  condition.CheckBox1->setChecked(true);
  orv::TMotsCle& keywords = TemplateWindows::MotsCle();
  keywords.ListBox1->setCurrentRow(9);
  const bool ok = Shoot(loop, argv[1]) && Shoot(condition, argv[2]) && Shoot(keywords, argv[3]);
  return ok ? 0 : 1;
}
