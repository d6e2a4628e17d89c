// Fuzzes telling a picture's kind and decoding it: our PCX reader, the GIF
// block walk, the cut-short checks, Qt's image readers and GIF playback.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QMovie>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/picture/gif_outline.h"
#include "app/picture/pcx_reader.h"
#include "app/picture/picture_completeness.h"
#include "app/picture/picture_decoder.h"
#include "app/picture/picture_kind.h"
#include "app/picture/picture_limits.h"

namespace {

void ignore_qt_messages(QtMsgType, const QMessageLogContext&, const QString&) {}

QGuiApplication& application() {
  static int argc = 1;
  static char name[] = "fuzz_picture";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(ignore_qt_messages);
    return new QGuiApplication(argc, argv);
  }();
  return *app;
}

void play_a_few_frames(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QMovie movie(&buffer, "gif");
  for (int i = 0; i < 4 && movie.jumpToNextFrame(); ++i) {
    movie.currentImage();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  application();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kelvora::PictureKind kind = kelvora::picture_kind(bytes);
  kelvora::decode_pcx(bytes);
  kelvora::read_gif_outline(bytes, kelvora::max_gif_frames);
  kelvora::bmp_is_complete(bytes);
  kelvora::jpeg_is_complete(bytes);

  const QByteArray copy(bytes.data(), static_cast<qsizetype>(size));
  if (kind == kelvora::PictureKind::gif) {
    if (kelvora::gif_is_playable(copy)) {
      play_a_few_frames(copy);
    }
  } else {
    kelvora::decode_still_picture(copy, kind);
  }
  return 0;
}
