#include "app/picture/picture_placement.h"

#include <algorithm>

namespace kelvora {
namespace {

PictureRect centred_within_box(int w, int h, int box_w, int box_h) {
  PictureRect rect{0, 0, w, h};
  // Along each side the picture is centred if it is narrower than the box;
  // the space left to it ("available") is its own size then, the box's otherwise.
  int available_w = box_w;
  int available_h = box_h;
  if (w < box_w) {
    rect.x = (box_w - w) / 2;
    available_w = w;
  }
  if (h < box_h) {
    rect.y = (box_h - h) / 2;
    available_h = h;
  }
  if (w <= box_w && h <= box_h) {
    return rect;
  }
  const double k = std::min(static_cast<double>(available_w) / w,
                            static_cast<double>(available_h) / h);
  // A very thin picture would truncate to zero pixels across and vanish;
  // it keeps at least one pixel on each side so that it still shows.
  rect.width = std::max(1, static_cast<int>(w * k));
  rect.height = std::max(1, static_cast<int>(h * k));
  rect.x += (available_w - rect.width) / 2;
  rect.y += (available_h - rect.height) / 2;
  return rect;
}

}  // namespace

PictureRect place_picture(int mode, int picture_width, int picture_height, int box_width,
                          int box_height) {
  if (picture_width <= 0 || picture_height <= 0 || box_width <= 0 || box_height <= 0) {
    return {};
  }
  switch (mode) {
    case 1:
      return {0, 0, box_width, box_height};
    case 2:
      return centred_within_box(picture_width, picture_height, box_width, box_height);
    default:
      return {0, 0, picture_width, picture_height};
  }
}

}  // namespace kelvora
