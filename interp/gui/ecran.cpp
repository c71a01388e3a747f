#include "interp/gui/ecran.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace orv {
namespace {

constexpr int kBand = 64;                 // pixel rows per index band
constexpr size_t kMaxItems = 2'000'000;   // what the screen remembers at most

}  // namespace

// The drawing surface: every text drawn, in order, indexed by bands of rows
// so that painting touches only what is exposed.
class TEcranCanvas : public QWidget {
 public:
  TEcranCanvas(const QFont& font, QWidget* parent) : QWidget(parent), font_(font), metrics_(font) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  void Draw(int x, int y, const QString& text) {
    if (items_.size() >= kMaxItems) Forget();
    const QRect box(x, y, metrics_.horizontalAdvance(text), metrics_.height());
    items_.push_back({box, text});
    for (int band = BandOf(box.top()); band <= BandOf(box.bottom()); ++band)
      bands_[band].push_back(items_.size() - 1);
    extent_ = extent_.expandedTo(QSize(box.right() + 1, box.bottom() + 1));
    if (extent_.width() > minimumWidth() || extent_.height() > minimumHeight())
      setMinimumSize(extent_);
    update(box);
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

  void Clear() {
    items_.clear();
    bands_.clear();
    extent_ = QSize(0, 0);
    setMinimumSize(0, 0);
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    Paint(painter, event->rect());
  }

 private:
  struct Item {
    QRect box;
    QString text;
  };
  static int BandOf(int y) { return y >= 0 ? y / kBand : -1 - (-1 - y) / kBand; }

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
  QSize extent_{0, 0};
};

TEcran::TEcran(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle("Ecran");
  setObjectName("Ecran");
  font_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font_.setPixelSize(17);
  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(true);
  scroll_->setBackgroundRole(QPalette::Base);
  canvas_ = new TEcranCanvas(font_, scroll_);
  scroll_->setWidget(canvas_);
  QPalette palette = scroll_->palette();
  palette.setColor(QPalette::Base, Qt::white);
  scroll_->setPalette(palette);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_);
  setGeometry(104, 108, 607, 414);
}

void TEcran::SetTitle(const QString& title) { setWindowTitle(title); }

void TEcran::ShowScreen() {
  show();
  raise();
}

void TEcran::DrawText(int x, int y, const QString& text) { canvas_->Draw(x, y, text); }

void TEcran::Clear() { canvas_->Clear(); }

int TEcran::TextWidth(const QString& text) const { return QFontMetrics(font_).horizontalAdvance(text); }

QImage TEcran::Snapshot() const {
  const QSize size = canvas_->Extent().expandedTo(QSize(1, 1));
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  canvas_->Paint(painter, QRect(QPoint(0, 0), size));
  return image;
}

void TEcran::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    emit InterruptRequested();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace orv
