#include "app/picture/picture_box.h"

namespace kelvora {

// Placeholder until the decoders land.
PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}
PictureBox::~PictureBox() = default;
void PictureBox::set_picture(const Bytes& bytes) { bytes_ = bytes; update(); }
void PictureBox::set_display_mode(int mode) { mode_ = mode; update(); }
int PictureBox::display_mode() const { return mode_; }
bool PictureBox::has_picture() const { return false; }
void PictureBox::paintEvent(QPaintEvent*) {}

}  // namespace kelvora
