#include "app/picture/picture_decoder.h"

#include <QBuffer>
#include <QImageReader>
#include <cstring>
#include <string_view>

#include "app/picture/gif_outline.h"
#include "app/picture/pcx_reader.h"
#include "app/picture/picture_completeness.h"
#include "app/picture/picture_limits.h"

namespace kelvora {
namespace {

const char* qt_format_name(PictureKind kind) {
  switch (kind) {
    case PictureKind::bmp: return "bmp";
    case PictureKind::jpeg: return "jpeg";
    case PictureKind::png: return "png";
    case PictureKind::ico: return "ico";
    case PictureKind::cur: return "cur";
    case PictureKind::gif: return "gif";
    default: return nullptr;
  }
}

std::string_view as_view(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

bool size_allowed(QSize size) { return picture_size_allowed(size.width(), size.height()); }

// A reader bound to one format over its own buffer of the bytes (shared,
// not copied). Qt's reader also refuses any allocation beyond the limit,
// as a second guard behind the header checks.
class FormatReader {
 public:
  FormatReader(const QByteArray& bytes, const char* format) {
    QImageReader::setAllocationLimit(static_cast<int>(max_picture_bytes >> 20));
    buffer_.setData(bytes);
    buffer_.open(QIODevice::ReadOnly);
    reader_.setDevice(&buffer_);
    reader_.setFormat(format);
    reader_.setAutoDetectImageFormat(false);
  }
  QImageReader* operator->() { return &reader_; }

 private:
  QBuffer buffer_;
  QImageReader reader_;
};

// Reads the first image, refusing one whose header claims too large a size.
QImage read_within_limits(const QByteArray& bytes, const char* format) {
  FormatReader reader(bytes, format);
  const QSize claimed = reader->size();
  if (claimed.isValid() && !size_allowed(claimed)) {
    return {};
  }
  QImage image = reader->read();
  if (image.isNull() || !size_allowed(image.size())) {
    return {};
  }
  return image;
}

QImage decode_pcx_picture(const QByteArray& bytes) {
  const auto pcx = decode_pcx(as_view(bytes));
  if (!pcx) {
    return {};
  }
  QImage image(pcx->width, pcx->height, QImage::Format_RGB32);
  if (image.isNull()) {
    return {};
  }
  const std::size_t row_bytes = std::size_t(pcx->width) * sizeof(std::uint32_t);
  for (int y = 0; y < pcx->height; ++y) {
    std::memcpy(image.scanLine(y), pcx->pixels.data() + std::size_t(y) * std::size_t(pcx->width),
                row_bytes);
  }
  return image;
}

}  // namespace

QImage decode_still_picture(const QByteArray& bytes, PictureKind kind) {
  if (kind == PictureKind::pcx) {
    return decode_pcx_picture(bytes);
  }
  if (kind == PictureKind::none || kind == PictureKind::gif ||
      (kind == PictureKind::bmp && !bmp_is_complete(as_view(bytes))) ||
      (kind == PictureKind::jpeg && !jpeg_is_complete(as_view(bytes)))) {
    return {};
  }
  return read_within_limits(bytes, qt_format_name(kind));
}

bool gif_is_playable(const QByteArray& bytes) {
  const auto outline = read_gif_outline(as_view(bytes), max_gif_frames);
  if (!outline || outline->frames == 0 || outline->frames > max_gif_frames ||
      !picture_size_allowed(outline->width, outline->height)) {
    return false;
  }
  return !read_within_limits(bytes, "gif").isNull();
}

}  // namespace kelvora
