#pragma once
// Where a picture box draws its picture: pure arithmetic, no drawing.

namespace kelvora {

struct PictureRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PictureRect&) const = default;
};

// The rectangle a picture of picture_width x picture_height is drawn into in
// a box of box_width x box_height, by display mode:
//   0 (and any unknown mode): natural size at the top-left corner;
//   1: stretched over the whole box;
//   2: centred at natural size when it fits, otherwise shrunk keeping its
//      proportions and centred; never enlarged.
// An empty picture or box gives an empty rectangle.
PictureRect place_picture(int mode, int picture_width, int picture_height, int box_width,
                          int box_height);

}  // namespace kelvora
