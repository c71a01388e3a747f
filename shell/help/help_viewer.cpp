// The help viewer window.
#include "shell/help/help_viewer.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMap>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QShortcut>
#include <QTextBrowser>
#include <QWheelEvent>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <functional>

#include "common/gui/view_settings.h"
#include "shell/help/help_lookup.h"
#include "shell/help/help_pages.h"

// The built-in copy lives in a static library: its resources must be
// registered by name, outside any namespace.
static void RegisterBuiltInHelp() { Q_INIT_RESOURCE(orvjava_help); }

namespace orv {
namespace {

const QString kScheme = QStringLiteral("aide");
const QString kMissingPage = QStringLiteral("aide-introuvable");
constexpr qint64 kMaxHelpSize = 16 * 1024 * 1024;

QString FromStd(const std::string& text) { return QString::fromStdString(text); }
std::string ToStd(const QString& text) { return text.toStdString(); }

QUrl TopicUrl(const QString& page, const QString& anchor = {}) {
  QUrl url;
  url.setScheme(kScheme);
  url.setPath(page);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  return url;
}

// Topics are served by the viewer itself, never read from the file system.
class TopicBrowser : public QTextBrowser {
 public:
  TopicBrowser(QWidget* parent, std::function<QString(const QUrl&)> pages)
      : QTextBrowser(parent), pages_(std::move(pages)) {}

  QVariant loadResource(int type, const QUrl& name) override {
    if (name.scheme() == kScheme && type != QTextDocument::ImageResource) return pages_(name);
    return QTextBrowser::loadResource(type, name);
  }

  std::function<void(int)> onZoom;

 protected:
  // Ctrl + wheel zooms by the viewer's own levels.
  void wheelEvent(QWheelEvent* event) override {
    if ((event->modifiers() & Qt::ControlModifier) && onZoom) {
      if (const int steps = event->angleDelta().y() / 120; steps != 0) onZoom(steps);
      event->accept();
      return;
    }
    QTextBrowser::wheelEvent(event);
  }

 private:
  std::function<QString(const QUrl&)> pages_;
};

help::FileRead ReadHelpFile(const std::string& path) {
  const QString name = FromStd(path);
  const QFileInfo info(name);
  help::FileRead read;
  if (!info.exists()) return read;
  read.State = help::FileRead::Status::Unreadable;
  if (info.isDir()) {
    read.Reason = "c'est un dossier";
    return read;
  }
  if (info.size() > kMaxHelpSize) {
    read.Reason = "fichier trop gros";
    return read;
  }
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    read.Reason = file.error() == QFileDevice::PermissionsError ? "accès refusé" : "erreur de lecture";
    return read;
  }
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    read.Reason = "erreur de lecture";
    return read;
  }
  read.State = help::FileRead::Status::Read;
  read.Text.assign(data.constData(), static_cast<size_t>(data.size()));
  return read;
}

// What the files of `places` look like now: a new load is needed when it changes.
QString Stamp(const std::vector<help::HelpPlace>& places) {
  QString stamp;
  for (const help::HelpPlace& place : places) {
    const QFileInfo info(FromStd(place.Path));
    stamp += FromStd(place.Path) + QLatin1Char('|');
    if (info.exists())
      stamp += QString::number(info.size()) + QLatin1Char('|') +
               QString::number(info.lastModified().toMSecsSinceEpoch());
    stamp += QLatin1Char('\n');
  }
  return stamp;
}

}  // namespace

namespace {
const QString kZoomKey = QStringLiteral("zoom/aide");
}

void TAide::SetZoom(int percent) {
  zoom_ = percent;
  QFont font = Browser->font();
  font.setPointSizeF(basePointSize_ * percent / kNormalZoom);
  Browser->setFont(font);
}

void TAide::ZoomBy(int steps) {
  SetZoom(ZoomStep(zoom_, steps));
  SetSetting(kZoomKey, zoom_);
}

TAide::TAide(QWidget* parent) : QMainWindow(parent, Qt::Window) {
  RegisterBuiltInHelp();
  const std::string executableDir = ToStd(QCoreApplication::applicationDirPath());
  for (const std::string& path : help::FallbackHelpFiles(executableDir, ToStd(BuiltInHelp())))
    fallbacks_ << FromStd(path);
  setWindowTitle(QStringLiteral("Aide de OrvJava"));
  resize(920, 660);

  auto* browser = new TopicBrowser(this, [this](const QUrl& url) { return PageFor(url); });
  browser->onZoom = [this](int steps) { ZoomBy(steps); };
  Browser = browser;
  basePointSize_ = Browser->font().pointSizeF();
  for (const auto& [keys, steps] : {std::pair{QKeySequence(QKeySequence::ZoomIn), 1}, std::pair{QKeySequence("Ctrl+="), 1},
                                    std::pair{QKeySequence(QKeySequence::ZoomOut), -1}, std::pair{QKeySequence("Ctrl+0"), 0}}) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, steps = steps] { ZoomBy(steps); });
  }
  SetZoom(RememberedZoom(kZoomKey));
  Browser->document()->setDefaultStyleSheet(QString::fromUtf8(help::kPageStyle));
  Browser->setOpenExternalLinks(false);
  connect(Browser, &QTextBrowser::sourceChanged, this, &TAide::SourceChanged);

  ContentsTree = new QTreeWidget(this);
  ContentsTree->setHeaderHidden(true);
  ContentsTree->setRootIsDecorated(true);
  // Long titles are never cut: the column is as wide as its widest title and
  // the tree scrolls sideways when the pane is narrower.
  ContentsTree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  ContentsTree->header()->setStretchLastSection(false);
  ContentsTree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  const auto openItem = [this](QTreeWidgetItem* item) {
    const int number = item ? item->data(0, Qt::UserRole).toInt() : 0;
    if (const help::HelpTopic* topic = book_ ? book_->ByNumber(number) : nullptr) Display(*topic);
  };
  connect(ContentsTree, &QTreeWidget::itemClicked, this, openItem);
  connect(ContentsTree, &QTreeWidget::itemActivated, this, openItem);

  Tabs = new QTabWidget(this);
  Tabs->addTab(ContentsTree, QStringLiteral("Sommaire"));
  Tabs->addTab(CreateSearchPage(), QStringLiteral("Rechercher"));
  // Choosing the search tab, by the mouse or the keyboard, is to type a word.
  connect(Tabs, &QTabWidget::currentChanged, this, [this] {
    if (Tabs->currentWidget() == SearchEdit->parentWidget()) SearchEdit->setFocus();
  });
  connect(Tabs, &QTabWidget::tabBarClicked, this, [this](int index) {
    if (Tabs->widget(index) == SearchEdit->parentWidget()) SearchEdit->setFocus();
  });

  ProblemBanner = new QLabel(this);
  ProblemBanner->setWordWrap(true);
  ProblemBanner->setStyleSheet(
      QStringLiteral("QLabel { background: #fff3cd; color: #6b3d00; border: 1px solid #e0b050; padding: 6px; }"));
  ProblemBanner->hide();

  auto* right = new QWidget(this);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(ProblemBanner);
  rightLayout->addWidget(Browser);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(Tabs);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({340, 580});
  setCentralWidget(splitter);
  CreateActions();
}

TAide::~TAide() = default;

QString TAide::BuiltInHelp() { return QStringLiteral(":/orvjava/OrvJava.hlp"); }

void TAide::CreateActions() {
  QToolBar* bar = addToolBar(QStringLiteral("Aide"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QStyle* look = style();
  QAction* contents = bar->addAction(look->standardIcon(QStyle::SP_FileDialogListView), QStringLiteral("&Sommaire"));
  connect(contents, &QAction::triggered, this, &TAide::HContents);
  QAction* search = bar->addAction(look->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("&Rechercher"));
  search->setShortcut(QKeySequence::Find);
  connect(search, &QAction::triggered, this, [this] { HSearch(SearchEdit->text()); });
  bar->addSeparator();
  BackAction = bar->addAction(look->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Précédent"));
  BackAction->setShortcut(QKeySequence::Back);
  BackAction->setEnabled(false);
  connect(BackAction, &QAction::triggered, Browser, &QTextBrowser::backward);
  connect(Browser, &QTextBrowser::backwardAvailable, BackAction, &QAction::setEnabled);
  ForwardAction = bar->addAction(look->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("S&uivant"));
  ForwardAction->setShortcut(QKeySequence::Forward);
  ForwardAction->setEnabled(false);
  connect(ForwardAction, &QAction::triggered, Browser, &QTextBrowser::forward);
  connect(Browser, &QTextBrowser::forwardAvailable, ForwardAction, &QAction::setEnabled);
  bar->addSeparator();
  QAction* howTo = bar->addAction(look->standardIcon(QStyle::SP_MessageBoxQuestion), QStringLiteral("&Utiliser l'aide"));
  howTo->setShortcut(QKeySequence(Qt::Key_F1));
  connect(howTo, &QAction::triggered, this, &TAide::HowToUse);
}

QWidget* TAide::CreateSearchPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* typeLabel = new QLabel(QStringLiteral("&Tapez les premières lettres du mot cherché :"), page);
  typeLabel->setWordWrap(true);
  SearchEdit = new QLineEdit(page);
  SearchEdit->setClearButtonEnabled(true);
  typeLabel->setBuddy(SearchEdit);
  auto* listLabel = new QLabel(QStringLiteral("&Choisissez un mot clé, puis Afficher :"), page);
  SearchList = new QListWidget(page);
  listLabel->setBuddy(SearchList);
  ShowButton = new QPushButton(QStringLiteral("&Afficher"), page);
  layout->addWidget(typeLabel);
  layout->addWidget(SearchEdit);
  layout->addWidget(listLabel);
  layout->addWidget(SearchList, 1);
  layout->addWidget(ShowButton, 0, Qt::AlignRight);

  SearchEdit->installEventFilter(this);
  connect(SearchEdit, &QLineEdit::textChanged, this, &TAide::FillSearchList);
  connect(SearchEdit, &QLineEdit::returnPressed, this, &TAide::ShowSearchEntry);
  connect(SearchList, &QListWidget::itemActivated, this, &TAide::ShowSearchEntry);
  connect(ShowButton, &QPushButton::clicked, this, &TAide::ShowSearchEntry);
  return page;
}

// The arrow keys in the search field move through the list, as in the index
// of a book's help.
bool TAide::eventFilter(QObject* watched, QEvent* event) {
  if (watched == SearchEdit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
      QApplication::sendEvent(SearchList, event);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TAide::SetHelpFile(const QString& path) { helpFile_ = path; }

bool TAide::Load() {
  std::vector<help::HelpPlace> places;
  QStringList seen;
  const auto add = [&](const QString& path, const std::string& where) {
    const QString absolute = path.startsWith(QLatin1Char(':')) ? path : QDir::current().absoluteFilePath(path);
    const QString key = QFileInfo(absolute).canonicalFilePath().isEmpty() ? absolute
                                                                         : QFileInfo(absolute).canonicalFilePath();
    if (seen.contains(key)) return;
    seen << key;
    places.push_back({ToStd(absolute), where});
  };
  add(helpFile_, "dans le dossier de démarrage");
  for (const QString& path : fallbacks_) add(path, help::FallbackPlace(ToStd(path)));

  const QString stamp = Stamp(places);
  if (stamp == loadedStamp_) return book_.has_value();
  loadedStamp_ = stamp;

  help::HelpLoad load = help::LoadHelp(places, ReadHelpFile);
  book_ = std::move(load.Book);
  index_ = book_ ? help::HelpIndex(*book_) : help::HelpIndex();
  source_ = FromStd(load.Path);
  problems_.clear();
  for (const std::string& problem : load.Problems) problems_ << FromStd(problem);
  missingPage_ = book_ ? QString()
                       : FromStd(help::MessagePage("Aide introuvable", help::MissingHelpLines(places, load)));

  if (book_ && !problems_.isEmpty()) {
    ProblemBanner->setText(problems_.join(QLatin1Char(' ')) + QStringLiteral(" L'aide affichée est ") +
                           (source_.startsWith(QLatin1Char(':')) ? QStringLiteral("l'aide intégrée au programme")
                                                                 : QStringLiteral("celle de ") + source_) +
                           QStringLiteral("."));
    ProblemBanner->show();
  } else {
    ProblemBanner->hide();
  }
  const QString shownSource =
      source_.startsWith(QLatin1Char(':')) ? QStringLiteral("l'aide intégrée au programme") : source_;
  statusBar()->showMessage(book_ ? QStringLiteral("Fichier d'aide : ") + shownSource
                                 : QStringLiteral("Aucun fichier d'aide utilisable"));
  Tabs->setEnabled(book_.has_value());
  FillContents();
  FillSearchList(SearchEdit->text());
  Browser->reload();
  return book_.has_value();
}

void TAide::FillContents() {
  ContentsTree->clear();
  if (!book_) return;
  QFont bold = ContentsTree->font();
  bold.setBold(true);
  QMap<QString, QTreeWidgetItem*> groups;
  for (const help::HelpTopic& topic : book_->Topics()) {
    QTreeWidgetItem* parent = nullptr;
    if (!topic.Group.empty()) {
      const QString group = FromStd(topic.Group);
      parent = groups.value(group);
      if (!parent) {
        parent = new QTreeWidgetItem(ContentsTree, {group});
        parent->setFont(0, bold);
        parent->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
        parent->setExpanded(true);
        groups.insert(group, parent);
      }
    }
    auto* item = parent ? new QTreeWidgetItem(parent, {FromStd(topic.Title)})
                        : new QTreeWidgetItem(ContentsTree, {FromStd(topic.Title)});
    item->setData(0, Qt::UserRole, topic.Number);
    item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
  }
}

void TAide::FillSearchList(const QString& typed) {
  SearchList->clear();
  for (const help::IndexEntry* entry : index_.Matching(ToStd(typed))) {
    auto* item = new QListWidgetItem(FromStd(entry->Label), SearchList);
    item->setData(Qt::UserRole, static_cast<int>(entry - index_.Entries().data()));
  }
  if (SearchList->count() > 0) {
    SearchList->setCurrentRow(0);
  } else if (book_) {
    auto* none = new QListWidgetItem(QStringLiteral("(aucun mot clé ne commence ainsi)"), SearchList);
    none->setFlags(Qt::NoItemFlags);
    none->setData(Qt::UserRole, -1);
  }
  ShowButton->setEnabled(SearchList->currentItem() != nullptr);
}

void TAide::ShowSearchEntry() {
  const QListWidgetItem* item = SearchList->currentItem();
  const int at = item ? item->data(Qt::UserRole).toInt() : -1;
  if (at < 0 || at >= static_cast<int>(index_.Entries().size())) return;
  const help::IndexEntry& entry = index_.Entries()[static_cast<size_t>(at)];
  if (const help::HelpTopic* topic = book_ ? book_->ByNumber(entry.Topic) : nullptr) Display(*topic, entry.Anchor);
}

void TAide::Present() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void TAide::Display(const help::HelpTopic& topic, const std::string& anchor) {
  Browser->setSource(TopicUrl(FromStd(topic.Name), FromStd(anchor)), QTextDocument::HtmlResource);
}

void TAide::ShowMissing() {
  const QUrl url = TopicUrl(kMissingPage);
  if (Browser->source() == url) Browser->reload();
  else Browser->setSource(url, QTextDocument::HtmlResource);
}

void TAide::HContents() {
  const bool loaded = Load();
  Present();
  if (!loaded) return ShowMissing();
  Tabs->setCurrentWidget(ContentsTree);
  const help::HelpTopic* contents = book_->ByNumber(help::kContentsTopic);
  Display(contents ? *contents : book_->Topics().front());
}

void TAide::HSearch(const QString& keyword) {
  const bool loaded = Load();
  Present();
  if (!loaded) return ShowMissing();
  Tabs->setCurrentWidget(SearchEdit->parentWidget());
  SearchEdit->setText(keyword);
  FillSearchList(keyword);
  SearchEdit->selectAll();
  SearchEdit->setFocus();
  if (CurrentTopic() == 0) {
    const help::HelpTopic* contents = book_->ByNumber(help::kContentsTopic);
    Display(contents ? *contents : book_->Topics().front());
  }
}

void TAide::HowToUse() { ShowTopic(help::kHowToUseTopic); }

bool TAide::ShowTopic(int number) {
  const bool loaded = Load();
  Present();
  if (!loaded) {
    ShowMissing();
    return false;
  }
  Tabs->setCurrentWidget(ContentsTree);
  const help::HelpTopic* topic = book_->ByNumber(number);
  if (!topic) {
    Browser->setSource(TopicUrl(QString::number(number)), QTextDocument::HtmlResource);
    return false;
  }
  Display(*topic);
  return true;
}

const help::HelpTopic* TAide::TopicOf(const QUrl& url) const {
  if (!book_ || url.scheme() != kScheme) return nullptr;
  const std::string page = ToStd(url.path());
  bool numeric = false;
  const int number = url.path().toInt(&numeric);
  return numeric ? book_->ByNumber(number) : book_->ByName(page);
}

int TAide::CurrentTopic() const {
  const help::HelpTopic* topic = TopicOf(Browser->source());
  return topic ? topic->Number : 0;
}

QString TAide::PageFor(const QUrl& url) const {
  if (!book_) return missingPage_;
  if (const help::HelpTopic* topic = TopicOf(url)) return FromStd(help::TopicPage(*topic));
  return FromStd(help::MessagePage(
      "Rubrique introuvable",
      {"La rubrique « " + ToStd(url.path()) + " » n'existe pas dans le fichier d'aide " + ToStd(source_) + ".",
       "Choisissez une rubrique dans le sommaire, ou cherchez un mot clé."}));
}

void TAide::SourceChanged(const QUrl& url) {
  const help::HelpTopic* topic = TopicOf(url);
  setWindowTitle(topic ? QStringLiteral("Aide de OrvJava - ") + FromStd(topic->Title)
                       : QStringLiteral("Aide de OrvJava"));
  if (!topic) return;
  QTreeWidgetItemIterator it(ContentsTree);
  for (; *it; ++it)
    if ((*it)->data(0, Qt::UserRole).toInt() == topic->Number) {
      const QSignalBlocker quiet(ContentsTree);
      ContentsTree->setCurrentItem(*it);
      ContentsTree->scrollToItem(*it);
      break;
    }
}

}  // namespace orv
