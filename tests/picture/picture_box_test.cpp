#include "app/picture/picture_box.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPalette>
#include <QTest>
#include <cctype>
#include <cstdlib>
#include <ostream>
#include <string>

#include "tests/picture/fixture.h"

namespace kelvora {
namespace {

using test::read_picture_fixture;

// The two-colour fixtures are 40 x 30; in a 416 x 495 box in mode 2 they sit
// at natural size at 188, 232.
constexpr int left_x = 188 + 5;
constexpr int right_x = 188 + 35;
constexpr int middle_y = 232 + 15;

bool near(QColor a, QColor b) {
  constexpr int tolerance = 12;  // room for JPEG's loss
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

class PictureBoxTest : public testing::Test {
 protected:
  PictureBoxTest() {
    box.resize(416, 495);
    box.set_display_mode(2);
  }

  QColor shown_at(int x, int y) { return box.grab().toImage().pixelColor(x, y); }
  QColor background() const { return box.palette().color(QPalette::Window); }

  // True when the box shows nothing but its background where a two-colour
  // fixture would be.
  bool shows_only_background() {
    const QImage shot = box.grab().toImage();
    return shot.pixelColor(left_x, middle_y) == background() &&
           shot.pixelColor(right_x, middle_y) == background() &&
           shot.pixelColor(208, 247) == background();
  }

  PictureBox box;
};

struct ShownCase {
  const char* file;
  QColor left;
  QColor right;
};

void PrintTo(const ShownCase& c, std::ostream* os) { *os << c.file; }

class PictureBoxShowsTest : public PictureBoxTest, public testing::WithParamInterface<ShownCase> {};

TEST_P(PictureBoxShowsTest, ShowsFileCentredAtNaturalSize) {
  box.set_picture(read_picture_fixture(GetParam().file));
  ASSERT_TRUE(box.has_picture());
  const QImage shot = box.grab().toImage();
  EXPECT_TRUE(near(shot.pixelColor(left_x, middle_y), GetParam().left))
      << shot.pixelColor(left_x, middle_y).name().toStdString();
  EXPECT_TRUE(near(shot.pixelColor(right_x, middle_y), GetParam().right))
      << shot.pixelColor(right_x, middle_y).name().toStdString();
  // Just outside the picture: the face colour.
  EXPECT_EQ(shot.pixelColor(187, middle_y), background());
  EXPECT_EQ(shot.pixelColor(left_x, 231), background());
  EXPECT_EQ(shot.pixelColor(228, middle_y), background());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PictureBoxShowsTest,
    testing::Values(ShownCase{"two_colours.bmp", Qt::red, Qt::blue},
                    ShownCase{"two_colours.jpg", Qt::red, Qt::blue},
                    ShownCase{"two_colours.png", Qt::red, Qt::blue},
                    ShownCase{"two_colours.ico", Qt::red, Qt::blue},
                    ShownCase{"two_colours_png_entry.ico", Qt::red, Qt::blue},
                    ShownCase{"two_colours.cur", Qt::red, Qt::blue},
                    ShownCase{"two_colours_8bit.pcx", Qt::red, Qt::blue},
                    ShownCase{"two_colours_24bit.pcx", Qt::red, Qt::blue},
                    ShownCase{"black_white_1bit.pcx", Qt::black, Qt::white}),
    [](const testing::TestParamInfo<ShownCase>& info) {
      std::string name = info.param.file;
      for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      }
      return name;
    });

TEST_F(PictureBoxTest, ShrinksLargePictureToFitAndCentres) {
  // 832 x 500, left half red, right half blue: drawn 416 x 250 at 0, 122.
  QImage large(832, 500, QImage::Format_RGB32);
  large.fill(Qt::blue);
  for (int y = 0; y < 500; ++y) {
    for (int x = 0; x < 416; ++x) large.setPixelColor(x, y, Qt::red);
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(large.save(&buffer, "PNG"));
  box.set_picture(png.toStdString());
  const QImage shot = box.grab().toImage();
  EXPECT_EQ(shot.pixelColor(100, 121), background());
  EXPECT_TRUE(near(shot.pixelColor(100, 122), Qt::red));
  EXPECT_TRUE(near(shot.pixelColor(300, 371), Qt::blue));
  EXPECT_EQ(shot.pixelColor(300, 372), background());
}

TEST_F(PictureBoxTest, AnimatedGifPlaysItsFrames) {
  box.set_picture(read_picture_fixture("red_green_blue_3_frames.gif"));
  ASSERT_TRUE(box.has_picture());
  // 20 x 20 frames, centred at 198, 237.
  auto colour = [this] { return shown_at(208, 247); };
  EXPECT_TRUE(QTest::qWaitFor([&] { return near(colour(), Qt::red); }, 5000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return near(colour(), Qt::green); }, 5000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return near(colour(), Qt::blue); }, 5000));
}

// A GIF of 1 x 1 frames, each a single pixel of colour 0 (red).
std::string gif_with_frames(int frames) {
  std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
  gif += std::string("\xFF\x00\x00\x00\x00\x00", 6);
  for (int i = 0; i < frames; ++i) {
    gif += std::string("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);
    gif += std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
    gif += std::string("\x02\x02\x44\x01\x00", 5);
  }
  return gif + "\x3B";
}

TEST_F(PictureBoxTest, GifFrameLimit) {
  box.set_picture(gif_with_frames(2000));
  EXPECT_TRUE(box.has_picture());
  box.set_picture(gif_with_frames(2001));
  EXPECT_FALSE(box.has_picture());
}

std::string half_of(const char* file) {
  const std::string bytes = read_picture_fixture(file);
  return bytes.substr(0, bytes.size() / 2);
}

std::string without_last_bytes(const char* file, std::size_t count) {
  const std::string bytes = read_picture_fixture(file);
  return bytes.substr(0, bytes.size() - count);
}

struct ClearedCase {
  const char* name;
  std::string bytes;
};

void PrintTo(const ClearedCase& c, std::ostream* os) { *os << c.name; }

class PictureBoxClearsTest : public PictureBoxTest,
                             public testing::WithParamInterface<ClearedCase> {};

// Each case first shows a picture (an animated one for half of them), then
// gives bytes that are no picture: the box is left empty.
TEST_P(PictureBoxClearsTest, DropsPreviousPicture) {
  for (const char* previous : {"two_colours.png", "red_green_blue_3_frames.gif"}) {
    box.set_picture(read_picture_fixture(previous));
    ASSERT_TRUE(box.has_picture()) << previous;
    box.set_picture(GetParam().bytes);
    EXPECT_FALSE(box.has_picture()) << "after " << previous;
    EXPECT_TRUE(shows_only_background()) << "after " << previous;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, PictureBoxClearsTest,
    testing::Values(
        ClearedCase{"empty", ""},
        ClearedCase{"html", "<!DOCTYPE html>\r\n<html><body>404 Not Found</body></html>"},
        ClearedCase{"bmp_signature_then_junk", "BM" + std::string(200, 'x')},
        ClearedCase{"half_bmp", half_of("two_colours.bmp")},
        ClearedCase{"bmp_short_by_one_byte", without_last_bytes("two_colours.bmp", 1)},
        ClearedCase{"jpeg_short_by_one_byte", without_last_bytes("two_colours.jpg", 1)},
        ClearedCase{"gif_cut_in_last_frame", without_last_bytes("red_green_blue_3_frames.gif", 3)},
        ClearedCase{"half_png", half_of("two_colours.png")},
        ClearedCase{"half_jpeg", half_of("two_colours.jpg")},
        ClearedCase{"half_ico", half_of("two_colours.ico")},
        ClearedCase{"half_gif", half_of("red_green_blue_3_frames.gif")},
        ClearedCase{"gif_header_only", read_picture_fixture("red_green_blue_3_frames.gif").substr(0, 13)},
        ClearedCase{"half_pcx", half_of("two_colours_8bit.pcx")},
        ClearedCase{"png_bomb_60000", read_picture_fixture("bomb_60000.png")},
        ClearedCase{"gif_bomb_60000", read_picture_fixture("bomb_60000.gif")}),
    [](const testing::TestParamInfo<ClearedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora
