#include "app/picture/picture_box.h"

#include <QBuffer>
#include <QMovie>
#include <QPainter>

#include "app/picture/picture_decoder.h"
#include "app/picture/picture_kind.h"
#include "app/picture/picture_placement.h"

namespace kelvora {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox() { drop_picture(); }

void PictureBox::set_picture(const Bytes& bytes) {
  drop_picture();
  bytes_ = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
  const PictureKind kind = picture_kind(bytes);
  if (kind == PictureKind::gif) {
    if (gif_is_playable(bytes_)) {
      start_movie();
    }
  } else if (kind != PictureKind::none) {
    still_ = decode_still_picture(bytes_, kind);
  }
  if (!has_picture()) {
    bytes_.clear();
  }
  update();
}

void PictureBox::set_display_mode(int mode) {
  mode_ = mode;
  update();
}

int PictureBox::display_mode() const { return mode_; }

bool PictureBox::has_picture() const { return !still_.isNull() || movie_ != nullptr; }

void PictureBox::drop_picture() {
  movie_.reset();
  movie_buffer_.reset();
  still_ = QImage();
  bytes_.clear();
}

void PictureBox::start_movie() {
  movie_buffer_ = std::make_unique<QBuffer>();
  movie_buffer_->setData(bytes_);
  movie_buffer_->open(QIODevice::ReadOnly);
  movie_ = std::make_unique<QMovie>(movie_buffer_.get(), QByteArray("gif"));
  connect(movie_.get(), &QMovie::frameChanged, this, [this] { update(); });
  movie_->start();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  const QImage image = movie_ ? movie_->currentImage() : still_;
  if (image.isNull()) {
    return;
  }
  const PictureRect placed = place_picture(mode_, image.width(), image.height(), width(), height());
  const QRect target(placed.x, placed.y, placed.width, placed.height);
  if (target.width() < image.width() || target.height() < image.height()) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
  }
  painter.drawImage(target, image);
}

}  // namespace kelvora
