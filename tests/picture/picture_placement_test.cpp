#include "app/picture/picture_placement.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace kelvora {

void PrintTo(const PictureRect& r, std::ostream* os) {
  *os << r.width << "x" << r.height << " at " << r.x << "," << r.y;
}

namespace {

struct PlacementCase {
  const char* name;
  int mode;
  int width;
  int height;
  PictureRect drawn;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class PlacementTest : public testing::TestWithParam<PlacementCase> {};

// All in a box of 416 x 495, the size of the main window's large picture box.
TEST_P(PlacementTest, PlacesPictureInBox) {
  const PlacementCase& c = GetParam();
  EXPECT_EQ(place_picture(c.mode, c.width, c.height, 416, 495), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PlacementTest,
    testing::Values(
        PlacementCase{"centred_when_it_fits", 2, 300, 200, {58, 147, 300, 200}},
        PlacementCase{"wide_shrunk_keeping_proportions", 2, 832, 500, {0, 122, 416, 250}},
        PlacementCase{"tall_shrunk_and_centred_across", 2, 200, 990, {158, 0, 100, 495}},
        PlacementCase{"exact_fit", 2, 416, 495, {0, 0, 416, 495}},
        PlacementCase{"one_pixel", 2, 1, 1, {207, 247, 1, 1}},
        // The scale works on the available span, so one pixel too wide gives
        // k = 416/417 and a height that would truncate to 0: kept at 1.
        PlacementCase{"one_too_wide_one_high", 2, 417, 1, {0, 247, 416, 1}},
        PlacementCase{"one_wide_very_tall", 2, 1, 10000, {207, 0, 1, 495}},
        PlacementCase{"both_sides_too_large", 2, 4160, 9900, {104, 0, 208, 495}},
        PlacementCase{"mode_0_natural_top_left", 0, 832, 500, {0, 0, 832, 500}},
        PlacementCase{"mode_1_stretched", 1, 20, 10, {0, 0, 416, 495}},
        PlacementCase{"unknown_mode_as_0", 7, 30, 40, {0, 0, 30, 40}},
        PlacementCase{"empty_picture", 2, 0, 10, {}}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora
