#pragma once
// A picture box: shows one picture given as bytes, in a display mode, over
// the face colour. An animated GIF plays its frames.
#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <memory>

#include "text/text.h"

class QBuffer;
class QMovie;

namespace kelvora {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  // Shows the picture (the box keeps a copy of the bytes). Bytes of no known
  // kind, or that cannot be decoded, leave the box empty; either way the
  // previous picture, and any animation, is dropped.
  void set_picture(const Bytes& bytes);
  // 0: natural size at the top-left; 1: stretched; 2: centred, shrunk to fit.
  void set_display_mode(int mode);
  int display_mode() const;
  bool has_picture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void drop_picture();
  void start_movie();

  int mode_ = 0;
  QByteArray bytes_;
  QImage still_;
  // The movie reads from the buffer, so it is declared after it (and so
  // destroyed before it).
  std::unique_ptr<QBuffer> movie_buffer_;
  std::unique_ptr<QMovie> movie_;
};

}  // namespace kelvora
