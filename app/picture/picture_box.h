#pragma once
// A picture box: shows one picture given as bytes, in a display mode.
#include <QWidget>

#include "text/text.h"

namespace kelvora {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  ~PictureBox() override;

  // Shows the picture (the box keeps a copy of the bytes). Bytes of no known
  // kind, or that cannot be decoded, leave the box empty.
  void set_picture(const Bytes& bytes);
  // 0: natural size at the top-left; 1: stretched; 2: centred, shrunk to fit.
  void set_display_mode(int mode);
  int display_mode() const;
  bool has_picture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int mode_ = 0;
  Bytes bytes_;
};

}  // namespace kelvora
