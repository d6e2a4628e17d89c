#include "app/picture/gif_outline.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/picture/fixture.h"

namespace kelvora {
namespace {

using test::read_picture_fixture;

TEST(GifOutline, CountsFramesOfCompleteFile) {
  const std::string gif = read_picture_fixture("red_green_blue_3_frames.gif");
  for (const std::string& bytes : {gif, gif.substr(0, gif.size() - 1)}) {  // with, without trailer
    const auto outline = read_gif_outline(bytes, 2000);
    ASSERT_TRUE(outline.has_value());
    EXPECT_EQ(outline->frames, 3);
    EXPECT_EQ(outline->width, 20);
    EXPECT_EQ(outline->height, 20);
  }
}

TEST(GifOutline, RefusesFileCutInsideABlock) {
  const std::string gif = read_picture_fixture("red_green_blue_3_frames.gif");
  // Every cut that ends inside the header or a block (not between blocks).
  for (std::size_t size : {std::size_t{5}, std::size_t{12}, std::size_t{20}, gif.size() / 2,
                           gif.size() - 2}) {
    EXPECT_FALSE(read_gif_outline(gif.substr(0, size), 2000).has_value()) << "cut at " << size;
  }
  EXPECT_FALSE(read_gif_outline(gif.substr(0, 13) + "\x99", 2000).has_value()) << "unknown block";
}

TEST(GifOutline, SizeIsLargestOfScreenAndFrames) {
  EXPECT_EQ(read_gif_outline(read_picture_fixture("bomb_60000.gif"), 2000)->width, 60000);
  // A 1 x 1 screen holding a 1 x 1 frame placed at 300, 400.
  std::string gif("GIF89a\x01\x00\x01\x00\x00\x00\x00", 13);
  gif += std::string("\x2C\x2C\x01\x90\x01\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B", 16);
  const auto outline = read_gif_outline(gif, 2000);
  ASSERT_TRUE(outline.has_value());
  EXPECT_EQ(outline->width, 301);
  EXPECT_EQ(outline->height, 401);
}

}  // namespace
}  // namespace kelvora
