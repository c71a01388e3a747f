#include "interp/gui/ecran.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>
#include <QtMath>
#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "common/file_save.h"
#include "common/gui/save_failure.h"
#include "common/gui/view_settings.h"

namespace orv {
namespace {

constexpr int kBand = 64;                 // pixel rows per index band
constexpr size_t kMaxItems = 2'000'000;   // what the screen remembers at most
constexpr qsizetype kMaxTranscript = 8'000'000;  // characters of the transcript kept
const QPoint kUsualPlace(104, 108);
constexpr int kInputGap = 2;      // between the last line and the input box
constexpr int kSettleMs = 400;    // the window manager's own placing after a show
constexpr int kWheelNotch = 120;
constexpr int kLineAdvance = 18;  // what a print-line moves down
constexpr int kFontPixels = 17;   // the largest size tried
constexpr int kExposeWaitMs = 1000;  // for the window manager to map a new screen
const QString kZoomKey = QStringLiteral("zoom/ecran");
const QString kPositionKey = QStringLiteral("ecran/position");

// Steps of a zoom key (0 = back to 100 %), or nothing for other keys.
std::optional<int> ZoomKeySteps(const QKeyEvent* key) {
  if (!(key->modifiers() & Qt::ControlModifier)) return std::nullopt;
  switch (key->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: return 1;
    case Qt::Key_Minus: return -1;
    case Qt::Key_0: return 0;
    default: return std::nullopt;
  }
}

// A rectangle of `size` kept inside `area` where it can be.
QPoint Inside(const QRect& area, QPoint at, const QSize& size) {
  at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width())));
  at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height())));
  return at;
}

// Whether enough of a window there would be on some screen to be grabbed.
bool OnADesktop(const QRect& window) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect seen = screen->availableGeometry().intersected(window);
    if (seen.width() >= 60 && seen.height() >= 30) return true;
  }
  return false;
}

// The screen's font: the largest size whose letters, descenders and accents
// included, fit in one line advance, so that the opaque background of a line
// never covers the bottom of the line above. Scaling (zoom) keeps the
// proportion; one pixel of the advance stays free for the rounding there.
QFont FittingScreenFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (int pixels = kFontPixels; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).height() < kLineAdvance) break;
  }
  return font;
}

QRect AvailableAround(const QPoint& point) {
  QScreen* screen = QGuiApplication::screenAt(point);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

}  // namespace

// The drawing surface: every text drawn, in order, indexed by bands of rows
// so that painting touches only what is exposed. It paints at its zoom; the
// items keep the program's coordinates.
class TEcranCanvas : public QWidget {
 public:
  TEcranCanvas(const QFont& font, QWidget* parent) : QWidget(parent), font_(font), metrics_(font) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  void Draw(int x, int y, const QString& text) {
    if (items_.size() >= kMaxItems) Forget();
    const QRect box(x, y, metrics_.horizontalAdvance(text), metrics_.height());
    items_.push_back({box, text});
    ++drawn_;
    for (int band = BandOf(box.top()); band <= BandOf(box.bottom()); ++band)
      bands_[band].push_back(items_.size() - 1);
    extent_ = extent_.expandedTo(QSize(box.right() + 1, box.bottom() + 1));
    UpdateMinimumSize();
    update(Scaled(box));
  }

  void Paint(QPainter& painter, const QRect& area) const {
    painter.fillRect(area, Qt::white);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    std::vector<size_t> visible;
    for (auto it = bands_.lower_bound(BandOf(area.top())); it != bands_.end() && it->first <= BandOf(area.bottom()); ++it)
      visible.insert(visible.end(), it->second.begin(), it->second.end());
    std::sort(visible.begin(), visible.end());
    visible.erase(std::unique(visible.begin(), visible.end()), visible.end());
    for (size_t i : visible) {
      const Item& item = items_[i];
      if (!item.box.intersects(area)) continue;
      painter.fillRect(item.box, Qt::white);
      painter.drawText(item.box.left(), item.box.top() + metrics_.ascent(), item.text);
    }
  }

  QSize Extent() const { return extent_; }
  // The last text drawn, on this widget (zoomed); nothing after Clear.
  std::optional<QRect> LastBox() const {
    if (items_.empty()) return std::nullopt;
    return Scaled(items_.back().box);
  }

  void SetZoom(int percent) {
    scale_ = percent / 100.0;
    UpdateMinimumSize();
    update();
  }

  // Texts drawn since Clear, the forgotten ones included.
  uint64_t Drawn() const { return drawn_; }
  // Forgets the texts drawn after the first `drawn`.
  void TakeBack(uint64_t drawn) {
    if (drawn >= drawn_) return;
    const uint64_t extra = drawn_ - drawn;
    const size_t keep = extra >= items_.size() ? 0 : items_.size() - static_cast<size_t>(extra);
    // The items go from the end, and so do their indices in each band.
    for (size_t i = items_.size(); i-- > keep;) {
      for (int band = BandOf(items_[i].box.top()); band <= BandOf(items_[i].box.bottom()); ++band) {
        auto it = bands_.find(band);
        it->second.pop_back();
        if (it->second.empty()) bands_.erase(it);
      }
    }
    items_.resize(keep);
    drawn_ = drawn;
    extent_ = QSize(0, 0);
    for (const Item& item : items_) extent_ = extent_.expandedTo(QSize(item.box.right() + 1, item.box.bottom() + 1));
    UpdateMinimumSize();
    update();
  }

  void Clear() {
    items_.clear();
    bands_.clear();
    drawn_ = 0;
    extent_ = QSize(0, 0);
    setMinimumSize(0, 0);
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.scale(scale_, scale_);
    const QRectF exposed(event->rect().x() / scale_, event->rect().y() / scale_,
                         event->rect().width() / scale_, event->rect().height() / scale_);
    Paint(painter, exposed.toAlignedRect().adjusted(-1, -1, 1, 1));
  }

 private:
  struct Item {
    QRect box;
    QString text;
  };
  static int BandOf(int y) { return y >= 0 ? y / kBand : -1 - (-1 - y) / kBand; }

  QRect Scaled(const QRect& box) const {
    return QRectF(box.x() * scale_, box.y() * scale_, box.width() * scale_, box.height() * scale_)
        .toAlignedRect();
  }
  void UpdateMinimumSize() {
    const QSize scaled(qCeil(extent_.width() * scale_), qCeil(extent_.height() * scale_));
    if (scaled != minimumSize()) setMinimumSize(scaled);
  }

  // Past the limit, the oldest half goes: what a runaway program drew first.
  void Forget() {
    items_.erase(items_.begin(), items_.begin() + static_cast<long>(items_.size() / 2));
    bands_.clear();
    for (size_t i = 0; i < items_.size(); ++i)
      for (int band = BandOf(items_[i].box.top()); band <= BandOf(items_[i].box.bottom()); ++band)
        bands_[band].push_back(i);
  }

  QFont font_;
  QFontMetrics metrics_;
  std::vector<Item> items_;
  std::map<int, std::vector<size_t>> bands_;
  uint64_t drawn_ = 0;
  QSize extent_{0, 0};
  qreal scale_ = 1.0;
};

// A tool window: X11 window managers keep it above the frame it belongs to
// (a plain window there has no transient parent).
TEcran::TEcran(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
  setWindowTitle("Ecran");
  setObjectName("Ecran");
  // The screen comes to the front but the keyboard stays where the learner
  // types and steps (F7 in the editor).
  setAttribute(Qt::WA_ShowWithoutActivating);
  font_ = FittingScreenFont();
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(true);
  scroll_->setBackgroundRole(QPalette::Base);
  canvas_ = new TEcranCanvas(font_, scroll_);
  scroll_->setWidget(canvas_);
  scroll_->viewport()->installEventFilter(this);
  QPalette palette = scroll_->palette();
  palette.setColor(QPalette::Base, Qt::white);
  scroll_->setPalette(palette);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_);
  setGeometry(QRect(kUsualPlace, QSize(607, 414)));
  if (const QVariant moved = Setting(kPositionKey); moved.isValid() && OnADesktop(QRect(moved.toPoint(), size())))
    move(moved.toPoint());
  placedAt_ = pos();

  menu_ = new QMenu(this);
  CopyTextItem = menu_->addAction(QStringLiteral("Copier le texte"), this, &TEcran::CopyText);
  SaveTextItem = menu_->addAction(QStringLiteral("Enregistrer le texte..."), this, &TEcran::SaveTextAs);
  connect(menu_, &QMenu::aboutToShow, this, [this] {
    const bool any = transcriptSize_ > 0;
    CopyTextItem->setEnabled(any);
    SaveTextItem->setEnabled(any);
  });
  SetZoom(RememberedZoom(kZoomKey));
}

void TEcran::SetTitle(const QString& title) { setWindowTitle(title); }

// The screen stays above the main window: a message box or the keyboard box
// that closes hands the activation back to the frame, which would otherwise
// come up over the program's output with nothing to bring it back.
void TEcran::ShowScreen() {
  if (!isVisible()) StayAboveMainWindow(*this);
  show();
  raise();
}

void TEcran::DrawText(int x, int y, const QString& text) {
  canvas_->Draw(x, y, text);
  AppendTranscript(text);
}

void TEcran::NewLine() {
  lines_.push_back(std::move(current_));
  current_.clear();
  ++transcriptSize_;  // its "\n"
  ++written_;
  AppendTranscript(QString());
}

void TEcran::Clear() {
  canvas_->Clear();
  lines_.clear();
  current_.clear();
  transcriptSize_ = 0;
  written_ = 0;
}

ScreenMark TEcran::Mark() const { return {canvas_->Drawn(), written_}; }

// The transcript loses its end as well: the characters written after the
// mark, line ends included, as far as it still holds them.
void TEcran::RollBack(const ScreenMark& mark) {
  canvas_->TakeBack(mark.Drawn);
  if (mark.Written >= written_) return;
  uint64_t extra = written_ - mark.Written;
  written_ = mark.Written;
  while (extra > 0) {
    if (extra <= static_cast<uint64_t>(current_.size())) {
      current_.chop(static_cast<qsizetype>(extra));
      break;
    }
    extra -= static_cast<uint64_t>(current_.size()) + 1;  // the line and the end of the one before
    if (lines_.empty()) {
      current_.clear();
      break;
    }
    current_ = std::move(lines_.back());
    lines_.pop_back();
  }
  transcriptSize_ = current_.size();
  for (const QString& line : lines_) transcriptSize_ += line.size() + 1;
}

int TEcran::TextWidth(const QString& text) const { return QFontMetrics(font_).horizontalAdvance(text); }

QImage TEcran::Snapshot() const {
  const QSize size = canvas_->Extent().expandedTo(QSize(1, 1));
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  canvas_->Paint(painter, QRect(QPoint(0, 0), size));
  return image;
}

// --- Transcript --------------------------------------------------------------

// A runaway program keeps only its latest output: the oldest lines go first.
void TEcran::AppendTranscript(const QString& text) {
  current_ += text;
  written_ += static_cast<uint64_t>(text.size());
  transcriptSize_ += text.size();
  while (transcriptSize_ > kMaxTranscript && !lines_.empty()) {
    transcriptSize_ -= lines_.front().size() + 1;
    lines_.pop_front();
  }
  if (transcriptSize_ > kMaxTranscript) {
    const qsizetype excess = transcriptSize_ - kMaxTranscript;
    current_.remove(0, excess);
    transcriptSize_ -= excess;
  }
}

QString TEcran::Transcript() const {
  QString text;
  text.reserve(transcriptSize_);
  for (const QString& line : lines_) {
    text += line;
    text += u'\n';
  }
  return text + current_;
}

void TEcran::CopyText() { QGuiApplication::clipboard()->setText(Transcript()); }

bool TEcran::SaveText(const QString& path) {
  const int error = SaveFileAtomically(QFile::encodeName(path).toStdString(), Transcript().toUtf8().toStdString());
  if (error == 0) return true;
  const QString message = QStringLiteral("Le texte de l'écran n'a pas pu être enregistré dans « %1 » (%2).")
                              .arg(QDir::toNativeSeparators(path), SaveFailureText(error));
  if (messageBox) messageBox(message);
  else QMessageBox::warning(this, QStringLiteral("Orv Java"), message);
  return false;
}

// Named after the program that wrote it: "Bonjour.java" proposes
// "Bonjour-sortie.txt".
QString TEcran::ProposedSaveName() const {
  const QString prefix = QStringLiteral("Orv Java - ");
  const QString title = windowTitle();
  const QString program = title.startsWith(prefix) ? QFileInfo(title.mid(prefix.size())).completeBaseName() : QString();
  return program.isEmpty() ? QStringLiteral("sortie.txt") : program + QStringLiteral("-sortie.txt");
}

void TEcran::SaveTextAs() {
  QString path;
  if (askSaveName) {
    path = askSaveName();
  } else {
    QFileDialog dialog(this, QStringLiteral("Enregistrer le texte"), QString(),
                       QStringLiteral("Fichiers texte (*.txt);;Tous les fichiers (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(ProposedSaveName());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) path = dialog.selectedFiles().constFirst();
  }
  if (path.isEmpty()) return;
  // A name without extension is a text file.
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
  SaveText(path);
}

void TEcran::contextMenuEvent(QContextMenuEvent* event) { menu_->exec(event->globalPos()); }

// --- Zoom --------------------------------------------------------------------

void TEcran::SetZoom(int percent) {
  percent = std::clamp(percent, ZoomStep(kNormalZoom, -100), ZoomStep(kNormalZoom, 100));
  if (percent == zoom_) return;
  // The view keeps showing the same part of the drawing.
  const qreal ratio = qreal(percent) / zoom_;
  QScrollBar* bars[] = {scroll_->horizontalScrollBar(), scroll_->verticalScrollBar()};
  const int values[] = {bars[0]->value(), bars[1]->value()};
  zoom_ = percent;
  canvas_->SetZoom(zoom_);
  scroll_->setWidgetResizable(true);  // the scroll range follows at once
  for (int i = 0; i < 2; ++i) bars[i]->setValue(qRound(values[i] * ratio));
  SetSetting(kZoomKey, zoom_);
}

void TEcran::ZoomBy(int steps) { SetZoom(ZoomStep(zoom_, steps)); }

bool TEcran::event(QEvent* event) {
  // Zoom keys belong to the screen, whatever shortcut the application has.
  if (event->type() == QEvent::ShortcutOverride && ZoomKeySteps(static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QWidget::event(event);
}

bool TEcran::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scroll_->viewport() && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (wheel->modifiers() & Qt::ControlModifier) {
      wheelDelta_ += wheel->angleDelta().y();
      const int steps = wheelDelta_ / kWheelNotch;
      wheelDelta_ -= steps * kWheelNotch;
      if (steps != 0) ZoomBy(steps);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TEcran::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    emit InterruptRequested();
    return;
  }
  if (const std::optional<int> steps = ZoomKeySteps(event)) {
    ZoomBy(*steps);
    return;
  }
  QWidget::keyPressEvent(event);
}

// --- Placement ---------------------------------------------------------------

void TEcran::MoveOurselves(const QPoint& framePosition) {
  move(framePosition);
  placedAt_ = pos();
}

void TEcran::PlaceBeside(const QRect& avoid) {
  if (isVisible()) return;
  if (const QVariant moved = Setting(kPositionKey); moved.isValid() && OnADesktop(QRect(moved.toPoint(), size())))
    return MoveOurselves(moved.toPoint());
  const QRect area = AvailableAround(avoid.center());
  const QSize size = frameGeometry().size();
  if (avoid.isValid() && area.isValid() && size.height() <= area.height()) {
    const int top = Inside(area, avoid.topLeft(), size).y();
    if (avoid.right() + size.width() <= area.right()) return MoveOurselves({avoid.right() + 1, top});
    if (avoid.left() - size.width() >= area.left()) return MoveOurselves({avoid.left() - size.width(), top});
    if (avoid.bottom() + size.height() <= area.bottom() && size.width() <= area.width())
      return MoveOurselves({Inside(area, avoid.topLeft(), size).x(), avoid.bottom() + 1});
  }
  setGeometry(QRect(kUsualPlace, this->size()));
  placedAt_ = pos();
}

void TEcran::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  shown_.start();
}

// The window manager may still place the window just after it shows; later
// moves while it is visible are the learner's, and remembered.
void TEcran::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (!isVisible() || !shown_.isValid() || shown_.elapsed() < kSettleMs) {
    placedAt_ = pos();
    return;
  }
  if (pos() == placedAt_) return;
  placedAt_ = pos();
  SetSetting(kPositionKey, pos());
}

// Until the window manager has mapped a screen just shown, its frame is
// unknown and its client area would be taken for a title bar higher than it
// is: the box would cover the line it asks about.
void TEcran::WaitUntilMapped() {
  QElapsedTimer waited;
  waited.start();
  while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
}

QPoint TEcran::InputBoxPlace(const QSize& box) {
  if (!isVisible()) return {200, 112};
  WaitUntilMapped();
  QWidget* viewport = scroll_->viewport();
  const std::optional<QRect> last = canvas_->LastBox();
  const int lastBottom = last ? last->bottom() + 1 : 0;
  if (last) {  // the line the program just wrote is in view
    QScrollBar* bar = scroll_->verticalScrollBar();
    if (last->bottom() >= bar->value() + viewport->height()) bar->setValue(last->bottom() + 1 - viewport->height());
    if (last->top() < bar->value()) bar->setValue(last->top());
  }
  const QRect visible(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
  const int below = canvas_->mapToGlobal(QPoint(0, lastBottom)).y() + kInputGap;
  QPoint place(visible.left(), below);
  if (below + box.height() > visible.bottom() + 1) place = {frameGeometry().left(), frameGeometry().bottom() + 1 + kInputGap};
  const QRect area = AvailableAround(visible.center());
  return area.isValid() ? Inside(area, place, box) : place;
}

}  // namespace orv
