#include "app/picture/pcx_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "tests/picture/fixture.h"

namespace kelvora {
namespace {

using test::read_picture_fixture;

constexpr std::uint32_t red = 0xFFFF0000;
constexpr std::uint32_t blue = 0xFF0000FF;
constexpr std::uint32_t black = 0xFF000000;
constexpr std::uint32_t white = 0xFFFFFFFF;

std::uint32_t pixel(const PcxImage& image, int x, int y) {
  return image.pixels[std::size_t(y) * std::size_t(image.width) + std::size_t(x)];
}

// A 128-byte header; the pixel data follows.
std::string header(int version, int bits, int planes, int width, int height, int bytes_per_line) {
  std::string h(128, '\0');
  auto put16 = [&h](int at, int v) {
    h[at] = static_cast<char>(v & 0xFF);
    h[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  h[0] = 0x0A;
  h[1] = static_cast<char>(version);
  h[2] = 1;
  h[3] = static_cast<char>(bits);
  put16(8, width - 1);
  put16(10, height - 1);
  h[65] = static_cast<char>(planes);
  put16(66, bytes_per_line);
  return h;
}

// The 256-colour palette with its marker: index i is grey level i.
std::string grey_palette() {
  std::string p(1, '\x0C');
  for (int i = 0; i < 256; ++i) p.append(3, static_cast<char>(i));
  return p;
}

struct FixtureCase {
  const char* file;
  std::uint32_t left;
  std::uint32_t right;
};

void PrintTo(const FixtureCase& c, std::ostream* os) { *os << c.file; }

class PcxFixtureTest : public testing::TestWithParam<FixtureCase> {};

TEST_P(PcxFixtureTest, DecodesBothHalves) {
  const auto image = decode_pcx(read_picture_fixture(GetParam().file));
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 40);
  EXPECT_EQ(image->height, 30);
  for (int y : {0, 15, 29}) {
    EXPECT_EQ(pixel(*image, 0, y), GetParam().left) << "row " << y;
    EXPECT_EQ(pixel(*image, 19, y), GetParam().left) << "row " << y;
    EXPECT_EQ(pixel(*image, 20, y), GetParam().right) << "row " << y;
    EXPECT_EQ(pixel(*image, 39, y), GetParam().right) << "row " << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, PcxFixtureTest,
                         testing::Values(FixtureCase{"two_colours_8bit.pcx", red, blue},
                                         FixtureCase{"two_colours_24bit.pcx", red, blue},
                                         FixtureCase{"black_white_1bit.pcx", black, white}));

TEST(PcxReader, RunCarriesOverIntoNextLine) {
  // 3 x 2 pixels, lines of 4 bytes (one padding byte): one run of 5 bytes of
  // level 7 crosses from line 1 into line 2, then 3 literal bytes.
  const std::string bytes =
      header(5, 8, 1, 3, 2, 4) + "\xC5\x07" + std::string("\x01\x02\x03") + grey_palette();
  const auto image = decode_pcx(bytes);
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(pixel(*image, 0, 0), 0xFF070707u);
  EXPECT_EQ(pixel(*image, 2, 0), 0xFF070707u);
  EXPECT_EQ(pixel(*image, 0, 1), 0xFF070707u);
  EXPECT_EQ(pixel(*image, 1, 1), 0xFF010101u);
  EXPECT_EQ(pixel(*image, 2, 1), 0xFF020202u);
}

struct DamagedCase {
  const char* name;
  std::string bytes;
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

class PcxDamagedTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(PcxDamagedTest, GivesNoPicture) {
  EXPECT_FALSE(decode_pcx(GetParam().bytes).has_value());
}

std::string without_palette_marker() {
  std::string bytes = read_picture_fixture("two_colours_8bit.pcx");
  bytes[bytes.size() - 769] = 0;
  return bytes;
}

std::string cut(const std::string& bytes, std::size_t drop) {
  return bytes.substr(0, bytes.size() - drop);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PcxDamagedTest,
    testing::Values(
        DamagedCase{"header_only", header(5, 8, 1, 4, 4, 4)},
        DamagedCase{"short_header", header(5, 8, 1, 4, 4, 4).substr(0, 100)},
        DamagedCase{"missing_palette_marker", without_palette_marker()},
        DamagedCase{"palette_cut", cut(read_picture_fixture("two_colours_8bit.pcx"), 1)},
        DamagedCase{"rgb_data_cut", cut(read_picture_fixture("two_colours_24bit.pcx"), 40)},
        DamagedCase{"mono_data_cut", cut(read_picture_fixture("black_white_1bit.pcx"), 1)},
        DamagedCase{"run_count_without_value",
                    header(3, 1, 1, 8, 1, 2) + "\xC1"},
        DamagedCase{"line_narrower_than_picture", header(3, 1, 1, 17, 1, 2) + std::string("\xC8\x00", 2)},
        DamagedCase{"right_before_left", [] {
                      std::string h = header(3, 1, 1, 8, 1, 2);
                      h[4] = 9;  // x_min 9 > x_max 7
                      return h + std::string("\xC8\x00", 2);
                    }()},
        DamagedCase{"four_planes", header(5, 8, 4, 2, 2, 2) + std::string(64, '\x01')},
        DamagedCase{"one_bit_version_5", header(5, 1, 1, 8, 1, 2) + std::string(2, '\0')},
        DamagedCase{"too_wide", header(5, 8, 1, 16385, 1, 16386) + grey_palette()},
        // Claims 8000 x 8000: over the 64 MiB limit, refused from the header.
        DamagedCase{"over_64_mib", header(5, 8, 1, 8000, 8000, 8000) + grey_palette()},
        // Claims 4000 x 4000, within the limits, but holds a single run.
        DamagedCase{"far_too_little_data",
                    header(5, 8, 1, 4000, 4000, 4000) + std::string("\xFF\x00", 2) + grey_palette()}),
    [](const testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora
