// TAide, the help viewer of the environment: contents, keyword search list,
// help on the viewer itself and topics by number, over the help file
// OrvJava.hlp (see help_book.h for its format and help_lookup.h for where it
// is looked for). One instance, created by the main window and shown again
// at every help command; it is not modal, so a learner can read the help
// while writing a program.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <optional>

#include "shell/help/help_book.h"
#include "shell/help/help_index.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace orv {

class TAide : public QMainWindow {
  Q_OBJECT

 public:
  explicit TAide(QWidget* parent = nullptr);
  ~TAide() override;

  // The application's help file, looked for first. Until the main window
  // sets StartFolder + "/OrvJava.hlp", it is "OrvJava.hlp" in the folder that
  // is current when a help command runs.
  void SetHelpFile(const QString& path);
  QString HelpFile() const { return helpFile_; }

  // The copies tried, in order, when the help file is missing or damaged. By
  // default: OrvJava.hlp beside the executable, then in the installation's
  // share/orvjava folder, then the copy built into it.
  void SetFallbacks(const QStringList& paths) { fallbacks_ = paths; }
  QStringList Fallbacks() const { return fallbacks_; }
  static QString BuiltInHelp();

  // The commands of the "&Aide" menu and of F1.
  void HContents();                            // the contents
  void HSearch(const QString& keyword = {});   // the keyword list, `keyword` typed
  void HowToUse();                             // how to use this viewer
  bool ShowTopic(int number);                  // a topic by number; false if none

  // The state, for the tests and the screenshots.
  const help::HelpBook* Book() const { return book_ ? &*book_ : nullptr; }
  QString Source() const { return source_; }       // file in use, empty if none
  QStringList Problems() const { return problems_; }
  int CurrentTopic() const;                         // 0 when no topic is shown

  // The text's zoom in percent; Ctrl++, Ctrl+-, Ctrl+0 and Ctrl + wheel.
  int Zoom() const { return zoom_; }
  void SetZoom(int percent);
  void ZoomBy(int steps);

  QTextBrowser* Browser = nullptr;
  QTabWidget* Tabs = nullptr;
  QTreeWidget* ContentsTree = nullptr;
  QLineEdit* SearchEdit = nullptr;
  QListWidget* SearchList = nullptr;
  QPushButton* ShowButton = nullptr;
  QLabel* ProblemBanner = nullptr;
  QAction* BackAction = nullptr;
  QAction* ForwardAction = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int zoom_ = 100;
  qreal basePointSize_ = 10;
  void CreateActions();
  QWidget* CreateSearchPage();
  bool Load();
  void FillContents();
  void FillSearchList(const QString& typed);
  void ShowMissing();
  void Present();
  void Display(const help::HelpTopic& topic, const std::string& anchor = {});
  void ShowSearchEntry();
  void SourceChanged(const QUrl& url);
  QString PageFor(const QUrl& url) const;
  const help::HelpTopic* TopicOf(const QUrl& url) const;

  QString helpFile_ = QStringLiteral("OrvJava.hlp");
  QStringList fallbacks_;
  std::optional<help::HelpBook> book_;
  help::HelpIndex index_;
  QString source_;
  QString loadedStamp_;  // what the files looked like at the last load
  QStringList problems_;
  QString missingPage_;
};

}  // namespace orv
